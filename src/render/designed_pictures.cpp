#include "render/designed_pictures.hpp"

#include <QFontDatabase>
#include <QStringList>
#include <algorithm>
#include <stdexcept>
#include <string>

#include "render/twips.hpp"

namespace korvelant {
namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

const DesignedControl& Designed(std::string_view name) {
  const auto controls = DesignedControls();
  const auto found =
      std::find_if(controls.begin(), controls.end(),
                   [name](const DesignedControl& design) { return design.name == name; });
  if (found == controls.end()) throw std::logic_error("no designed control " + std::string(name));
  return *found;
}

QFont DesignFont(DesignedFont design) {
  QStringList families = {ToQString(kFontFamily)};
  for (const std::string_view substitute : kFontSubstitutes)
    families << ToQString(substitute);
  families << QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
  QFont font;
  font.setFamilies(families);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(FontPixelSize(design.points));
  font.setWeight(static_cast<QFont::Weight>(design.weight));
  return font;
}

QSize DesignedPictureArea(std::string_view picture) {
  const DesignedControl& design = Designed(picture);
  const QRect box = TwipRectToPixels(design.left, design.top, design.width, design.height);
  return box.size() - QSize(2 * kPictureBorderPixels, 2 * kPictureBorderPixels);
}

DrawingStyle DesignedPictureStyle(std::string_view picture, const QPalette& palette) {
  const DesignedControl& design = Designed(picture);
  // A picture box without a font of its own takes the window's, as any control does.
  const DesignedFont font = design.font.points > 0 ? design.font : kWindowFont;
  return {palette.color(QPalette::Midlight), palette.color(QPalette::WindowText), DesignFont(font)};
}

}  // namespace korvelant
