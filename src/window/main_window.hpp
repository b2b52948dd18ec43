#pragma once

#include <QMainWindow>
#include <memory>

#include "model/matrix_kind.hpp"
#include "window/user_dialogs.hpp"

class QAction;
class QLabel;

namespace korvelant {

class GlForma;
class PictureBox;

// The program's window: the form as designed in the middle, untouched in size and layout,
// with a menu bar above it and a status bar below. The menus reach what the form's own
// controls cannot: tree files, a file dialog for the matrix file, picture exports, the
// clipboard and help. Every menu command is a QAction named "action..." for tests.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(std::unique_ptr<UserDialogs> dialogs = std::make_unique<QtDialogs>(),
                      QWidget* parent = nullptr);
  ~MainWindow() override;

  GlForma& form() const { return *form_; }

  // A failure nobody foresaw, from a command or from the application's last guard: shown in
  // the form's remarks and the status bar.
  void ShowFailure(const QString& what);

  // The commands behind the menu entries, each asking the user what it needs.
  void OpenTree();
  void SaveTree();
  void WriteMatrices();
  void ExportPicture();
  void ExportPreview();
  // The matrix drawn, as draw --layout circle makes it for a paper, on the window's positions.
  void ExportForPaper();
  void CopyMatrix();
  void CopyPicture();
  // Tree > From SMILES: a molecule's skeleton entered as a tree, laid out as RDKit depicts it.
  void EnterSmiles();
  void ClearTree();
  void Quit();
  void ShowMatrixHelp();
  void ShowAbout();

  // The steps of those commands once the file is known; false when refused.
  bool OpenTreeFile(const QString& path);
  bool SaveTreeFile(const QString& path);
  bool ExportPictureFile(const PictureBox& picture, const QString& what, const QString& path);
  bool ExportForPaperFile(MatrixType type, const QString& path);

 private:
  void BuildMenus();
  QAction* AddCommand(QMenu* menu, const QString& text, const char* name,
                      void (MainWindow::*command)(), const QKeySequence& shortcut = {});
  void FitToScreen();
  // Enables what makes sense for what the pictures show now.
  void UpdateCommands();
  // The whole tree's indices while the entered graph is a tree.
  void UpdateTreeStatus();
  void ShowStatus(const QString& message);
  void Export(const PictureBox& picture, const QString& what);
  // Refuses a file name whose suffix names no kind of picture; false then.
  bool HasPictureSuffix(const QString& path);
  // Writes the bytes of a picture, saying so or why not; false when refused.
  bool WritePicture(const QString& path, const QByteArray& bytes, const QString& done);
  // Runs a menu command so that no exception leaves it.
  void Guarded(void (MainWindow::*command)());

  std::unique_ptr<UserDialogs> dialogs_;
  GlForma* form_ = nullptr;
  QLabel* statusMessage_ = nullptr;
  QLabel* treeIndices_ = nullptr;
  QAction* copyMatrix_ = nullptr;
  QAction* copyPicture_ = nullptr;
  QAction* exportPicture_ = nullptr;
  QAction* exportPreview_ = nullptr;
  QAction* exportForPaper_ = nullptr;
  QWidget* help_ = nullptr;
  PaperLooks paperLooks_;  // the looks last chosen, offered again by the next paper export
  QString smiles_;         // the SMILES last entered, offered again by the next From SMILES
};

}  // namespace korvelant
