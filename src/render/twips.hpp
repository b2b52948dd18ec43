#pragma once

#include <QRect>
#include <cmath>

namespace korvelant {

// The window is laid out in twips (1/1440 inch) and shown at 15 twips to a device-independent
// pixel, i.e. 96 dots per inch. Qt scales device-independent pixels on high-density screens
// itself, so this fixed ratio is the one and only mapping from twips to the screen.
inline constexpr double kTwipsPerPixel = 15;

inline double TwipsToPixels(double twips) {
  return twips / kTwipsPerPixel;
}

inline int TwipsToWholePixels(double twips) {
  return static_cast<int>(std::lround(TwipsToPixels(twips)));
}

// The edges are rounded rather than the size, so controls whose edges meet in twips (the
// grid buttons, 375 twips apart and 375 wide) also meet on screen, without gaps or overlaps.
inline QRect TwipRectToPixels(int left, int top, int width, int height) {
  const int x0 = TwipsToWholePixels(left);
  const int y0 = TwipsToWholePixels(top);
  return QRect(x0, y0, TwipsToWholePixels(left + width) - x0,
               TwipsToWholePixels(top + height) - y0);
}

// A point is 20 twips. Fonts follow the same mapping as the controls, so a text never grows
// out of its control on a screen whose reported dots per inch differ from 96.
inline int FontPixelSize(double points) {
  return TwipsToWholePixels(points * 20);
}

}  // namespace korvelant
