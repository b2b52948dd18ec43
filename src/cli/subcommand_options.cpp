#include "cli/subcommand_options.hpp"

namespace korvelant {
namespace {

// The tree, for file and calc alike.
constexpr OptionRule kVertices{"vertices", "N",
                               "the number of vertices, up to 1000, numbered 1 to N as given"};
constexpr OptionRule kEdges{"edges", "EDGES",
                            "comma-separated pairs such as 1-2,2-3,2-4; - or \"\" for none"};
constexpr OptionRule kSmiles{"smiles", "SMILES",
                             "a molecule in place of --vertices and --edges: its hydrogen-\n"
                             "suppressed skeleton, vertex 1 the first heavy atom of the\n"
                             "SMILES, and so on in order"};
constexpr OptionRule kType{"type", "TYPE",
                           "EGM (edge-), PGM (path-), SVGM (sparse vertex-) or DVGM\n"
                           "(dense vertex-graphical matrix), in any letter case"};

constexpr OptionRule kFileOptions[] = {
    kVertices,
    kEdges,
    kSmiles,
    {"output", "PATH",
     "the file to write; \"-\" or none for standard output. An\n"
     "existing file is replaced only by a complete new one; when\n"
     "writing fails it stays as it was."},
};

constexpr OptionRule kCalcOptions[] = {
    kVertices,
    kEdges,
    kSmiles,
    kType,
    {"index", "INDEX",
     "W (Wiener), R (Randic), Z (Zagreb) or H (Hosoya), or the\n"
     "name, in any letter case"},
    {"format", "FORMAT",
     "text (the lines above, the default); csv or tsv (the matrix\n"
     "alone, vertex numbers as the header row and first column);\n"
     "json ({\"type\", \"index\", \"vertices\", \"matrix\": rows of\n"
     "numbers, \"half_sum\"}); latex (a caption line with type, index\n"
     "and half-sum, then a bmatrix, for \\input with amsmath).\n"
     "Numbers are those of the text, \".\" whatever the locale."},
};

constexpr OptionRule kDrawOptions[] = {
    {"vertices", "N", "the number of vertices: up to 128 for a matrix, 1000 for --preview"},
    kEdges,
    {"smiles", "SMILES",
     "a molecule in place of --vertices and --edges: its hydrogen-suppressed\n"
     "skeleton, each atom where RDKit's 2D depiction puts it"},
    {"type", "TYPE", "EGM, PGM, SVGM or DVGM, in any letter case"},
    {"preview", "", "the tree instead of a matrix"},
    {"layout", "L",
     "skeleton (the default): a tree given by its edges drawn as a chemist\n"
     "draws its carbon skeleton (RDKit's depiction), a molecule as depicted;\n"
     "circle: the circle a new tree starts with in the window"},
    {"background", "B", "white (the default), none (see-through) or window (the window's grey)"},
    {"no-numbers", "", "leaves out the vertex numbers"},
    {"caption", "TEXT", "a line of text under the picture"},
    {"width", "W",
     "the picture's width: pixels in a PNG, points (1/72 inch) in an SVG or\n"
     "PDF, 1 to 10000. By default a PNG is as large as the layout needs and\n"
     "an SVG or PDF shows as large on a screen."},
    {"height", "H",
     "the picture's height, likewise; give one and the other keeps the\n"
     "picture's shape, both and the picture is centred in them"},
    {"scale", "S", "a PNG's pixels per pixel of that size, 1 to 8 (1 by default)"},
    {"output", "PICTURE",
     "the file to write; its suffix, .svg, .png or .pdf, chooses the kind.\n"
     "Standard output is not offered: it has no suffix. An existing file is\n"
     "replaced only by a complete new one. Text stays text in SVG and PDF."},
};

constexpr OptionRule kBatchOptions[] = {
    {"from", "FORMAT", "the input format, one of those above"},
    {"format", "FORMAT",
     "csv: CSV (RFC 4180) with a header line and LF line ends; names\n"
     "pass as they are (the default). jsonl: one JSON object per line;\n"
     "numbers keep every digit; values not computed are null; bytes\n"
     "that are not UTF-8 become U+FFFD"},
    {"matrices", "",
     "adds \"matrices\": the sixteen matrices as arrays of rows\n"
     "(jsonl only)"},
    {"columns", "LIST",
     "only these columns, in this order, such as name,WIPGM,HIPGM\n"
     "(a table's carried columns too; \"matrices\" places them);\n"
     "what no column asks for is not computed"},
    {"jobs", "N",
     "threads computing rows, 1 to 256; one per processor by\n"
     "default. The output is the same for every N."},
    {"no-header", "",
     "no CSV header line, as for joining the output of split runs:\n"
     "  ... | parallel --pipe --keep-order -N 100000 \\\n"
     "        korvelant-cli batch --from sparse6 --no-header"},
    {"output", "PATH",
     "the file to write, complete or not at all; \"-\" or none for\n"
     "standard output"},
    {"smiles-column", "NAME", "a table's SMILES column, when not headed \"smiles\""},
    {"name-column", "NAME", "a table's name column, when not \"name\", \"id\" or \"title\""},
    {"title-line", "", "a SMILES file's first line is a title: skip it"},
    {"no-title-line", "", "a SMILES file's first line is a molecule, even \"smiles ...\""},
};

constexpr std::size_t kHelpColumn = 18;

}  // namespace

std::span<const OptionRule> OptionsOf(std::string_view subcommand) {
  if (subcommand == "file") return kFileOptions;
  if (subcommand == "calc") return kCalcOptions;
  if (subcommand == "draw") return kDrawOptions;
  if (subcommand == "batch") return kBatchOptions;
  return {};
}

std::string OptionsHelp(std::span<const OptionRule> options) {
  std::string help = "Options:\n";
  for (const OptionRule& option : options) {
    std::string line = "  --";
    line.append(option.name);
    if (option.TakesValue()) line.append(" ").append(option.value);
    line.append(line.size() < kHelpColumn ? kHelpColumn - line.size() : 1, ' ');
    for (std::string_view rest = option.help; !rest.empty();) {
      const std::size_t end = std::min(rest.size(), rest.find('\n'));
      help.append(line).append(rest.substr(0, end)).append("\n");
      rest.remove_prefix(std::min(rest.size(), end + 1));
      line.assign(kHelpColumn, ' ');
    }
  }
  return help;
}

}  // namespace korvelant
