#include "window/gl_forma.hpp"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFrame>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "drawing/tree_preview.hpp"
#include "model/number_text.hpp"
#include "output/file_command.hpp"
#include "render/control_table.hpp"
#include "render/designed_pictures.hpp"
#include "render/twips.hpp"
#include "window/edge_button_accessibility.hpp"
#include "window/list_box.hpp"
#include "window/picture_box.hpp"
#include "window/picture_descriptions.hpp"
#include "window/remarks_label.hpp"

namespace korvelant {
namespace {

// Where a vertex count places its controls, in twips.
constexpr int kGridLeft = 200;
constexpr int kGridTop = 700;
constexpr int kGridStep = 375;
constexpr int kRowTop = 4000;
constexpr int kRowStep = 750;
constexpr int kRowsPerColumn = 4;
struct RowColumn {
  int label;
  int x;
  int y;
};
constexpr RowColumn kLeftRows = {200, 800, 1900};
constexpr RowColumn kRightRows = {3600, 4300, 5400};

// Option buttons with the gap between circle and caption of the platform the window was
// designed on: the captions were fitted to it, and the wider gap of Qt's own styles cuts
// "Path-graphical matrix" short by a letter.
class OptionButtonStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    if (metric == PM_RadioButtonLabelSpacing) return 2;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

// What the window asks for, even though the room is known only once it stands: the window
// frame and title bar take this much beside the client area.
constexpr QSize kFrameAllowance = {16, 40};

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString NumberQText(Int16 value) {
  return QString::fromStdString(NumberText(value));
}

QWidget* MakeControl(ControlKind kind, QWidget* parent, std::string_view name = {}) {
  switch (kind) {
    case ControlKind::Label: {
      // The remarks wrap inside a long path too; the other labels are plain captions.
      auto* label = name == "LblRemarks" ? new RemarksLabel(parent) : new QLabel(parent);
      label->setTextFormat(Qt::PlainText);  // a path in a message is never markup
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return label;
    }
    case ControlKind::ListBox:
      return new ListBox(parent);
    case ControlKind::TextBox:
      return new QLineEdit(parent);
    case ControlKind::CommandButton: {
      auto* button = new QPushButton(parent);
      button->setAutoDefault(true);  // Enter presses the focused button, as Space does
      return button;
    }
    case ControlKind::OptionButton: {
      auto* option = new QRadioButton(parent);
      static OptionButtonStyle* const style = new OptionButtonStyle;  // shared, lives on
      option->setStyle(style);
      return option;
    }
    case ControlKind::Frame: {
      auto* frame = new QFrame(parent);
      frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
      return frame;
    }
    case ControlKind::PictureBox:
      return new PictureBox(parent);
  }
  throw std::logic_error("unknown control kind");
}

void SetCaption(QWidget* control, const QString& caption) {
  if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(caption);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(caption);
  } else if (auto* box = qobject_cast<QLineEdit*>(control)) {
    box->setText(caption);
  }
}

QString CaptionOf(const QWidget* control) {
  if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
  if (const auto* box = qobject_cast<const QLineEdit*>(control)) return box->text();
  return {};
}

// A new element of a control array: a copy of element 0 in kind, size, font, caption and
// position, invisible until it is placed.
template <typename Control>
Control* CopyOf(Control* element0, std::string_view arrayName, int index) {
  auto* copy = static_cast<Control*>(
      MakeControl(Designed(std::string(arrayName) + "(0)").kind, element0->parentWidget()));
  copy->setObjectName(QStringLiteral("%1(%2)").arg(ToQString(arrayName)).arg(index));
  copy->setGeometry(element0->geometry());
  copy->setFont(element0->font());
  SetCaption(copy, CaptionOf(element0));
  copy->hide();
  return copy;
}

// Moves a created element to its place, keeping the size its template was designed with.
void Place(QWidget* control, std::string_view element0, int left, Int16 top) {
  const DesignedControl& design = Designed(element0);
  control->setGeometry(TwipRectToPixels(left, top.value(), design.width, design.height));
}

}  // namespace

GlForma::GlForma(QWidget* parent) : QWidget(parent) {
  setObjectName("GlForma");
  setWindowTitle(ToQString(kWindowCaption));
  setFont(DesignFont(kWindowFont));

  scroll_ = new QScrollArea(this);
  scroll_->setFrameShape(QFrame::NoFrame);
  // The controls take the focus; the area around them scrolls to the focused one by itself.
  scroll_->setFocusPolicy(Qt::NoFocus);
  scroll_->setWidgetResizable(false);
  client_ = new QWidget;
  client_->setObjectName("ClientArea");
  client_->setFixedSize(TwipsToWholePixels(kClientWidthTwips),
                        TwipsToWholePixels(kClientHeightTwips));
  scroll_->setWidget(client_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll_);

  BuildControls();
  Form_Load();
  SetTabOrder();
  ConnectEvents();
  NameForAccessibility();
  FitToScreen();
}

GlForma::~GlForma() = default;

QSize GlForma::sizeHint() const {
  return client_->size();
}

void GlForma::BuildControls() {
  QHash<QString, QWidget*> built;
  for (const DesignedControl& design : DesignedControls()) {
    QWidget* container =
        design.container.empty() ? client_ : built.value(ToQString(design.container));
    if (container == nullptr) throw std::logic_error("a frame must be built before its content");
    QWidget* control = MakeControl(design.kind, container, design.name);
    control->setObjectName(ToQString(design.name));
    control->setGeometry(TwipRectToPixels(design.left, design.top, design.width, design.height));
    SetCaption(control, ToQString(design.caption));
    if (design.font.points > 0) control->setFont(DesignFont(design.font));
    if (design.selectedAtStart) qobject_cast<QRadioButton*>(control)->setChecked(true);
    if (design.isTemplate) control->hide();
    built.insert(control->objectName(), control);
  }
  const auto find = [&built]<typename Control>(Control*& member, const char* name) {
    member = qobject_cast<Control*>(built.value(name));
    if (member == nullptr) throw std::logic_error(std::string("missing control ") + name);
  };
  find(LblVrhovi, "LblVrhovi");
  find(LstVrhovi, "LstVrhovi");
  find(LblFileNm, "LblFileNm");
  find(TxtFileNm, "TxtFileNm");
  find(CmdFile, "CmdFile");
  find(MalaSlika, "MalaSlika");
  find(VelikaSlika, "VelikaSlika");
  find(FrDis, "FrDis");
  find(LblDis, "LblDis");
  find(OptDr, "OptDr");
  find(OptWi, "OptWi");
  find(OptRi, "OptRi");
  find(OptZi, "OptZi");
  find(OptHi, "OptHi");
  find(FrMt, "FrMt");
  find(LblMt, "LblMt");
  find(OptEGM, "OptEGM");
  find(OptPGM, "OptPGM");
  find(OptSVGM, "OptSVGM");
  find(OptDVGM, "OptDVGM");
  find(CmdVelika, "CmdVelika");
  find(LblRemarks, "LblRemarks");
  find(c[0], "c(0)");
  find(LblKord[0], "LblKord(0)");
  find(LstX[0], "LstX(0)");
  find(LstY[0], "LstY(0)");
  // The headings sit on the frames' top edges and hide the border line behind them.
  LblDis->setAutoFillBackground(true);
  LblMt->setAutoFillBackground(true);
  remarksDesign_ = LblRemarks->geometry();
}

void GlForma::Form_Load() {
  for (Int16 k = 0; k <= kMaxVertices; ++k)
    LstVrhovi->addItem(NumberQText(k));
  for (int k = 1; k <= kGridButtons; ++k)
    c.at(k) = CopyOf(c.at(0), "c", k);
  for (int i = 1; i <= kMaxVertices; ++i) {
    LblKord.at(i) = CopyOf(LblKord.at(0), "LblKord", i);
    LstX.at(i) = CopyOf(LstX.at(0), "LstX", i);
    LstY.at(i) = CopyOf(LstY.at(0), "LstY", i);
    for (Int16 k = 1; k <= kGridPositions; ++k) {
      LstX.at(i)->addItem(NumberQText(k));
      LstY.at(i)->addItem(NumberQText(k));
    }
  }
}

// The focus moves in the order of the designed tab positions. The created elements of an
// array take the place of its template: the grid buttons in index order, and the coordinate
// lists row by row (X then Y of vertex 1, then of vertex 2, ...).
void GlForma::SetTabOrder() {
  std::vector<std::tuple<int, int, QWidget*>> order;
  for (const DesignedControl& design : DesignedControls()) {
    if (design.kind == ControlKind::Label || design.kind == ControlKind::Frame ||
        design.kind == ControlKind::PictureBox) {
      continue;  // they take no keyboard focus
    }
    if (design.name == "c(0)" || design.name == "LstX(0)" || design.name == "LstY(0)") continue;
    order.emplace_back(design.tab, 0, client_->findChild<QWidget*>(ToQString(design.name)));
  }
  const int gridTab = Designed("c(0)").tab;
  for (int k = 0; k <= kGridButtons; ++k)
    order.emplace_back(gridTab, k, c.at(k));
  const int rowTab = Designed("LstX(0)").tab;
  for (int i = 0; i <= kMaxVertices; ++i) {
    order.emplace_back(rowTab, 2 * i, LstX.at(i));
    order.emplace_back(rowTab, 2 * i + 1, LstY.at(i));
  }
  std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
    return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
  });
  for (std::size_t k = 1; k < order.size(); ++k) {
    QWidget::setTabOrder(std::get<2>(order[k - 1]), std::get<2>(order[k]));
  }
}

// Every handler runs through Handle, so that no exception leaves an event.
void GlForma::ConnectEvents() {
  connect(LstVrhovi, &ListBox::chosen, this,
          [this](int row) { Handle([this, row] { LstVrhovi_Click(row); }); });
  for (int k = 1; k <= kGridButtons; ++k) {
    connect(c.at(k), &QPushButton::clicked, this, [this, k] { Handle([this, k] { c_Click(k); }); });
    c.at(k)->installEventFilter(this);
  }
  for (int i = 1; i <= kMaxVertices; ++i) {
    connect(LstX.at(i), &ListBox::chosen, this,
            [this, i](int row) { Handle([this, i, row] { LstX_Click(i, row); }); });
    connect(LstY.at(i), &ListBox::chosen, this,
            [this, i](int row) { Handle([this, i, row] { LstY_Click(i, row); }); });
  }
  const auto onSelect = [this](QRadioButton* option, const std::function<void()>& handler) {
    connect(option, &QRadioButton::toggled, this, [this, handler](bool selected) {
      if (selected) Handle(handler);
    });
  };
  onSelect(OptDr, [this] { OptDr_Click(); });
  onSelect(OptWi, [this] { OptWi_Click(); });
  onSelect(OptRi, [this] { OptRi_Click(); });
  onSelect(OptZi, [this] { OptZi_Click(); });
  onSelect(OptHi, [this] { OptHi_Click(); });
  for (const auto& [option, type] : MatrixTypeOptions())
    onSelect(option, [this, type = type] { OptMt_Click(type); });
  connect(CmdVelika, &QPushButton::clicked, this,
          [this] { Handle([this] { CmdVelika_Click(); }); });
  connect(CmdFile, &QPushButton::clicked, this, [this] { Handle([this] { CmdFile_Click(); }); });
  // Enter in the file-name box writes the file, as the button beside it does.
  connect(TxtFileNm, &QLineEdit::returnPressed, this,
          [this] { Handle([this] { CmdFile_Click(); }); });
}

void GlForma::NameForAccessibility() {
  LstVrhovi->setAccessibleName("Number of vertices");
  LstVrhovi->SetWheelChooses(false);
  TxtFileNm->setAccessibleName("File name");
  CmdFile->setAccessibleDescription("Writes all sixteen matrices to the named file");
  FrDis->setAccessibleName("Display");
  FrMt->setAccessibleName("Matrix type");
  MalaSlika->setAccessibleName("Tree preview");
  VelikaSlika->setAccessibleName("Matrix picture");
  LblRemarks->setAccessibleDescription("Remarks");
  for (int i = 1; i <= kMaxVertices; ++i) {
    LstX.at(i)->setAccessibleName(QStringLiteral("X of vertex %1").arg(i));
    LstY.at(i)->setAccessibleName(QStringLiteral("Y of vertex %1").arg(i));
  }
  for (int k = 1; k <= kGridButtons; ++k)
    MarkAsEdgeButton(c.at(k));
  MalaSlika->setAccessibleDescription(
      QString::fromStdString(DescribePreview(model_.graph(), model_.positions())));
  VelikaSlika->setAccessibleDescription("Empty");
}

void GlForma::Handle(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& failure) {
    ShowFailure(QString::fromLocal8Bit(failure.what()));
  } catch (...) {
    ShowFailure("an unknown error");
  }
}

void GlForma::ShowFailure(const QString& what) {
  // Whatever the failure left half done, the picture shows no result it did not finish.
  const QString remark =
      "Something went wrong: " + what + ". The window goes on; please report this.";
  model_.ShowFailure(remark.toLocal8Bit().toStdString());
  Mirror();
}

bool GlForma::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const auto found = std::find(c.begin() + 1, c.end(), watched);
    // The arrows of the number pad too, which carry the keypad modifier.
    if (found != c.end() && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      return MoveInGrid(static_cast<int>(found - c.begin()), key->key());
    }
  }
  return QWidget::eventFilter(watched, event);
}

// Up and Down move by a row, Left and Right by a column, over the disabled diagonal; at the
// grid's edge the focus stays. Only Tab leaves the grid: an arrow walking on through the
// focus chain would reach the vertex-count list and start a new tree.
bool GlForma::MoveInGrid(int index, int key) {
  int rowStep = 0;
  int columnStep = 0;
  switch (key) {
    case Qt::Key_Up:
      rowStep = -1;
      break;
    case Qt::Key_Down:
      rowStep = 1;
      break;
    case Qt::Key_Left:
      columnStep = -1;
      break;
    case Qt::Key_Right:
      columnStep = 1;
      break;
    default:
      return false;
  }
  const int n = model_.graph().vertexCount;
  if (n == 0) return true;
  int row = (index - 1) / n + 1;
  int column = (index - 1) % n + 1;
  do {
    row += rowStep;
    column += columnStep;
  } while (row == column);
  if (row >= 1 && row <= n && column >= 1 && column <= n)
    c.at((row - 1) * n + column)->setFocus(Qt::TabFocusReason);
  return true;
}

// The window opens at the size of its client area; on a smaller screen it opens as large as
// the screen allows and the client area scrolls, keeping the layout in twips intact.
void GlForma::FitToScreen() {
  if (const QScreen* screen = this->screen()) {
    resize(SizeForRoom(screen->availableGeometry().size() - kFrameAllowance));
  } else {
    resize(client_->size());
  }
}

QSize GlForma::SizeForRoom(QSize room) const {
  QSize size = client_->size();
  // A scroll bar in one direction takes room from the other; where the screen has that
  // room to spare, the window grows by it instead of needing a second scroll bar.
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  if (size.height() > room.height()) size.rwidth() += bar;
  if (size.width() > room.width()) size.rheight() += bar;
  return size.boundedTo(room);
}

// --- The events: each becomes one operation of the model, then the form mirrors it ------

void GlForma::LstVrhovi_Click(int row) {
  if (mirroring_) return;
  model_.ChooseVertexCount(row);  // the list's entry at row k reads k
  Mirror();
}

void GlForma::c_Click(int index) {
  // Only the buttons of a laid-out grid are shown, so there is always a row length here.
  const int n = model_.graph().vertexCount;
  if (n == 0) return;
  model_.ToggleEdge((index - 1) / n + 1, (index - 1) % n + 1);
  Mirror();
}

void GlForma::LstX_Click(int index, int row) {
  if (mirroring_) return;
  model_.ChooseX(index, row);
  Mirror();
}

void GlForma::LstY_Click(int index, int row) {
  if (mirroring_) return;
  model_.ChooseY(index, row);
  Mirror();
}

void GlForma::OptDr_Click() {
  ChooseDisplay(std::nullopt);
}
void GlForma::OptWi_Click() {
  ChooseDisplay(TopologicalIndex::Wiener);
}
void GlForma::OptRi_Click() {
  ChooseDisplay(TopologicalIndex::Randic);
}
void GlForma::OptZi_Click() {
  ChooseDisplay(TopologicalIndex::Zagreb);
}
void GlForma::OptHi_Click() {
  ChooseDisplay(TopologicalIndex::Hosoya);
}

void GlForma::ChooseDisplay(DisplayChoice display) {
  if (mirroring_) return;
  model_.ChooseDisplay(display);
  Mirror();
}

void GlForma::OptMt_Click(MatrixType type) {
  if (mirroring_) return;
  model_.ChooseMatrixType(type);
  Mirror();
}

void GlForma::CmdVelika_Click() {
  model_.DrawOrCalculate();
  Mirror();
}

void GlForma::CmdFile_Click() {
  const QString name = TxtFileNm->text();
  const FileCommandResult result = model_.WriteMatrices(QFile::encodeName(name).toStdString());
  Mirror();
  switch (result.status) {
    case FileCommandStatus::Written:
      emit matricesWritten(QFileInfo(QDir::current(), name).absoluteFilePath());
      return;
    case FileCommandStatus::WriteFailed:
      // The message may name the path, in the local 8-bit encoding of file names.
      emit matricesWriteFailed(QString::fromLocal8Bit(result.message));
      return;
    case FileCommandStatus::NotATree:
      emit matricesRefused();
      return;
  }
}

void GlForma::WriteMatricesTo(const QString& path) {
  TxtFileNm->setText(path);
  Handle([this] { CmdFile_Click(); });
}

SavedTree GlForma::EnteredTree() const {
  return model_.enteredTree();
}

void GlForma::EnterTree(const SavedTree& tree) {
  model_.EnterTree(tree);
  Mirror();
}

void GlForma::ClearTree() {
  model_.ClearTree();
  Mirror();
}

const std::optional<GraphicalMatrix>& GlForma::calculatedMatrix() const {
  static const std::optional<GraphicalMatrix> none;
  return model_.result() ? model_.result()->matrix : none;
}

std::optional<MatrixType> GlForma::drawnMatrixType() const {
  const auto& result = model_.result();
  if (!result || !result->tree || result->matrix) return std::nullopt;
  return model_.matrixType();
}

// --- The form as a view of the model -----------------------------------------------------

// Brings every control the last operation made stale up to the model. The lists' and
// options' own events, raised by the selections made here, are no user's choice.
void GlForma::Mirror() {
  const StaleParts stale = model_.TakeStale();
  {
    const QScopedValueRollback mirroring(mirroring_, true);
    if (stale.countChoice) LstVrhovi->SetListIndex(model_.chosenCount().value_or(-1));
    if (stale.grid) LayOutGrid();
    MarkToggledEdges(stale.toggledEdges);
    if (stale.rows) LayOutVertexRows();
    if (stale.tree) NacrtajMalu();
    if (stale.options) ShowOptions();
    if (stale.result) ShowResult();
    if (stale.remarks) ShowRemarks(QString::fromLocal8Bit(model_.remarks()));
    if (stale.description) DescribeLargePicture(ResultDescription());
  }
  if (stale.result) emit resultsChanged();
  if (stale.tree) emit treeChanged();
}

// The n x n grid of the model's vertex count, each button with its edge's mark; the buttons
// of a larger grid are hidden.
void GlForma::LayOutGrid() {
  for (int k = 1; k <= kGridButtons; ++k)
    c.at(k)->hide();
  const Int16 n = model_.graph().vertexCount;
  for (Int16 i = 1; i <= n; ++i) {
    for (Int16 j = 1; j <= n; ++j) {
      QPushButton* button = c.at(((i - 1) * n + j).value());
      button->setGeometry(TwipRectToPixels((kGridLeft + kGridStep * j).value(),
                                           (kGridTop + kGridStep * i).value(), kGridStep,
                                           kGridStep));
      button->show();
      button->setEnabled(j != i);
      button->setText(j != i ? EdgeCaptionOf(i.value(), j.value()) : "X");
      button->setAccessibleName(
          j != i ? QStringLiteral("Edge %1\u2013%2").arg(i.value()).arg(j.value())
                 : QStringLiteral("Vertex %1, no edge").arg(i.value()));
    }
  }
}

QString GlForma::EdgeCaptionOf(int i, int j) const {
  return QString::fromStdString(EdgeCaption(model_.edgeMark(i, j)));
}

// A clicked edge shows on its button and its mirror, and a screen reader hears both.
void GlForma::MarkToggledEdges(const std::vector<Edge>& edges) {
  const int n = model_.graph().vertexCount;
  for (const auto& [i, j] : edges) {
    for (QPushButton* button : {c.at((i - 1) * n + j), c.at((j - 1) * n + i)}) {
      button->setText(EdgeCaptionOf(i, j));
      AnnounceEdgeToggled(button);
    }
  }
}

// Each row the model shows, in its place with its choices; the others hidden, with no
// choice and the caption of their template.
void GlForma::LayOutVertexRows() {
  for (Int16 i = 1; i <= kMaxVertices; ++i) {
    const VertexRow& row = model_.row(i.value());
    QLabel* label = LblKord.at(i.value());
    ListBox* xList = LstX.at(i.value());
    ListBox* yList = LstY.at(i.value());
    if (!row.shown) {
      label->hide();
      label->setText(LblKord.at(0)->text());
      for (ListBox* list : {xList, yList}) {
        list->hide();
        list->SetListIndex(-1);
      }
      continue;
    }
    const bool leftColumn = i <= kRowsPerColumn;
    const RowColumn& column = leftColumn ? kLeftRows : kRightRows;
    const Int16 top = kRowTop + kRowStep * (leftColumn ? i : i - kRowsPerColumn);
    label->show();
    Place(label, "LblKord(0)", column.label, top);
    label->setText("T" + NumberQText(i) + "=");
    xList->show();
    Place(xList, "LstX(0)", column.x, top);
    xList->SetListIndex(row.x.value_or(-1));
    yList->show();
    Place(yList, "LstY(0)", column.y, top);
    yList->SetListIndex(row.y.value_or(-1));
  }
}

// Redraws the tree preview.
void GlForma::NacrtajMalu() {
  DrawTreePreview(model_.graph(), model_.positions(), MalaSlika->drawing());
  MalaSlika->update();
  MalaSlika->setAccessibleDescription(
      QString::fromStdString(DescribePreview(model_.graph(), model_.positions())));
  QAccessibleEvent described(MalaSlika, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&described);
}

void GlForma::ShowOptions() {
  // Only a choice can be made: an option of a group is unchecked by checking another.
  for (const auto& [option, display] : DisplayOptions())
    if (display == model_.display()) option->setChecked(true);
  for (const auto& [option, type] : MatrixTypeOptions())
    if (type == model_.matrixType()) option->setChecked(true);
  CmdVelika->setText(model_.display() ? "Calculate" : "Draw");
}

void GlForma::ShowResult() {
  VelikaSlika->drawing() = model_.picture();
  VelikaSlika->update();
}

// What the large picture shows, in words: the remarks of a refused tree, the drawn or
// calculated matrix, or nothing.
QString GlForma::ResultDescription() const {
  const auto& result = model_.result();
  if (!result) return "Empty";
  if (!result->tree) {
    return result->remarks && !result->remarks->empty() ? QString::fromStdString(*result->remarks)
                                                        : QString("Empty");
  }
  if (result->matrix) {
    return QString::fromStdString(
        DescribeCalculatedMatrix(*result->matrix, model_.matrixType(), *model_.display()));
  }
  return QString::fromStdString(DescribeDrawnMatrix(*result->tree, model_.matrixType()));
}

void GlForma::DescribeLargePicture(const QString& description) {
  VelikaSlika->setAccessibleDescription(description);
  QAccessibleEvent described(VelikaSlika, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&described);
}

void GlForma::ShowRemarks(const QString& text) {
  LblRemarks->SetRemark(text);
  const QRect& design = remarksDesign_;
  const int wanted = std::max(design.height(), LblRemarks->heightForWidth(design.width()));
  // Down to the window's bottom edge first; a message longer still (a long path wraps into
  // several lines) moves up into the gap below the large picture rather than being cut.
  const int bottom = client_->height();
  const int highest = VelikaSlika->geometry().bottom() + 1;
  const int top = std::clamp(bottom - wanted, highest, design.top());
  LblRemarks->setGeometry(design.left(), top, design.width(), std::min(wanted, bottom - top));
}

std::array<std::pair<QRadioButton*, DisplayChoice>, 5> GlForma::DisplayOptions() const {
  return {{{OptDr, std::nullopt},
           {OptWi, TopologicalIndex::Wiener},
           {OptRi, TopologicalIndex::Randic},
           {OptZi, TopologicalIndex::Zagreb},
           {OptHi, TopologicalIndex::Hosoya}}};
}

std::array<std::pair<QRadioButton*, MatrixType>, 4> GlForma::MatrixTypeOptions() const {
  return {{{OptEGM, MatrixType::EGM},
           {OptPGM, MatrixType::PGM},
           {OptSVGM, MatrixType::SVGM},
           {OptDVGM, MatrixType::DVGM}}};
}

}  // namespace korvelant
