#include "render/control_table.hpp"

#include <array>

namespace korvelant {
namespace {

using enum ControlKind;

constexpr DesignedFont kFrDisFont = {8.25, 400};
constexpr DesignedFont kHeadingFont = {12, 700};
constexpr DesignedFont kRemarksFont = {13.5, 700};
constexpr DesignedFont kLargePictureFont = {13.5, 400};

// clang-format off
constexpr std::array kControls = {
//  name           kind           container  left   top    width  height tab caption
  DesignedControl{"LblVrhovi",  Label,         "",     480,   240,  2535,   255,  0, "Number of vertices ="},
  DesignedControl{"LstVrhovi",  ListBox,       "",    3120,   240,   615,   360,  2, ""},
  DesignedControl{"LblFileNm",  Label,         "",    5760,   240,  1455,   375, 16, "File name = "},
  DesignedControl{"TxtFileNm",  TextBox,       "",    7320,   240,  9255,   420, 17, "Text1"},
  DesignedControl{"CmdFile",    CommandButton, "",   16680,   240,  1815,   495, 18, "Write to File"},
  DesignedControl{"c(0)",       CommandButton, "",     480,  1200,   400,   400,  1, "", {}, true},
  DesignedControl{"LblKord(0)", Label,         "",     480,  2640,   597,   495,  3, "Label1", {}, true},
  DesignedControl{"LstX(0)",    ListBox,       "",    1320,  2640,   995,   360,  4, "", {}, true},
  DesignedControl{"LstY(0)",    ListBox,       "",    2760,  2640,   995,   360,  5, "", {}, true},
  DesignedControl{"MalaSlika",  PictureBox,    "",     200,  7800,  3500,  3500,  6, ""},
  DesignedControl{"VelikaSlika", PictureBox,   "",    6720,  1125, 11943, 11880, 14, "", kLargePictureFont},
  DesignedControl{"FrDis",      Frame,         "",     120, 11520,  2535,  3255,  7, "", kFrDisFont},
  DesignedControl{"LblDis",     Label,         "FrDis", 240,    0,  2415,   375, 13, "Display", kHeadingFont},
  DesignedControl{"OptDr",      OptionButton,  "FrDis", 240,  600,  3135,   300,  8, "Draw matrix", {}, false, true},
  DesignedControl{"OptWi",      OptionButton,  "FrDis", 240, 1100,  3135,   300,  9, "Wiener index"},
  DesignedControl{"OptRi",      OptionButton,  "FrDis", 240, 1600,  2055,   300, 10, "Randic index"},
  DesignedControl{"OptZi",      OptionButton,  "FrDis", 240, 2100,  2175,   300, 11, "Zagreb index"},
  DesignedControl{"OptHi",      OptionButton,  "FrDis", 240, 2600,  2295,   300, 19, "Hosoya index"},
  DesignedControl{"FrMt",       Frame,         "",    2760, 11640,  3735,  3495, 20, ""},
  DesignedControl{"LblMt",      Label,         "FrMt",  360,    0,  2055,   375, 25, "Matrix type", kHeadingFont},
  DesignedControl{"OptEGM",     OptionButton,  "FrMt",    0,  600,  3135,   300, 24, "Edge-graphical matrix", {}, false, true},
  DesignedControl{"OptPGM",     OptionButton,  "FrMt",    0, 1100,  2775,   300, 23, "Path-graphical matrix"},
  DesignedControl{"OptSVGM",    OptionButton,  "FrMt",    0, 1600,  3855,   300, 22, "Sparse vertex-graphical matrix"},
  DesignedControl{"OptDVGM",    OptionButton,  "FrMt",    0, 2100,  3735,   300, 21, "Dense vertex-graphical matrix"},
  DesignedControl{"CmdVelika",  CommandButton, "",    7080, 13680,  1815,   615, 12, "Draw"},
  DesignedControl{"LblRemarks", Label,         "",    9720, 13680,  9615,   495, 15, "", kRemarksFont},
};
// clang-format on

}  // namespace

std::span<const DesignedControl> DesignedControls() {
  return kControls;
}

}  // namespace korvelant
