#pragma once

#include <QRect>
#include <QString>
#include <stdexcept>

#include "window/gl_forma.hpp"
#include "window/list_box.hpp"
#include "window/picture_box.hpp"

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

}  // namespace korvelant::testing
