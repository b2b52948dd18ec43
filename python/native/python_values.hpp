#pragma once

#include <pybind11/pybind11.h>

#include <string_view>
#include <utility>
#include <vector>

#include "model/exact_decimal.hpp"
#include "model/graph.hpp"

namespace korvelant::python {

namespace py = pybind11;

// A tree as Python hands it over: the vertex count and pairs of vertex numbers 1..n.
using EdgePairs = std::vector<std::pair<long long, long long>>;

// The graph of n vertices and these edges, checked as batch checks an edge line: a count
// past the half-sums' size limit, a vertex outside 1..n, a loop or an edge given twice
// raises ValueError with the command-line tool's message. The graph need not be a tree.
Graph GraphFrom(long long vertexCount, const EdgePairs& edges);

// The exact value as a Python int, however many digits it has.
py::int_ PythonInt(Int128 value);
py::int_ PythonInt(const ExactInteger& value);

// An index value that is a whole number (Wiener, Zagreb, Hosoya) as a Python int.
py::int_ WholeValue(ExactDecimal value);

// A number's digits as a decimal.Decimal, exactly ("4.8284", "10").
py::object PythonDecimal(std::string_view digits);

}  // namespace korvelant::python
