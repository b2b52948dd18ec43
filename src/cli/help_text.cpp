#include "cli/help_text.hpp"

#include "cli/command_line.hpp"
#include "cli/input_formats.hpp"

namespace korvelant {
namespace {

constexpr std::string_view kOverview =
    R"(korvelant-cli: graphical matrices of trees of up to 128 vertices

Usage:
  korvelant-cli file (--vertices N --edges EDGES | --smiles SMILES)
                     [--output PATH]
  korvelant-cli calc (--vertices N --edges EDGES | --smiles SMILES)
                     --type TYPE --index INDEX [--format FORMAT]
  korvelant-cli batch [--from FORMAT] [--format csv|jsonl] [--matrices]
                      [--jobs N] [--no-header] [--output PATH]
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

constexpr std::string_view kFileHelp =
    R"(Usage: korvelant-cli file (--vertices N --edges EDGES | --smiles SMILES)
                          [--output PATH]

Writes all sixteen matrices of the tree (EGM, PGM, SVGM, DVGM, each with the
Wiener, Randic, Zagreb and Hosoya index) in the matrix file format, with CR LF
line ends.

Options:
  --vertices N    the number of vertices, up to 128, numbered 1 to N as given
  --edges EDGES   comma-separated pairs such as 1-2,2-3,2-4; - or "" for none
  --smiles SMILES a molecule in place of --vertices and --edges: its hydrogen-
                  suppressed skeleton, vertex 1 the first heavy atom of the
                  SMILES, and so on in order
  --output PATH   the file to write; "-" or none for standard output. An
                  existing file is replaced only by a complete new one; when
                  writing fails it stays as it was.

Exit status: 0 written, 1 not a tree (no file is touched), 2 bad input or
usage, 3 the output cannot be written.
)";

constexpr std::string_view kCalcHelp =
    R"(Usage: korvelant-cli calc (--vertices N --edges EDGES | --smiles SMILES)
                          --type TYPE --index INDEX [--format FORMAT]

Prints one matrix: line i holds elements (i, 1) to (i, n) separated by ", ",
then the line "Half-sum of matrix elements is: " and the half-sum.

Options:
  --vertices N    the number of vertices, up to 128, numbered 1 to N as given
  --edges EDGES   comma-separated pairs such as 1-2,2-3,2-4; - or "" for none
  --smiles SMILES a molecule in place of --vertices and --edges: its hydrogen-
                  suppressed skeleton, vertex 1 the first heavy atom of the
                  SMILES, and so on in order
  --type TYPE     EGM (edge-), PGM (path-), SVGM (sparse vertex-) or DVGM
                  (dense vertex-graphical matrix), in any letter case
  --index INDEX   W (Wiener), R (Randic), Z (Zagreb) or H (Hosoya), or the
                  name, in any letter case
  --format FORMAT text (the lines above, the default); csv or tsv (the matrix
                  alone, vertex numbers as the header row and first column);
                  json ({"type", "index", "vertices", "matrix": rows of
                  numbers, "half_sum"}); latex (a caption line with type, index
                  and half-sum, then a bmatrix, for \input with amsmath).
                  Numbers are those of the text, "." whatever the locale.

Exit status: 0 printed, 1 not a tree, 2 bad input or usage, 3 the output cannot
be written.
)";

constexpr std::string_view kDrawHelp =
    R"(Usage: korvelant-cli draw (--vertices N --edges EDGES | --smiles SMILES)
                          (--type TYPE | --preview) [options] --output PICTURE

Draws a graphical matrix for a paper: each cell the element's subgraph drawn over the tree
in miniature, kept edges thick and removed edges thin, an empty element "0", the vertex
numbers along the top and the left; or with --preview the tree itself, its vertices
numbered. Any tree Korvelant computes (up to 128 vertices); cells shrink as the tree grows.
At the default size a matrix stays legible up to about 20 vertices; past that give it
about 60 pixels (or points) per vertex with --width. No display is needed.

Options:
  --vertices N    the number of vertices, up to 128
  --edges EDGES   comma-separated pairs such as 1-2,2-3,2-4; - or "" for none
  --smiles SMILES a molecule in place of --vertices and --edges: its hydrogen-suppressed
                  skeleton, each atom where RDKit's 2D depiction puts it
  --type TYPE     EGM, PGM, SVGM or DVGM, in any letter case
  --preview       the tree instead of a matrix
  --layout L      skeleton (the default): a tree given by its edges drawn as a chemist
                  draws its carbon skeleton (RDKit's depiction), a molecule as depicted;
                  circle: the circle a new tree starts with in the window
  --background B  white (the default), none (see-through) or window (the window's grey)
  --no-numbers    leaves out the vertex numbers
  --caption TEXT  a line of text under the picture
  --width W       the picture's width: pixels in a PNG, points (1/72 inch) in an SVG or
  --height H      PDF, 1 to 10000; give one and the other keeps the picture's shape, both
                  and the picture is centred in them. By default a PNG is as large as
                  the layout needs and an SVG or PDF shows as large on a screen.
  --scale S       a PNG's pixels per pixel of that size, 1 to 8 (1 by default)
  --output PICTURE the file to write; its suffix, .svg, .png or .pdf, chooses the kind.
                  Standard output is not offered: it has no suffix. An existing file is
                  replaced only by a complete new one. Text stays text in SVG and PDF.

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
                           [--jobs N] [--no-header] [--output PATH]
                           [--smiles-column NAME] [--name-column NAME]
                           [--title-line | --no-title-line] [INPUT...]

Reads trees from the INPUT files, or from standard input when there is none or
one is "-", and writes one row per record, in input order, while input still
arrives.

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
not a tree: 1 ring ; the batch goes on. A record longer than 1 MiB is refused
the same way.

Options:
  --from FORMAT   the input format, one of
                  )";

constexpr std::string_view kBatchOptions = R"(
  --format csv    CSV (RFC 4180) with a header line and LF line ends; names
                  pass as they are (the default)
  --format jsonl  one JSON object per line; numbers keep every digit; values
                  not computed are null; bytes that are not UTF-8 become U+FFFD
  --matrices      adds "matrices": the sixteen matrices as arrays of rows
                  (jsonl only)
  --jobs N        threads computing rows, 1 to 256; one per processor by
                  default. The output is the same for every N.
  --no-header     no CSV header line, as for joining the output of split runs:
                    ... | parallel --pipe --keep-order -N 100000 \
                          korvelant-cli batch --from sparse6 --no-header
  --output PATH   the file to write, complete or not at all; "-" or none for
                  standard output
  --smiles-column NAME  a table's SMILES column, when not headed "smiles"
  --name-column NAME    a table's name column, when not "name", "id" or "title"
  --title-line    a SMILES file's first line is a title: skip it
  --no-title-line a SMILES file's first line is a molecule, even "smiles ..."

On a terminal, standard error shows the records done and their rate, and at
the end one line: trees read, refused, seconds taken and the rate.

Exit status: 0 every row computed, 1 some records refused, 2 bad usage, an
input that cannot be read, or a table without a SMILES column, 3 the output
cannot be written.
)";

}  // namespace

std::string HelpText(std::string_view command) {
  if (command == "file") return std::string(kFileHelp);
  if (command == "calc") return std::string(kCalcHelp);
  if (command == "draw") return std::string(CanDraw() ? kDrawHelp : kNoDrawHelp);
  if (command == "batch") {
    return std::string(kBatchHelpStart) + InputFormatHelp() + std::string(kBatchHelpEnd) +
           InputFormatNames() + std::string(kBatchOptions);
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
