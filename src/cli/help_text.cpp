#include "cli/help_text.hpp"

#include "cli/command_line.hpp"
#include "cli/input_formats.hpp"
#include "cli/subcommand_options.hpp"

namespace korvelant {
namespace {

constexpr std::string_view kOverview =
    R"(korvelant-cli: graphical matrices of trees of up to 1,000 vertices

Usage:
  korvelant-cli file (--vertices N --edges EDGES | --smiles SMILES)
                     [--output PATH]
  korvelant-cli calc (--vertices N --edges EDGES | --smiles SMILES)
                     --type TYPE --index INDEX [--format FORMAT]
  korvelant-cli batch [--from FORMAT] [--format csv|jsonl] [--matrices]
                      [--columns LIST] [--jobs N] [--no-header] [--output PATH]
                      [--smiles-column NAME] [--name-column NAME]
                      [--title-line | --no-title-line] [INPUT...]
  korvelant-cli draw (--vertices N --edges EDGES | --smiles SMILES)
                     (--type TYPE | --preview) [options] --output PICTURE
  korvelant-cli --help | --version
  korvelant-cli COMMAND --help

Commands:
  file   Writes all sixteen matrices of one tree in the matrix file format.
  calc   Prints one matrix of one tree and its half-sum.
  batch  Computes many trees, one row each, as CSV or JSON lines.
  draw   Draws a graphical matrix or the tree for a paper, in SVG, PNG or PDF.

The matrices are the edge-, path-, sparse vertex- and dense vertex-graphical
matrices (EGM, PGM, SVGM, DVGM), each element holding the Wiener, Randic,
Zagreb or Hosoya index of its subgraph. Vertices are numbered as given; a
molecule's are its heavy atoms (every atom but hydrogen) in the order the SMILES
or molfile lists them, its bonds the edges.

Options are written "--name value" or "--name=value". Matrix types and indices
may be written in any letter case.

Exit status:
  0  success
  1  a graph is not a tree, or some batch records were refused
  2  bad input or usage, or an input that cannot be read
  3  the output cannot be written
)";

constexpr std::string_view kFileHelpStart =
    R"(Usage: korvelant-cli file (--vertices N --edges EDGES | --smiles SMILES)
                          [--output PATH]

Writes all sixteen matrices of the tree (EGM, PGM, SVGM, DVGM, each with the
Wiener, Randic, Zagreb and Hosoya index) in the matrix file format, with CR LF
line ends.

)";

constexpr std::string_view kFileHelpEnd = R"(
Exit status: 0 written, 1 not a tree (no file is touched), 2 bad input or
usage, 3 the output cannot be written.
)";

constexpr std::string_view kCalcHelpStart =
    R"(Usage: korvelant-cli calc (--vertices N --edges EDGES | --smiles SMILES)
                          --type TYPE --index INDEX [--format FORMAT]

Prints one matrix: line i holds elements (i, 1) to (i, n) separated by ", ",
then the line "Half-sum of matrix elements is: " and the half-sum.

)";

constexpr std::string_view kCalcHelpEnd = R"(
Exit status: 0 printed, 1 not a tree, 2 bad input or usage, 3 the output cannot
be written.
)";

constexpr std::string_view kDrawHelpStart =
    R"(Usage: korvelant-cli draw (--vertices N --edges EDGES | --smiles SMILES)
                          (--type TYPE | --preview) [options] --output PICTURE

Draws a graphical matrix for a paper: each cell the element's subgraph drawn over the tree
in miniature, kept edges thick and removed edges thin, an empty element "0", the vertex
numbers along the top and the left; or with --preview the tree itself, its vertices
numbered. Matrices of trees of up to 128 vertices, trees of up to 1000; cells shrink as the
tree grows. At the default size a matrix stays legible up to about 20 vertices; past that
give it about 60 pixels (or points) per vertex with --width. No display is needed.

)";

constexpr std::string_view kDrawHelpEnd = R"(
Examples:
  korvelant-cli draw --smiles 'CCCC(C)C(C)C' --type PGM --caption "2,3-dimethylhexane" \
      --output pgm.svg
  korvelant-cli draw --vertices 4 --edges 1-2,2-3,2-4 --type EGM --width 400 --output egm.png

Exit status: 0 written, 1 not a tree (no file is touched), 2 bad input or usage (an
unknown option value, an unknown suffix), 3 the output cannot be written.
)";

constexpr std::string_view kNoDrawHelp =
    R"(Usage: korvelant-cli draw ...

This korvelant-cli was built without the window (KORVELANT_WINDOW=OFF), whose drawing code
draw uses: draw is not available.
)";

constexpr std::string_view kBatchHelpStart =
    R"(Usage: korvelant-cli batch [--from FORMAT] [--format csv|jsonl] [--matrices]
                           [--columns LIST] [--jobs N] [--no-header]
                           [--output PATH] [--smiles-column NAME]
                           [--name-column NAME]
                           [--title-line | --no-title-line] [INPUT...]

Reads trees from the INPUT files, or from standard input when there is none or
one is "-", and writes one row per record, in input order, while input still
arrives. Trees of up to 100,000 vertices; with --matrices up to 1,000.

)";

constexpr std::string_view kBatchHelpEnd = R"(
Columns: name (given on the line; for graph6 and sparse6 the record itself),
vertices, edges, the sixteen half-sums named like the matrix file's blocks
(WIEGM, RIEGM, ZIEGM, HIEGM, WIPGM, ... HIDVGM), the whole-tree indices
W (Wiener), WW (hyper-Wiener), M1 and M2 (Zagreb), chi (Randic, unrounded)
and H (Hosoya's Z), and error. Molecule inputs add smiles after name: the
SMILES read, or the one RDKit writes for a molfile record. A table's other
columns follow error, as they were (strings in JSON lines), in CSV and TSV
alike.

A record that cannot be read, or is not a tree, gets a row with its name, what
was read, and the error, such as  line 7: malformed edge "1-x"  or
not a tree: 1 ring ; the batch goes on. A record longer than 64 MiB is refused
the same way.

)";

constexpr std::string_view kBatchHelpClose = R"(
On a terminal, standard error shows the records done and their rate, and at
the end one line: trees read, refused, seconds taken and the rate.

Exit status: 0 every row computed, 1 some records refused, 2 bad usage, an
input that cannot be read, or a table without a SMILES column, 3 the output
cannot be written.
)";

}  // namespace

std::string HelpText(std::string_view command) {
  const std::string options = OptionsHelp(OptionsOf(command));
  const auto page = [&](std::string_view start, std::string_view end) {
    return std::string(start) + options + std::string(end);
  };
  if (command == "file") return page(kFileHelpStart, kFileHelpEnd);
  if (command == "calc") return page(kCalcHelpStart, kCalcHelpEnd);
  if (command == "draw")
    return CanDraw() ? page(kDrawHelpStart, kDrawHelpEnd) : std::string(kNoDrawHelp);
  if (command == "batch") {
    return std::string(kBatchHelpStart) + InputFormatHelp() + std::string(kBatchHelpEnd) + options +
           std::string(kBatchHelpClose);
  }
  if (!CanDraw()) {
    return std::string(kOverview) +
           "\nThis build has no draw: it was built without the window, whose drawing code draw "
           "uses.\n";
  }
  return std::string(kOverview);
}

std::string VersionText() {
  return "korvelant-cli " KORVELANT_VERSION "\n";
}

}  // namespace korvelant
