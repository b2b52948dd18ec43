#include "cli/help_text.hpp"

#include "cli/command_line.hpp"
#include "cli/input_formats.hpp"

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
                      [--jobs N] [--no-header] [--output PATH]
                      [--smiles-column NAME] [--name-column NAME]
                      [--title-line | --no-title-line] [INPUT...]
  korvelant-cli draw (--vertices N --edges EDGES | --smiles SMILES)
                     (--type TYPE | --preview) [--scale S] --output PICTURE
  korvelant-cli --help | --version
  korvelant-cli COMMAND --help

Commands:
  file   Writes all sixteen matrices of one tree in the matrix file format.
  calc   Prints one matrix of one tree and its half-sum.
  batch  Computes many trees, one row each, as CSV or JSON lines.
  draw   Draws a graphical matrix or the tree as the window does, in SVG, PNG or PDF.

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
  --vertices N    the number of vertices, up to 1000, numbered 1 to N as given
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
  --vertices N    the number of vertices, up to 1000, numbered 1 to N as given
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
                          (--type TYPE | --preview) [--scale S] --output PICTURE

Draws what the window's Draw shows: the graphical matrix of TYPE, each cell the element's
subgraph drawn over the tree, or with --preview the tree itself. The same drawing code and
size as the window, and no display is needed. Trees of up to 8 vertices, as in the window.

Options:
  --vertices N    the number of vertices, up to 8; they stand on the circle a new tree
                  starts with in the window
  --edges EDGES   comma-separated pairs such as 1-2,2-3,2-4; - or "" for none
  --smiles SMILES a molecule in place of --vertices and --edges: its hydrogen-suppressed
                  skeleton, each atom where RDKit's 2D depiction puts it on the grid
  --type TYPE     EGM, PGM, SVGM or DVGM, in any letter case
  --preview       the tree preview instead of a matrix
  --scale S       a PNG's size, 1 to 8 times the window's picture (1 by default)
  --output PICTURE the file to write; its suffix, .svg, .png or .pdf, chooses the kind.
                  Standard output is not offered: it has no suffix. An existing file is
                  replaced only by a complete new one.

Exit status: 0 written, 1 not a tree (no file is touched), 2 bad input or usage (more than
8 vertices, an unknown suffix), 3 the output cannot be written.
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
