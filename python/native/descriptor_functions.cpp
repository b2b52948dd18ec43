// Descriptors of many items at once: each item read by a batch input format and computed
// into the row `batch` writes, on several threads, each row's values written straight into
// the columns handed to Python.
#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <atomic>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "cli/batch_row.hpp"
#include "cli/input_formats.hpp"
#include "native_module.hpp"
#include "python_values.hpp"

namespace korvelant::python {
namespace {

// A record: its input format and its text, a view into the Python str that holds it, which
// the list of records keeps alive for the whole call.
struct Item {
  const InputFormat* format = nullptr;
  std::string_view text;
};

std::vector<Item> ItemsOf(const py::list& records) {
  std::vector<Item> items;
  items.reserve(records.size());
  // Records of one kind share their format's str object: it is looked up once.
  py::handle lastName;
  const InputFormat* format = nullptr;
  for (const py::handle record : records) {
    const auto pair = record.cast<py::tuple>();
    if (pair.size() != 2) throw py::value_error("a record is a pair (format, text)");
    const py::handle name = pair[0];
    if (!name.is(lastName)) {
      const std::string formatName = name.cast<std::string>();
      format = FindInputFormat(formatName);
      if (format == nullptr) throw py::value_error("unknown input format " + formatName);
      lastName = name;
    }
    Py_ssize_t size = 0;
    const char* text = PyUnicode_AsUTF8AndSize(pair[1].ptr(), &size);
    if (text == nullptr) throw py::error_already_set();
    items.push_back({format, std::string_view(text, static_cast<std::size_t>(size))});
  }
  return items;
}

// One column of the result, filled row by row by whichever thread computed the row (rows
// are disjoint, so no lock is needed), then handed to Python whole.
class Column {
 public:
  virtual ~Column() = default;
  virtual void Take(std::size_t row, const BatchRow& values) = 0;
  // Text columns: a list of str; numeric ones: (values, present).
  virtual py::object Finish() = 0;
};

// Names and SMILES are passed on as they came; bytes that are not UTF-8 become U+FFFD.
py::str Text(std::string_view text) {
  return py::reinterpret_steal<py::str>(
      PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "replace"));
}

template <typename Get>  // std::string_view (const BatchRow&)
class TextColumn : public Column {
 public:
  TextColumn(std::size_t rows, Get get) : texts_(rows), get_(get) {}
  void Take(std::size_t row, const BatchRow& values) override { texts_[row] = get_(values); }
  py::object Finish() override {
    py::list column(texts_.size());
    for (std::size_t k = 0; k < texts_.size(); ++k)
      column[k] = Text(texts_[k]);
    return column;
  }

 private:
  std::vector<std::string> texts_;
  Get get_;
};

// Numbers, written into the numpy array that becomes the column, and which rows have one.
template <typename Number>
class NumberColumn : public Column {
 protected:
  explicit NumberColumn(std::size_t rows)
      : values_(static_cast<py::ssize_t>(rows)),
        present_(static_cast<py::ssize_t>(rows)),
        data_(values_.mutable_data()),
        presence_(present_.mutable_data()) {}

  py::array_t<Number> values_;
  py::array_t<bool> present_;
  Number* data_;
  bool* presence_;
};

// Whole numbers in int64; a value past 64 bits is kept aside, and makes the column a list of
// exact Python ints.
template <typename Get>  // std::optional<ExactInteger> (const BatchRow&)
class WholeColumn : public NumberColumn<std::int64_t> {
 public:
  WholeColumn(std::size_t rows, Get get) : NumberColumn(rows), get_(get) {}
  void Take(std::size_t row, const BatchRow& values) override {
    const std::optional<ExactInteger> value = get_(values);
    presence_[row] = value.has_value();
    data_[row] = 0;
    if (!value) return;
    if (!value->IsWide() && value->Narrow() >= std::numeric_limits<std::int64_t>::min() &&
        value->Narrow() <= std::numeric_limits<std::int64_t>::max()) {
      data_[row] = static_cast<std::int64_t>(value->Narrow());
      return;
    }
    const std::lock_guard lock(wideMutex_);
    wide_.emplace_back(row, *value);
  }
  py::object Finish() override {
    if (wide_.empty()) return py::make_tuple(values_, present_);
    std::sort(wide_.begin(), wide_.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    py::list exact(values_.size());
    auto next = wide_.begin();
    for (std::size_t k = 0; k < static_cast<std::size_t>(values_.size()); ++k) {
      const bool wide = next != wide_.end() && next->first == k;
      exact[k] = wide ? PythonInt((next++)->second) : PythonInt(Int128{data_[k]});
    }
    return py::make_tuple(exact, present_);
  }

 private:
  Get get_;
  std::mutex wideMutex_;
  std::vector<std::pair<std::size_t, ExactInteger>> wide_;
};

// Real numbers in float64; NaN where a row has none.
template <typename Get>  // std::optional<double> (const BatchRow&)
class RealColumn : public NumberColumn<double> {
 public:
  RealColumn(std::size_t rows, Get get) : NumberColumn(rows), get_(get) {}
  void Take(std::size_t row, const BatchRow& values) override {
    const std::optional<double> value = get_(values);
    data_[row] = value.value_or(std::numeric_limits<double>::quiet_NaN());
    presence_[row] = value.has_value();
  }
  py::object Finish() override { return py::make_tuple(values_, present_); }

 private:
  Get get_;
};

template <template <typename> class Kind, typename Get>
std::unique_ptr<Column> Make(std::size_t rows, Get get) {
  return std::make_unique<Kind<Get>>(rows, get);
}

// A whole-tree index of a row, when it was computed.
template <typename Member>
std::optional<ExactInteger> WholeIndex(const BatchRow& row, Member WholeTreeIndices::*member) {
  if (row.indices == nullptr) return std::nullopt;
  return ExactInteger(row.indices->*member);
}

// The column of `batch` named `name`, for `rows` rows.
std::unique_ptr<Column> MakeColumn(const std::string& name, std::size_t rows) {
  using Row = const BatchRow&;
  if (name == "name") return Make<TextColumn>(rows, [](Row row) { return row.name; });
  if (name == "smiles") {
    return Make<TextColumn>(rows, [](Row row) {
      return row.smiles ? std::string_view(*row.smiles) : std::string_view();
    });
  }
  if (name == "edges") {
    return Make<TextColumn>(
        rows, [](Row row) { return row.graph ? EdgeListText(*row.graph) : std::string(); });
  }
  if (name == "error") return Make<TextColumn>(rows, [](Row row) { return row.error; });
  if (name == "vertices") {
    return Make<WholeColumn>(rows, [](Row row) -> std::optional<ExactInteger> {
      if (row.graph == nullptr) return std::nullopt;
      return ExactInteger(Int128{row.graph->vertexCount});
    });
  }
  if (name == "chi") {
    return Make<RealColumn>(rows, [](Row row) -> std::optional<double> {
      if (row.indices == nullptr) return std::nullopt;
      return row.indices->randic;
    });
  }
  if (name == "W") {
    return Make<WholeColumn>(rows,
                             [](Row row) { return WholeIndex(row, &WholeTreeIndices::wiener); });
  }
  if (name == "WW") {
    return Make<WholeColumn>(
        rows, [](Row row) { return WholeIndex(row, &WholeTreeIndices::hyperWiener); });
  }
  if (name == "M1") {
    return Make<WholeColumn>(
        rows, [](Row row) { return WholeIndex(row, &WholeTreeIndices::firstZagreb); });
  }
  if (name == "M2") {
    return Make<WholeColumn>(
        rows, [](Row row) { return WholeIndex(row, &WholeTreeIndices::secondZagreb); });
  }
  if (name == "H") {
    return Make<WholeColumn>(rows,
                             [](Row row) { return WholeIndex(row, &WholeTreeIndices::hosoya); });
  }
  for (int block = 0; block < 16; ++block) {
    if (name != BlockName(block)) continue;
    // Half an element sum: whole for W, Z and H; Randić to five places at most.
    if (BlockIndex(block) == TopologicalIndex::Randic) {
      return Make<RealColumn>(rows, [block](Row row) -> std::optional<double> {
        if (row.elementSums == nullptr) return std::nullopt;
        const Int128 ticks = (*row.elementSums)[static_cast<std::size_t>(block)].ticks();
        return static_cast<double>(ticks) / (2.0 * ExactDecimal::kScale);
      });
    }
    return Make<WholeColumn>(rows, [block](Row row) -> std::optional<ExactInteger> {
      if (row.elementSums == nullptr) return std::nullopt;
      return (*row.elementSums)[static_cast<std::size_t>(block)].Ticks() /
             (2 * ExactDecimal::kScale);
    });
  }
  throw std::logic_error("no Python column for " + name);
}

constexpr std::size_t kItemsPerChunk = 64;

// Each item's row into the columns, item k on "line" firstLine + k, as in a file of one record
// a line; `jobs` threads take chunks of items in turn.
void ComputeRows(const std::vector<Item>& items, int jobs, std::uint64_t firstLine,
                 const std::vector<std::unique_ptr<Column>>& columns) {
  const std::size_t chunks = (items.size() + kItemsPerChunk - 1) / kItemsPerChunk;
  std::atomic<std::size_t> next = 0;
  const auto work = [&] {
    for (std::size_t chunk; (chunk = next++) < chunks;) {
      const std::size_t end = std::min(items.size(), (chunk + 1) * kItemsPerChunk);
      for (std::size_t k = chunk * kItemsPerChunk; k < end; ++k) {
        const Item& item = items[k];
        const std::size_t limit = item.format->rules.maxRecordBytes;
        const SplitRecord record{item.text.substr(0, limit), firstLine + k, item.text.size(),
                                 item.text.size() > limit};
        ComputeBatchRow(record, *item.format, nullptr, "", false, [&](const BatchRow& row) {
          for (const auto& column : columns)
            column->Take(k, row);
        });
      }
    }
  };
  std::vector<std::jthread> helpers;
  const int threads = static_cast<int>(std::min<std::size_t>(std::max(jobs, 1), chunks));
  for (int t = 1; t < threads; ++t)
    helpers.emplace_back(work);
  work();
}

int DefaultJobs() {
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

}  // namespace

void AddDescriptorFunctions(py::module_& module) {
  module.def(
      "descriptor_columns",
      [](const py::list& records, std::optional<int> jobs, std::uint64_t firstLine,
         std::optional<bool> smilesColumn) {
        const std::vector<Item> items = ItemsOf(records);
        if (jobs && *jobs < 1) throw py::value_error("jobs must be at least 1");
        const RowLayout layout{
            smilesColumn.value_or(std::any_of(
                items.begin(), items.end(), [](const Item& i) { return i.format->smilesColumn; })),
            false};
        const std::vector<std::string> names = ColumnNames(layout);
        std::vector<std::unique_ptr<Column>> columns;
        for (const std::string& name : names)
          columns.push_back(MakeColumn(name, items.size()));
        {
          const py::gil_scoped_release computing;
          ComputeRows(items, jobs.value_or(DefaultJobs()), firstLine, columns);
        }
        py::dict result;
        for (std::size_t k = 0; k < names.size(); ++k)
          result[py::str(names[k])] = columns[k]->Finish();
        return result;
      },
      py::arg("records"), py::arg("jobs") = py::none(), py::arg("first_line") = 1,
      py::arg("smiles_column") = py::none(),
      "The columns `batch` writes for a list of (format, record text) pairs: lists of str for "
      "text, (values, present) for numbers. The SMILES column when asked, else when a record "
      "is a molecule.");
}

}  // namespace korvelant::python
