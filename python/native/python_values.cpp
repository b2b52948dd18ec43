#include "python_values.hpp"

#include <algorithm>
#include <limits>
#include <string>

#include "input/edge_list_text.hpp"

namespace korvelant::python {

Graph GraphFrom(long long vertexCount, const EdgePairs& edges) {
  if (vertexCount < 0) throw py::value_error("a tree cannot have a negative number of vertices");
  if (vertexCount > kMaxHalfSumVertices)
    throw py::value_error(HalfSumTooLargeMessage(
        static_cast<int>(std::min<long long>(vertexCount, std::numeric_limits<int>::max()))));
  // The edges as --edges writes them, so that every fault is named in the tool's words.
  std::string text;
  for (const auto& [a, b] : edges) {
    if (!text.empty()) text += ',';
    text += std::to_string(a) + '-' + std::to_string(b);
  }
  auto read = ReadEdgeList(text, static_cast<int>(vertexCount));
  if (auto* problem = std::get_if<std::string>(&read)) throw py::value_error(*problem);
  return Graph{static_cast<int>(vertexCount), std::move(std::get<std::vector<Edge>>(read))};
}

py::int_ PythonInt(Int128 value) {
  if (value >= std::numeric_limits<long long>::min() &&
      value <= std::numeric_limits<long long>::max()) {
    return py::int_(static_cast<long long>(value));
  }
  const std::string digits = ToDecimalString(value);
  return py::reinterpret_steal<py::int_>(PyLong_FromString(digits.c_str(), nullptr, 10));
}

// Past 128 bits through bytes, not digits: Python refuses to read more than 4,300 digits.
py::int_ PythonInt(const ExactInteger& value) {
  if (!value.IsWide()) return PythonInt(value.Narrow());
  const mpz_class wide = value.Wide();
  std::string bytes((mpz_sizeinbase(wide.get_mpz_t(), 2) + 7) / 8, '\0');
  std::size_t written = 0;
  mpz_export(bytes.data(), &written, 1, 1, 1, 0, wide.get_mpz_t());
  bytes.resize(written);
  static const auto* fromBytes =
      new py::object(py::module_::import("builtins").attr("int").attr("from_bytes"));
  py::int_ magnitude = (*fromBytes)(py::bytes(bytes), "big");
  if (sgn(wide) >= 0) return magnitude;
  return py::reinterpret_steal<py::int_>(PyNumber_Negative(magnitude.ptr()));
}

py::int_ WholeValue(ExactDecimal value) {
  return PythonInt(value.Ticks() / ExactDecimal::kScale);
}

py::object PythonDecimal(std::string_view digits) {
  static const auto* decimal = new py::object(py::module_::import("decimal").attr("Decimal"));
  return (*decimal)(py::str(digits.data(), digits.size()));
}

}  // namespace korvelant::python
