#pragma once

#include <QString>

namespace korvelant {

// The Help menu's page "Matrix Types and Indices", as HTML: what each matrix type takes
// away from the tree, what each index counts, and how the matrix file names its blocks.
QString MatrixHelpHtml();

// The About box's text, with the version the build was configured with.
QString AboutHtml();

}  // namespace korvelant
