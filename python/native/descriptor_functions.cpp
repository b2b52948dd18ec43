// Descriptors of many items at once: each item read by a batch input format and computed
// into the row `batch` writes, on several threads, and handed to Python as columns.
#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <limits>
#include <map>
#include <thread>

#include "cli/batch_row.hpp"
#include "cli/input_formats.hpp"
#include "native_module.hpp"
#include "python_values.hpp"

namespace korvelant::python {
namespace {

struct Item {
  const InputFormat* format = nullptr;
  std::string text;
};

// What one row holds, kept beyond the call that made it.
struct RowValues {
  std::string name;
  std::optional<std::string> smiles;
  std::optional<int> vertices;  // with `edges`, for a graph that was read
  std::string edges;
  std::optional<std::array<ExactDecimal, 16>> elementSums;
  std::optional<WholeTreeIndices> indices;
  std::string error;
};

RowValues ValuesOf(const BatchRow& row) {
  RowValues values;
  values.name = row.name;
  if (row.smiles) values.smiles = *row.smiles;
  if (row.graph) {
    values.vertices = row.graph->vertexCount;
    values.edges = EdgeListText(*row.graph);
  }
  if (row.elementSums) values.elementSums = *row.elementSums;
  if (row.indices) values.indices = *row.indices;
  values.error = row.error;
  return values;
}

constexpr std::size_t kItemsPerChunk = 64;

// Each item's row, item k on "line" firstLine + k, as in a file of one record a line;
// `jobs` threads take chunks of items in turn.
std::vector<RowValues> ComputeRows(const std::vector<Item>& items, int jobs,
                                   std::uint64_t firstLine) {
  std::vector<RowValues> rows(items.size());
  const std::size_t chunks = (items.size() + kItemsPerChunk - 1) / kItemsPerChunk;
  std::atomic<std::size_t> next = 0;
  const auto work = [&] {
    for (std::size_t chunk; (chunk = next++) < chunks;) {
      const std::size_t end = std::min(items.size(), (chunk + 1) * kItemsPerChunk);
      for (std::size_t k = chunk * kItemsPerChunk; k < end; ++k) {
        const Item& item = items[k];
        const std::size_t limit = item.format->rules.maxRecordBytes;
        const SplitRecord record{std::string_view(item.text).substr(0, limit), firstLine + k,
                                 item.text.size(), item.text.size() > limit};
        ComputeBatchRow(record, *item.format, nullptr, "", false,
                        [&](const BatchRow& row) { rows[k] = ValuesOf(row); });
      }
    }
  };
  std::vector<std::jthread> helpers;
  const int threads = static_cast<int>(std::min<std::size_t>(std::max(jobs, 1), chunks));
  for (int t = 1; t < threads; ++t)
    helpers.emplace_back(work);
  work();
  return rows;
}

py::str Text(std::string_view text) {
  // Names and SMILES are passed on as they came; bytes that are not UTF-8 become U+FFFD.
  return py::reinterpret_steal<py::str>(
      PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "replace"));
}

py::list TextColumn(const std::vector<RowValues>& rows,
                    const std::function<const std::string&(const RowValues&)>& text) {
  py::list column(rows.size());
  for (std::size_t k = 0; k < rows.size(); ++k)
    column[k] = Text(text(rows[k]));
  return column;
}

// A numeric column as (values, present): values an int64 array while every value fits, else
// a list of exact Python ints; present says which rows have a value.
py::tuple WholeColumn(const std::vector<RowValues>& rows,
                      const std::function<std::optional<ExactInteger>(const RowValues&)>& value) {
  std::vector<std::optional<ExactInteger>> values;
  values.reserve(rows.size());
  for (const RowValues& row : rows)
    values.push_back(value(row));
  py::array_t<bool> present(static_cast<py::ssize_t>(values.size()));
  auto presence = present.mutable_unchecked<1>();
  bool fits = true;
  for (std::size_t k = 0; k < values.size(); ++k) {
    presence(k) = values[k].has_value();
    if (values[k])
      fits = fits && *values[k] >= ExactInteger(std::numeric_limits<std::int64_t>::min()) &&
             *values[k] <= ExactInteger(std::numeric_limits<std::int64_t>::max());
  }
  if (!fits) {
    py::list exact;
    for (const auto& v : values)
      exact.append(PythonInt(v.value_or(0)));
    return py::make_tuple(exact, present);
  }
  py::array_t<std::int64_t> numbers(static_cast<py::ssize_t>(values.size()));
  auto cells = numbers.mutable_unchecked<1>();
  for (std::size_t k = 0; k < values.size(); ++k)
    cells(k) = static_cast<std::int64_t>(values[k].value_or(0).Narrow());
  return py::make_tuple(numbers, present);
}

py::tuple RealColumn(const std::vector<RowValues>& rows,
                     const std::function<std::optional<double>(const RowValues&)>& value) {
  py::array_t<double> numbers(static_cast<py::ssize_t>(rows.size()));
  py::array_t<bool> present(static_cast<py::ssize_t>(rows.size()));
  auto cells = numbers.mutable_unchecked<1>();
  auto presence = present.mutable_unchecked<1>();
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const std::optional<double> v = value(rows[k]);
    cells(k) = v.value_or(std::numeric_limits<double>::quiet_NaN());
    presence(k) = v.has_value();
  }
  return py::make_tuple(numbers, present);
}

using ColumnMaker = std::function<py::object(const std::vector<RowValues>&)>;

// How each column that `batch` writes is made from the rows, by its name.
std::map<std::string, ColumnMaker> ColumnMakers() {
  std::map<std::string, ColumnMaker> makers;
  static const std::string kNone;
  makers["name"] = [](const auto& rows) {
    return TextColumn(rows, [](const RowValues& row) -> const std::string& { return row.name; });
  };
  makers["smiles"] = [](const auto& rows) {
    return TextColumn(rows, [](const RowValues& row) -> const std::string& {
      return row.smiles ? *row.smiles : kNone;
    });
  };
  makers["vertices"] = [](const auto& rows) {
    return WholeColumn(rows, [](const RowValues& row) -> std::optional<ExactInteger> {
      if (!row.vertices) return std::nullopt;
      return *row.vertices;
    });
  };
  makers["edges"] = [](const auto& rows) {
    return TextColumn(rows, [](const RowValues& row) -> const std::string& { return row.edges; });
  };
  for (int block = 0; block < 16; ++block) {
    // Half an element sum: whole for W, Z and H; Randić to five places at most.
    const auto half = [block](const RowValues& row) -> std::optional<ExactInteger> {
      if (!row.elementSums) return std::nullopt;
      return (*row.elementSums)[block].Ticks();
    };
    if (kTopologicalIndices[block % 4] == TopologicalIndex::Randic) {
      makers[BlockName(block)] = [half](const auto& rows) {
        return RealColumn(rows, [&](const RowValues& row) -> std::optional<double> {
          const auto ticks = half(row);
          if (!ticks) return std::nullopt;
          return static_cast<double>(ticks->Narrow()) / (2.0 * ExactDecimal::kScale);
        });
      };
    } else {
      makers[BlockName(block)] = [half](const auto& rows) {
        return WholeColumn(rows, [&](const RowValues& row) -> std::optional<ExactInteger> {
          const auto ticks = half(row);
          if (!ticks) return std::nullopt;
          return *ticks / (2 * ExactDecimal::kScale);
        });
      };
    }
  }
  const auto whole = [](auto WholeTreeIndices::*member) {
    return [member](const auto& rows) {
      return WholeColumn(rows, [member](const RowValues& row) -> std::optional<ExactInteger> {
        if (!row.indices) return std::nullopt;
        return ExactInteger((*row.indices).*member);
      });
    };
  };
  makers["W"] = whole(&WholeTreeIndices::wiener);
  makers["WW"] = whole(&WholeTreeIndices::hyperWiener);
  makers["M1"] = whole(&WholeTreeIndices::firstZagreb);
  makers["M2"] = whole(&WholeTreeIndices::secondZagreb);
  makers["H"] = whole(&WholeTreeIndices::hosoya);
  makers["chi"] = [](const auto& rows) {
    return RealColumn(rows, [](const RowValues& row) -> std::optional<double> {
      if (!row.indices) return std::nullopt;
      return row.indices->randic;
    });
  };
  makers["error"] = [](const auto& rows) {
    return TextColumn(rows, [](const RowValues& row) -> const std::string& { return row.error; });
  };
  return makers;
}

// The columns in the order `batch` writes them: text columns as lists of str, numeric ones
// as (values, present).
py::dict Columns(const std::vector<RowValues>& rows, const RowLayout& layout) {
  static const std::map<std::string, ColumnMaker> makers = ColumnMakers();
  py::dict columns;
  for (const std::string& name : ColumnNames(layout)) {
    const auto maker = makers.find(name);
    if (maker == makers.end()) throw std::logic_error("no Python column for " + name);
    columns[py::str(name)] = maker->second(rows);
  }
  return columns;
}

int DefaultJobs() {
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

}  // namespace

void AddDescriptorFunctions(py::module_& module) {
  module.def(
      "descriptor_columns",
      [](const std::vector<std::pair<std::string, std::string>>& records, std::optional<int> jobs,
         std::uint64_t firstLine, std::optional<bool> smilesColumn) {
        std::vector<Item> items;
        items.reserve(records.size());
        for (const auto& [formatName, text] : records) {
          const InputFormat* format = FindInputFormat(formatName);
          if (format == nullptr) throw py::value_error("unknown input format " + formatName);
          items.push_back({format, text});
        }
        if (jobs && *jobs < 1) throw py::value_error("jobs must be at least 1");
        const RowLayout layout{
            smilesColumn.value_or(std::any_of(
                items.begin(), items.end(), [](const Item& i) { return i.format->smilesColumn; })),
            false};
        std::vector<RowValues> rows;
        {
          const py::gil_scoped_release computing;
          rows = ComputeRows(items, jobs.value_or(DefaultJobs()), firstLine);
        }
        return Columns(rows, layout);
      },
      py::arg("records"), py::arg("jobs") = py::none(), py::arg("first_line") = 1,
      py::arg("smiles_column") = py::none(),
      "The columns `batch` writes for (format, record text) pairs: lists of str for text, "
      "(values, present) for numbers. The SMILES column when asked, else when a record is a "
      "molecule.");
}

}  // namespace korvelant::python
