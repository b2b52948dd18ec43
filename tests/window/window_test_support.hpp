#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "window/gl_forma.hpp"
#include "window/list_box.hpp"
#include "window/picture_box.hpp"
#include "window/user_dialogs.hpp"

class QPushButton;

namespace korvelant::testing {

// A control of the window by its design name, e.g. "LstVrhovi" or "c(12)".
template <typename Control>
Control* Find(const GlForma& form, const QString& name) {
  auto* control = form.findChild<Control*>(name);
  if (control == nullptr) throw std::runtime_error("no control " + name.toStdString());
  return control;
}

QString Element(const char* array, int index);

// The pixel rectangle of a twip rectangle, computed here independently of the window code:
// edges at twips / 15, rounded to the nearest pixel.
QRect ExpectedPixels(int left, int top, int width, int height);

// User actions, made with simulated mouse clicks on the real widgets.
void ClickEntry(ListBox* list, int row);
void ChooseVertexCount(GlForma& form, int count);
void ClickGridButton(GlForma& form, int index);
void ClickGridCell(GlForma& form, int row, int column);        // the button of row i, column j
void ChoosePosition(GlForma& form, int vertex, int x, int y);  // 0-based list positions
void ClickButton(GlForma& form, const char* name);

// Shows the window on the offscreen screen and waits until it is exposed.
void ShowAndWait(GlForma& form);
void ShowAndWait(QWidget& window);

// A tree entered with clicks: the vertex count, each edge's grid button and each vertex's
// coordinates (0-based list rows).
void EnterByClicks(GlForma& form, int vertices, const std::vector<std::pair<int, int>>& edges,
                   const std::vector<std::pair<int, int>>& positions = {});

// Everything a user sees of the entered tree: the vertex count chosen, the caption and
// visibility of every grid button, the rows of the coordinate lists and the preview's
// shapes. Two forms that show the same tree give the same text.
QString VisibleTree(const GlForma& form);

// The dialogs' answers, given by the test in advance; every refusal is recorded.
class ScriptedDialogs : public UserDialogs {
 public:
  std::deque<QString> files;        // FileToOpen and FileToSave take from the front
  QString filter;                   // what FileToSave reports as chosen
  std::optional<double> scale = 1;  // PngScale's answer
  QStringList refusals;             // "title: text"
  QStringList titles;               // the title of every file dialog asked for
  // PaperPictureLooks's answer, and the looks each of its questions started from.
  std::optional<PaperLooks> looks = PaperLooks{};
  std::vector<PaperLooks> offeredLooks;

  QString FileToOpen(QWidget*, const QString& title, const QString&) override;
  QString FileToSave(QWidget*, const QString& title, const QString&, QString* chosen) override;
  std::optional<double> PngScale(QWidget*) override { return scale; }
  std::optional<PaperLooks> PaperPictureLooks(QWidget*, const PaperLooks& offered) override {
    offeredLooks.push_back(offered);
    return looks;
  }
  void Refuse(QWidget*, const QString& title, const QString& text) override {
    refusals << title + ": " + text;
  }

 private:
  QString Next();
};

}  // namespace korvelant::testing
