#include "window/help_page.hpp"

namespace korvelant {

QString MatrixHelpHtml() {
  return QStringLiteral(R"(
<h2>Matrix types</h2>
<p>Each element (<i>i</i>, <i>j</i>) of a graphical matrix stands for the tree with some
edges taken away. Its value is the chosen index of what is left; the diagonal is 0. A drawing
shows each element's cell with the kept edges thick and the removed ones thin.</p>
<table border="0" cellspacing="6">
<tr><td><b>EGM</b></td><td>Edge-graphical matrix: removes the edge <i>i</i>&ndash;<i>j</i>.
An element of two vertices that are not joined is empty (0).</td></tr>
<tr><td><b>PGM</b></td><td>Path-graphical matrix: removes every edge on the path from
<i>i</i> to <i>j</i>. Every element off the diagonal has a subgraph.</td></tr>
<tr><td><b>SVGM</b></td><td>Sparse vertex-graphical matrix: removes every edge at <i>i</i>
and every edge at <i>j</i>, for vertices that are joined; the others are empty (0).</td></tr>
<tr><td><b>DVGM</b></td><td>Dense vertex-graphical matrix: removes every edge at <i>i</i> and
every edge at <i>j</i>, for every pair of vertices.</td></tr>
</table>
<h2>Indices</h2>
<p>Degrees and distances are those of the subgraph that is left, a forest.</p>
<table border="0" cellspacing="6">
<tr><td><b>W</b></td><td>Wiener index: the sum of the distances between all pairs of vertices
joined by a path.</td></tr>
<tr><td><b>R</b></td><td>Randi&#263; index: the sum over the edges of
1&nbsp;/&nbsp;&radic;(<i>d</i>(<i>u</i>)&nbsp;<i>d</i>(<i>v</i>)), each term taken to four
decimals.</td></tr>
<tr><td><b>Z</b></td><td>Zagreb index: the sum over the edges of the product of the degrees
of their two ends.</td></tr>
<tr><td><b>H</b></td><td>Hosoya index: the number of sets of edges no two of which share a
vertex, the empty set included; an empty element is 0.</td></tr>
</table>
<h2>The matrix file</h2>
<p>Write to File writes all sixteen matrices, each as a block named by the index's letter,
&ldquo;I&rdquo; and the matrix type: <tt>WIEGM</tt> is the Wiener index of the
edge-graphical matrix, <tt>RIPGM</tt> the Randi&#263; index of the path-graphical matrix.
The blocks come in the order W, R, Z, H of EGM, then of PGM, SVGM and DVGM. A block lists
the matrix row by row in braces, <tt>{ { 0,&nbsp;&nbsp;4}, { 4,&nbsp;&nbsp;0} }</tt>, every
number after a blank that stands for its sign, with &ldquo;.&rdquo; as the decimal point;
the lines end in CR LF.</p>
<h2>The half-sum</h2>
<p>Calculate reports half the sum of all elements. The matrices are symmetric and their
diagonal is 0, so the half-sum is the sum of the elements over the pairs of vertices, each
pair counted once.</p>
)");
}

QString AboutHtml() {
  return QStringLiteral(
             "<h3>Korvelant %1</h3>"
             "<p>The edge-, path-, sparse vertex- and dense vertex-graphical matrices of trees, "
             "with the Wiener, Randi&#263;, Zagreb or Hosoya index of each element.</p>"
             "<p>The window takes trees of up to 8 vertices; <tt>korvelant-cli</tt> computes "
             "trees of up to 128.</p>")
      .arg(QStringLiteral(KORVELANT_VERSION));
}

}  // namespace korvelant
