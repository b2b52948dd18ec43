#pragma once

#include <QWidget>
#include <array>

#include "matrices/draw_calculate_command.hpp"
#include "model/graph.hpp"
#include "model/vertex_positions.hpp"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace korvelant {

class ListBox;
class PictureBox;

// The main window. It owns the entered graph for as long as it lives;
// the vertex coordinates are not copied anywhere but read from the coordinate lists.
// Every control carries its design name as its object name ("LstVrhovi", "c(12)"), so it
// can be reached with findChild.
class GlForma : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kGridButtons = kMaxVertices * kMaxVertices;

  explicit GlForma(QWidget* parent = nullptr);
  ~GlForma() override;

  // The graph entered so far: the vertex count and the edges of the grid.
  const Graph& graph() const { return graph_; }
  // The 1327 x 985 pixel surface that holds every control, inside a scroll area that only
  // scrolls when the screen is smaller than the window.
  QWidget* clientArea() const { return client_; }

  QSize sizeHint() const override;

 private:
  // Window start: creates the array elements from their templates and fills the lists.
  void Form_Load();

  // The events of the controls; array handlers receive the element's index.
  void LstVrhovi_Click();
  void c_Click(int index);
  void LstX_Click(int index);
  void LstY_Click(int index);
  void OptDr_Click();
  void OptWi_Click();
  void OptRi_Click();
  void OptZi_Click();
  void OptHi_Click();
  void CmdVelika_Click();
  void CmdFile_Click();

  // Lays out the n x n edge grid with every edge among vertices 1..n removed.
  void LayOutGrid();
  // Shows and places the rows of vertices 1..n and puts the vertices on their circle.
  void LayOutVertexRows();
  // Redraws the tree preview and clears the results of any earlier tree.
  void NacrtajMalu();
  // What a display option does: clears the results and names the command.
  void ChooseDisplay(const char* commandCaption);
  // Puts a text into LblRemarks. A message too long for the label's one line (a write
  // failure naming a long path) lets the label grow downwards, so no word is cut off.
  void ShowRemarks(const QString& text);

  VertexPositions Positions() const;
  DisplayChoice SelectedDisplay() const;
  MatrixType SelectedMatrixType() const;

  void BuildControls();
  void CreateArrayElements();
  void SetTabOrder();
  void ConnectEvents();
  void FitToScreen();

  Graph graph_;
  int remarksLineHeight_ = 0;  // LblRemarks as designed, in pixels
  bool placingVertices_ = false;

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
  QLabel* LblRemarks = nullptr;

  // The control arrays, indexed as designed: element 0 is the invisible template.
  std::array<QPushButton*, kGridButtons + 1> c{};
  std::array<QLabel*, kMaxVertices + 1> LblKord{};
  std::array<ListBox*, kMaxVertices + 1> LstX{};
  std::array<ListBox*, kMaxVertices + 1> LstY{};
};

}  // namespace korvelant
