#include "window/main_window.hpp"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <cmath>
#include <exception>

#include "drawing/plane_layout.hpp"
#include "engine/rooted_tree.hpp"
#include "engine/whole_tree_indices.hpp"
#include "input/tree_file.hpp"
#include "matrices/matrix_table.hpp"
#include "output/safe_file_writer.hpp"
#include "render/drawing_export.hpp"
#include "render/paper_picture_file.hpp"
#include "window/gl_forma.hpp"
#include "window/help_page.hpp"
#include "window/picture_box.hpp"
#include "window/picture_descriptions.hpp"
#include "window/smiles_dialog.hpp"

namespace korvelant {
namespace {

// A tree file is a few lines; anything much larger is not one, and is not read whole.
constexpr qint64 kLargestTreeFile = 64 * 1024;

const QString kTreeFilters = QStringLiteral("Korvelant trees (*.ktree);;All files (*)");
const QString kMatrixFilters = QStringLiteral("Text files (*.txt);;All files (*)");
const QString kPictureFilters =
    QStringLiteral("SVG pictures (*.svg);;PNG images (*.png);;PDF documents (*.pdf)");

// What the window asks for beside its client area for the frame and title bar.
constexpr QSize kFrameAllowance = {16, 40};

// A name typed without a suffix gets the one of the filter the user chose ("*.ktree").
QString WithSuffixOfFilter(const QString& path, const QString& filter) {
  if (!QFileInfo(path).suffix().isEmpty()) return path;
  const auto match = QRegularExpression(R"(\*\.(\w+))").match(filter);
  return match.hasMatch() ? path + "." + match.captured(1) : path;
}

QString Absolute(const QString& path) {
  return QFileInfo(path).absoluteFilePath();
}

// The failure message of the core, which names the path in the local encoding of names.
QString WriteFailure(const std::string& path, const QByteArray& bytes) {
  const auto failure = WriteFileSafely(path, std::string_view(bytes.constData(), bytes.size()));
  return failure ? QString::fromLocal8Bit(*failure) : QString();
}

// "3.8045": four decimals as the matrices show them, trailing zeros dropped, "." always.
QString Decimals(double value) {
  QString text = QString::number(value, 'f', 4);  // QString::number ignores the locale
  while (text.endsWith('0'))
    text.chop(1);
  if (text.endsWith('.')) text.chop(1);
  return text;
}

QString Integer(Int128 value) {
  return QString::fromStdString(ToDecimalString(value));
}

// What the status bar says of `graph`: nothing without vertices, its indices for a tree.
QString TreeIndicesText(const Graph& graph) {
  if (graph.vertexCount == 0) return {};
  const std::optional<RootedTree> tree = RootTree(graph);
  if (!tree) return "Not a tree";
  const WholeTreeIndices indices = ComputeWholeTreeIndices(*tree);
  // H for Hosoya, as in the matrix file's block names, where Z is Zagreb.
  return QStringLiteral("Tree: W = %1, M1 = %2, M2 = %3, \u03c7 = %4, H = %5")
      .arg(Integer(indices.wiener), Integer(indices.firstZagreb), Integer(indices.secondZagreb),
           Decimals(indices.randic), Integer(indices.hosoya.Narrow()));
}

}  // namespace

MainWindow::MainWindow(std::unique_ptr<UserDialogs> dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(std::move(dialogs)), form_(new GlForma) {
  setObjectName("MainWindow");
  setWindowTitle(form_->windowTitle());
  setCentralWidget(form_);
  statusMessage_ = new QLabel;
  statusMessage_->setObjectName("StatusMessage");
  statusMessage_->setTextFormat(Qt::PlainText);
  treeIndices_ = new QLabel;
  treeIndices_->setObjectName("TreeIndices");
  treeIndices_->setTextFormat(Qt::PlainText);
  // A screen reader reads a label by its name, which is its text while no other name is
  // set: the values themselves, announced as they change. What they are goes alongside.
  treeIndices_->setAccessibleDescription("Indices of the whole tree");
  statusBar()->addWidget(statusMessage_, 1);
  statusBar()->addPermanentWidget(treeIndices_);
  BuildMenus();
  // The status bar reports the last file command only: an earlier success never stands
  // above a write that failed or was refused.
  connect(form_, &GlForma::matricesWritten, this,
          [this](const QString& path) { ShowStatus("Wrote 16 matrices to " + path); });
  connect(form_, &GlForma::matricesWriteFailed, this, [this](const QString& failure) {
    ShowStatus("Could not write the matrices: " + failure);
  });
  connect(form_, &GlForma::matricesRefused, this, [this] { ShowStatus(QString()); });
  connect(form_, &GlForma::treeChanged, this, &MainWindow::UpdateTreeStatus);
  connect(form_, &GlForma::resultsChanged, this, &MainWindow::UpdateCommands);
  UpdateCommands();
  UpdateTreeStatus();
  FitToScreen();
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::AddCommand(QMenu* menu, const QString& text, const char* name,
                                void (MainWindow::*command)(), const QKeySequence& shortcut) {
  QAction* action = menu->addAction(text);
  action->setObjectName(name);
  action->setShortcut(shortcut);
  connect(action, &QAction::triggered, this, [this, command] { Guarded(command); });
  return action;
}

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  AddCommand(file, "&Open Tree\u2026", "actionOpenTree", &MainWindow::OpenTree, QKeySequence::Open);
  AddCommand(file, "&Save Tree\u2026", "actionSaveTree", &MainWindow::SaveTree, QKeySequence::Save);
  file->addSeparator();
  AddCommand(file, "&Write Matrices\u2026", "actionWriteMatrices", &MainWindow::WriteMatrices);
  exportPicture_ =
      AddCommand(file, "&Export Picture\u2026", "actionExportPicture", &MainWindow::ExportPicture);
  exportPreview_ =
      AddCommand(file, "Export Pre&view\u2026", "actionExportPreview", &MainWindow::ExportPreview);
  exportForPaper_ = AddCommand(file, "Export for a &Paper\u2026", "actionExportForPaper",
                               &MainWindow::ExportForPaper);
  file->addSeparator();
  AddCommand(file, "&Quit", "actionQuit", &MainWindow::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q));

  QMenu* edit = menuBar()->addMenu("&Edit");
  copyMatrix_ = AddCommand(edit, "&Copy Matrix", "actionCopyMatrix", &MainWindow::CopyMatrix,
                           QKeySequence::Copy);
  copyPicture_ = AddCommand(edit, "Copy &Picture", "actionCopyPicture", &MainWindow::CopyPicture);

  QMenu* tree = menuBar()->addMenu("&Tree");
  tree->setObjectName("menuTree");
  // Entries that bring in a tree from elsewhere go here, above Clear; each ends in
  // GlForma::EnterTree, as Open Tree does.
  AddCommand(tree, "From &SMILES\u2026", "actionFromSmiles", &MainWindow::EnterSmiles,
             QKeySequence(Qt::CTRL | Qt::Key_M));
  tree->addSeparator()->setObjectName("treeSourcesEnd");
  AddCommand(tree, "&Clear", "actionClearTree", &MainWindow::ClearTree);

  QMenu* help = menuBar()->addMenu("&Help");
  AddCommand(help, "&Matrix Types and Indices", "actionMatrixHelp", &MainWindow::ShowMatrixHelp,
             QKeySequence::HelpContents);
  AddCommand(help, "&About Korvelant", "actionAbout", &MainWindow::ShowAbout);
}

void MainWindow::Guarded(void (MainWindow::*command)()) {
  try {
    (this->*command)();
  } catch (const std::exception& failure) {
    ShowFailure(QString::fromLocal8Bit(failure.what()));
  } catch (...) {
    ShowFailure("an unknown error");
  }
}

void MainWindow::ShowFailure(const QString& what) {
  form_->ShowFailure(what);
  ShowStatus("Something went wrong: " + what);
}

void MainWindow::ShowStatus(const QString& message) {
  statusMessage_->setText(message);
  statusMessage_->setToolTip(message);
}

// As GlForma on its own: the client area whole where the screen has room for it; the menu
// and status bars come on top of it.
void MainWindow::FitToScreen() {
  const QSize bars = sizeHint() - form_->sizeHint();
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  const QSize room = screen->availableGeometry().size() - kFrameAllowance - bars;
  resize(form_->SizeForRoom(room) + bars);
}

void MainWindow::UpdateCommands() {
  const bool result = !form_->largePicture().drawing().empty();
  copyMatrix_->setEnabled(result);
  copyPicture_->setEnabled(result);
  exportPicture_->setEnabled(result);
  exportForPaper_->setEnabled(result);
  exportPreview_->setEnabled(!form_->preview().drawing().empty());
}

void MainWindow::UpdateTreeStatus() {
  UpdateCommands();
  treeIndices_->setText(TreeIndicesText(form_->graph()));
}

void MainWindow::OpenTree() {
  const QString path = dialogs_->FileToOpen(this, "Open Tree", kTreeFilters);
  if (!path.isEmpty()) OpenTreeFile(path);
}

bool MainWindow::OpenTreeFile(const QString& path) {
  const auto refuse = [this, &path](const QString& why) {
    dialogs_->Refuse(this, "Open Tree", "Cannot open \"" + path + "\": " + why);
    return false;
  };
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return refuse(file.errorString() + ".");
  if (file.size() > kLargestTreeFile) return refuse("it is too large to be a tree file.");
  const QByteArray bytes = file.read(kLargestTreeFile + 1);
  const TreeFileReading reading = ReadTreeFile(std::string_view(bytes.constData(), bytes.size()));
  if (!reading.tree) return refuse(QString::fromStdString(reading.error) + ".");
  const int n = reading.tree->graph.vertexCount;
  if (n > kMaxVertices) {
    return refuse(
        QStringLiteral("the tree has %1 vertices, and the window takes trees of up to "
                       "%2. korvelant-cli computes matrices of trees of up to %3 vertices.")
            .arg(n)
            .arg(kMaxVertices)
            .arg(kMaxMatrixVertices));
  }
  form_->EnterTree(*reading.tree);
  ShowStatus("Opened the tree in " + Absolute(path));
  return true;
}

void MainWindow::EnterSmiles() {
  SmilesDialog dialog(smiles_, this);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  if (!accepted || !dialog.tree()) return;  // cancelled: neither tree nor SMILES changes
  smiles_ = dialog.smiles().trimmed();
  form_->EnterTree(*dialog.tree());
  ShowStatus("Entered the tree of " + smiles_);
}

void MainWindow::SaveTree() {
  QString filter;
  const QString path = dialogs_->FileToSave(this, "Save Tree", kTreeFilters, &filter);
  if (!path.isEmpty()) SaveTreeFile(WithSuffixOfFilter(path, filter));
}

bool MainWindow::SaveTreeFile(const QString& path) {
  const std::string text = TreeFileText(form_->EnteredTree());
  const QString failure =
      WriteFailure(QFile::encodeName(path).toStdString(), QByteArray::fromStdString(text));
  if (!failure.isEmpty()) {
    dialogs_->Refuse(this, "Save Tree", failure);
    return false;
  }
  ShowStatus("Saved the tree to " + Absolute(path));
  return true;
}

void MainWindow::WriteMatrices() {
  QString filter;
  const QString path = dialogs_->FileToSave(this, "Write Matrices", kMatrixFilters, &filter);
  if (!path.isEmpty()) form_->WriteMatricesTo(WithSuffixOfFilter(path, filter));
}

namespace {

QString NothingToExportText(const QString& what) {
  return "The " + what + " is empty: there is nothing to export.";
}

}  // namespace

void MainWindow::ExportPicture() {
  Export(form_->largePicture(), "matrix picture");
}

void MainWindow::ExportPreview() {
  Export(form_->preview(), "tree preview");
}

void MainWindow::Export(const PictureBox& picture, const QString& what) {
  if (picture.drawing().empty()) {
    dialogs_->Refuse(this, "Export", NothingToExportText(what));
    return;
  }
  QString filter;
  const QString path = dialogs_->FileToSave(this, "Export the " + what, kPictureFilters, &filter);
  if (!path.isEmpty()) ExportPictureFile(picture, what, WithSuffixOfFilter(path, filter));
}

bool MainWindow::HasPictureSuffix(const QString& path) {
  if (PictureFormatOf(path)) return true;
  dialogs_->Refuse(this, "Export",
                   "Cannot export to \"" + path +
                       "\": the name must end in .svg, .png or .pdf, the kind of picture to "
                       "make.");
  return false;
}

bool MainWindow::WritePicture(const QString& path, const QByteArray& bytes, const QString& done) {
  const QString failure = WriteFailure(QFile::encodeName(path).toStdString(), bytes);
  if (!failure.isEmpty()) {
    dialogs_->Refuse(this, "Export", failure);
    return false;
  }
  ShowStatus(done + " to " + Absolute(path));
  return true;
}

bool MainWindow::ExportPictureFile(const PictureBox& picture, const QString& what,
                                   const QString& path) {
  if (!HasPictureSuffix(path)) return false;
  const PictureFormat format = *PictureFormatOf(path);
  double scale = 1;
  if (format == PictureFormat::Png) {
    const std::optional<double> chosen = dialogs_->PngScale(this);
    if (!chosen) return false;
    scale = *chosen;
  }
  const QByteArray bytes =
      DrawingFileBytes(picture.drawing(), picture.drawingStyle(), picture.pictureSize(), format,
                       scale, "Korvelant " + what);
  return WritePicture(path, bytes, "Exported the " + what);
}

void MainWindow::ExportForPaper() {
  const std::optional<MatrixType> type = form_->drawnMatrixType();
  if (!type) {
    dialogs_->Refuse(this, "Export",
                     form_->largePicture().drawing().empty()
                         ? NothingToExportText("matrix picture")
                         : QStringLiteral("A picture for a paper draws the matrix's subgraphs: "
                                          "choose Draw matrix and press Draw first. Copy "
                                          "Matrix takes the numbers as a table."));
    return;
  }
  QString filter;
  const QString path =
      dialogs_->FileToSave(this, "Export the matrix picture for a paper", kPictureFilters, &filter);
  if (!path.isEmpty()) ExportForPaperFile(*type, WithSuffixOfFilter(path, filter));
}

bool MainWindow::ExportForPaperFile(MatrixType type, const QString& path) {
  if (!HasPictureSuffix(path)) return false;
  const std::optional<PaperLooks> looks = dialogs_->PaperPictureLooks(this, paperLooks_);
  if (!looks) return false;
  paperLooks_ = *looks;
  PaperPictureRequest request;
  request.type = type;
  request.kind = *DrawFileKindOf(path);
  request.background = looks->background;
  request.options = {looks->numbers, looks->caption.toStdString()};
  if (request.kind == DrawFileKind::kPng) {
    const std::optional<double> scale = dialogs_->PngScale(this);
    if (!scale) return false;
    request.scale = *scale;
  }
  const SavedTree tree = form_->EnteredTree();
  const std::string bytes = PaperPictureBytes(tree.graph, GridPoints(tree.positions), request);
  return WritePicture(path, QByteArray::fromStdString(bytes),
                      "Exported the matrix picture for a paper");
}

void MainWindow::CopyMatrix() {
  const auto& matrix = form_->calculatedMatrix();
  if (!matrix) {
    CopyPicture();  // a drawing has no numbers: the picture is what there is to copy
    return;
  }
  QApplication::clipboard()->setText(QString::fromStdString(SeparatedMatrix(*matrix, '\t')));
  ShowStatus("Copied the matrix as a table");
}

void MainWindow::CopyPicture() {
  const PictureBox& picture = form_->largePicture();
  if (picture.drawing().empty()) {
    ShowStatus("Nothing to copy: Draw or Calculate first");
    return;
  }
  // The image at the screen's own density, and the same picture as SVG for programs that
  // take vectors.
  auto* data = new QMimeData;
  const double density = devicePixelRatioF();
  QImage image =
      RenderDrawing(picture.drawing(), picture.drawingStyle(), picture.pictureSize(), density);
  image.setDevicePixelRatio(density);
  data->setImageData(image);
  data->setData("image/svg+xml",
                DrawingFileBytes(picture.drawing(), picture.drawingStyle(), picture.pictureSize(),
                                 PictureFormat::Svg, 1, "Korvelant matrix picture"));
  QApplication::clipboard()->setMimeData(data);
  ShowStatus("Copied the matrix picture");
}

void MainWindow::ClearTree() {
  form_->ClearTree();
  ShowStatus(QString());
}

void MainWindow::Quit() {
  close();
}

void MainWindow::ShowMatrixHelp() {
  if (help_ == nullptr) {
    auto* dialog = new QDialog(this);
    dialog->setObjectName("MatrixHelp");
    dialog->setWindowTitle("Matrix Types and Indices");
    auto* text = new QTextBrowser(dialog);
    text->setHtml(MatrixHelpHtml());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    dialog->resize(660, 720);
    help_ = dialog;
  }
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void MainWindow::ShowAbout() {
  QMessageBox::about(this, "About Korvelant", AboutHtml());
}

}  // namespace korvelant
