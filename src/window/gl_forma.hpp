#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "engine/graphical_matrices.hpp"
#include "input/tree_file.hpp"
#include "matrices/draw_calculate_command.hpp"
#include "model/graph.hpp"
#include "session/window_model.hpp"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace korvelant {

class ListBox;
class PictureBox;
class RemarksLabel;

// The main window: a view of one WindowModel, which holds the tree, the positions, the
// options and the result. Each event handler performs the user's operation on the model,
// then the form mirrors what the operation made stale; nothing is read back from a control.
// Every control carries its design name as its object name ("LstVrhovi", "c(12)"), so it
// can be reached with findChild.
class GlForma : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kGridButtons = kMaxVertices * kMaxVertices;

  explicit GlForma(QWidget* parent = nullptr);
  ~GlForma() override;

  // The graph entered so far: the vertex count and the edges of the grid.
  const Graph& graph() const { return model_.graph(); }
  // The 1327 x 985 pixel surface that holds every control, inside a scroll area that only
  // scrolls when the screen is smaller than the window.
  QWidget* clientArea() const { return client_; }

  QSize sizeHint() const override;
  // The size the window takes where `room` is left for it: the client area's, or as much
  // as there is with scroll bars.
  QSize SizeForRoom(QSize room) const;

  // The tree as the user entered it, positions included: what a tree file holds.
  SavedTree EnteredTree() const;
  // Takes a tree in as if the user entered it: its vertex count chosen, the button of each
  // edge clicked, each coordinate chosen, the preview redrawn and the results cleared.
  // Throws std::invalid_argument for more than kMaxVertices vertices or a bad tree.
  void EnterTree(const SavedTree& tree);
  // Back to the empty tree of the window's start: no vertex count chosen, no grid, no rows.
  void ClearTree();
  // The file command for `path`: puts it into the file-name box and presses Write to File.
  void WriteMatricesTo(const QString& path);

  const PictureBox& preview() const { return *MalaSlika; }
  const PictureBox& largePicture() const { return *VelikaSlika; }
  // The matrix whose numbers the large picture shows, after Calculate; nothing after Draw
  // or once the results are cleared.
  const std::optional<GraphicalMatrix>& calculatedMatrix() const;
  // The type of the matrix the large picture draws, after Draw; nothing after Calculate,
  // whose picture shows numbers, or once the results are cleared.
  std::optional<MatrixType> drawnMatrixType() const;
  // A failure nobody foresaw, shown in the remarks; the window goes on.
  void ShowFailure(const QString& what);

 signals:
  // The matrix file was written to this absolute path.
  void matricesWritten(const QString& path);
  // Writing the matrix file failed; `failure` is the message the remarks show.
  void matricesWriteFailed(const QString& failure);
  // The file command refused a graph that is not a tree; nothing was written.
  void matricesRefused();
  // The entered tree changed: a vertex count, an edge or a position, a tree opened.
  void treeChanged();
  // The large picture was drawn, calculated or cleared.
  void resultsChanged();

 protected:
  // The arrow keys of the edge grid.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Window start: creates the array elements from their templates and fills the lists.
  void Form_Load();

  // The events of the controls; array handlers receive the element's index, the lists'
  // handlers the row chosen.
  void LstVrhovi_Click(int row);
  void c_Click(int index);
  void LstX_Click(int index, int row);
  void LstY_Click(int index, int row);
  void OptDr_Click();
  void OptWi_Click();
  void OptRi_Click();
  void OptZi_Click();
  void OptHi_Click();
  void OptMt_Click(MatrixType type);
  void CmdVelika_Click();
  void CmdFile_Click();

  // Runs an event handler so that no exception leaves it: a failure becomes a remark and
  // the window goes on.
  void Handle(const std::function<void()>& handler);
  // Moves the focus within the grid from button `index` by one row or column, over the
  // diagonal; true when the key was an arrow.
  bool MoveInGrid(int index, int key);
  // What a display option does: the model's display, which names the command.
  void ChooseDisplay(DisplayChoice display);

  // Brings the controls the model made stale up to date, then tells the window around.
  void Mirror();
  // Lays out the n x n edge grid of the model's vertex count with the edges' marks.
  void LayOutGrid();
  QString EdgeCaptionOf(int i, int j) const;
  void MarkToggledEdges(const std::vector<Edge>& edges);
  // Shows and places the rows the model shows, with their choices; hides the others.
  void LayOutVertexRows();
  // Redraws the tree preview.
  void NacrtajMalu();
  // The chosen options and the command's caption they give.
  void ShowOptions();
  // The large picture: the model's result, or nothing.
  void ShowResult();
  QString ResultDescription() const;
  // The accessible description of the large picture, after it changed.
  void DescribeLargePicture(const QString& description);
  // Puts a text into LblRemarks. A message too long for the label's one line (a write
  // failure naming a long path) lets the label grow, so no word is cut off.
  void ShowRemarks(const QString& text);

  // The option buttons and what each chooses.
  std::array<std::pair<QRadioButton*, DisplayChoice>, 5> DisplayOptions() const;
  std::array<std::pair<QRadioButton*, MatrixType>, 4> MatrixTypeOptions() const;

  void BuildControls();
  void SetTabOrder();
  void ConnectEvents();
  void FitToScreen();
  void NameForAccessibility();

  WindowModel model_;
  QRect remarksDesign_;     // LblRemarks as designed, in pixels
  bool mirroring_ = false;  // while the controls are brought up to the model

  QScrollArea* scroll_ = nullptr;
  QWidget* client_ = nullptr;

  QLabel* LblVrhovi = nullptr;
  ListBox* LstVrhovi = nullptr;
  QLabel* LblFileNm = nullptr;
  QLineEdit* TxtFileNm = nullptr;
  QPushButton* CmdFile = nullptr;
  PictureBox* MalaSlika = nullptr;
  PictureBox* VelikaSlika = nullptr;
  QFrame* FrDis = nullptr;
  QLabel* LblDis = nullptr;
  QRadioButton* OptDr = nullptr;
  QRadioButton* OptWi = nullptr;
  QRadioButton* OptRi = nullptr;
  QRadioButton* OptZi = nullptr;
  QRadioButton* OptHi = nullptr;
  QFrame* FrMt = nullptr;
  QLabel* LblMt = nullptr;
  QRadioButton* OptEGM = nullptr;
  QRadioButton* OptPGM = nullptr;
  QRadioButton* OptSVGM = nullptr;
  QRadioButton* OptDVGM = nullptr;
  QPushButton* CmdVelika = nullptr;
  RemarksLabel* LblRemarks = nullptr;

  // The control arrays, indexed as designed: element 0 is the invisible template.
  std::array<QPushButton*, kGridButtons + 1> c{};
  std::array<QLabel*, kMaxVertices + 1> LblKord{};
  std::array<ListBox*, kMaxVertices + 1> LstX{};
  std::array<ListBox*, kMaxVertices + 1> LstY{};
};

}  // namespace korvelant
