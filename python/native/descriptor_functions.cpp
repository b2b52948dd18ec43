// Descriptors of many items at once: each item read by a batch input format and computed
// into the row `batch` writes, on several threads, rows in item order.
#include <pybind11/stl.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "cli/batch_row.hpp"
#include "cli/input_formats.hpp"
#include "native_module.hpp"

namespace korvelant::python {
namespace {

namespace py = pybind11;

struct Item {
  const InputFormat* format = nullptr;
  std::string text;
};

constexpr std::size_t kItemsPerChunk = 64;

// The CSV text `batch` writes for these records, header first; item k stands on "line"
// firstLine + k, as it would in a file of one record a line.
std::string DescriptorCsv(const std::vector<Item>& items, int jobs, std::uint64_t firstLine,
                          const RowLayout& layout) {
  const std::unique_ptr<RowFormat> rows = CsvRows();
  const std::size_t chunks = (items.size() + kItemsPerChunk - 1) / kItemsPerChunk;
  std::vector<std::string> texts(chunks);
  std::atomic<std::size_t> next = 0;
  const auto work = [&] {
    for (std::size_t chunk; (chunk = next++) < chunks;) {
      const std::size_t end = std::min(items.size(), (chunk + 1) * kItemsPerChunk);
      for (std::size_t k = chunk * kItemsPerChunk; k < end; ++k) {
        const Item& item = items[k];
        SplitRecord record{item.text, firstLine + k, item.text.size(),
                           item.text.size() > item.format->rules.maxRecordBytes};
        if (record.tooLong) record.text = record.text.substr(0, item.format->rules.maxRecordBytes);
        AppendBatchRow(record, *item.format, "", *rows, layout, texts[chunk]);
      }
    }
  };
  std::vector<std::jthread> helpers;
  const int threads = static_cast<int>(std::min<std::size_t>(std::max(jobs, 1), chunks));
  for (int t = 1; t < threads; ++t)
    helpers.emplace_back(work);
  work();
  helpers.clear();
  std::string csv = rows->Header(layout);
  for (const std::string& text : texts)
    csv += text;
  return csv;
}

int DefaultJobs() {
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

}  // namespace

void AddDescriptorFunctions(py::module_& module) {
  module.def(
      "descriptor_csv",
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
        const py::gil_scoped_release computing;
        return DescriptorCsv(items, jobs.value_or(DefaultJobs()), firstLine, layout);
      },
      py::arg("records"), py::arg("jobs") = py::none(), py::arg("first_line") = 1,
      py::arg("smiles_column") = py::none(),
      "The CSV rows `batch` writes for (format, record text) pairs, header first; the SMILES "
      "column when asked, else when a record is a molecule.");
}

}  // namespace korvelant::python
