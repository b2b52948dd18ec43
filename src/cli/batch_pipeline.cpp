#include "cli/batch_pipeline.hpp"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

#include "output/write_reason.hpp"

namespace korvelant {
namespace {

// A chunk of records read in one go. Its buffers are reused from chunk to chunk, so a long
// batch makes no allocations per record besides the computation's own.
struct Chunk {
  struct Entry {
    std::size_t offset = 0;
    std::size_t size = 0;
    std::uint64_t line = 0;
    std::uint64_t length = 0;
    bool tooLong = false;
    bool openQuote = false;
  };

  std::uint64_t sequence = 0;
  const BatchInput* input = nullptr;
  std::string text;
  std::vector<Entry> records;
  std::string rows;
  std::uint64_t refused = 0;
  bool large = false;  // one record longer than a chunk's text, alone in it

  void Add(const SplitRecord& record) {
    records.push_back({text.size(), record.text.size(), record.line, record.length, record.tooLong,
                       record.openQuote});
    text.append(record.text);
  }
  SplitRecord Record(const Entry& entry) const {
    return {std::string_view(text).substr(entry.offset, entry.size), entry.line, entry.length,
            entry.tooLong, entry.openQuote};
  }
  void Clear();
};

constexpr std::size_t kChunkTextBytes = std::size_t{1} << 18;

void Chunk::Clear() {
  // A large record's buffers go, so that the pool keeps no more than a few chunks' worth.
  if (text.capacity() > 4 * kChunkTextBytes) std::string().swap(text);
  if (rows.capacity() > 4 * kChunkTextBytes) std::string().swap(rows);
  text.clear();
  records.clear();
  rows.clear();
  refused = 0;
  large = false;
}
constexpr std::size_t kReadBytes = std::size_t{1} << 18;

class Pipeline {
 public:
  Pipeline(const RowMaker& makeRow, OutputSink& out, const PipelineSettings& settings,
           const std::function<void(std::uint64_t)>& progress)
      : makeRow_(makeRow), out_(out), settings_(settings), progress_(progress) {
    const std::size_t chunks = 2 * static_cast<std::size_t>(settings.jobs) + 2;
    for (std::size_t k = 0; k < chunks; ++k) {
      pool_.push_back(std::make_unique<Chunk>());
      free_.push_back(pool_.back().get());
    }
    ready_.assign(chunks, nullptr);
  }

  PipelineOutcome Run(const std::vector<BatchInput>& inputs) {
    std::vector<std::thread> workers;
    for (int k = 0; k < settings_.jobs; ++k)
      workers.emplace_back([this] { Work(); });
    std::thread writer([this] { WriteInOrder(); });
    for (const BatchInput& input : inputs) {
      if (stopped_ || !ReadInput(input)) break;
    }
    {
      std::lock_guard lock(mutex_);
      inputEnded_ = true;
    }
    workAvailable_.notify_all();
    chunkReady_.notify_all();
    for (std::thread& worker : workers)
      worker.join();
    writer.join();
    return outcome_;
  }

 private:
  // Reads one input to its end; false when it failed.
  bool ReadInput(const BatchInput& input) {
    std::string failure;
    const std::unique_ptr<InputSource> source = input.open(failure);
    if (!source) {
      outcome_.readFailure = failure;
      return false;
    }
    const bool trickles = source->Trickles();
    RecordSplitter splitter(input.format->rules);
    Chunk* chunk = nullptr;
    bool first = true;
    std::string headerFailure;
    const RecordSplitter::Emit addRecord = [&](const SplitRecord& record) {
      if (!headerFailure.empty()) return;
      if (std::exchange(first, false) && input.takeFirst &&
          (input.takeFirst(record, headerFailure) || !headerFailure.empty())) {
        return;
      }
      if (record.text.size() > kChunkTextBytes) {
        // Records of up to 64 MiB: each alone in a chunk, and at most one per job in flight,
        // so that memory holds no more of them than the jobs compute at once.
        if (chunk != nullptr) Dispatch(chunk);
        chunk = TakeFreeChunk(input, true);
        if (chunk == nullptr) return;
        chunk->Add(record);
        Dispatch(chunk);
        chunk = nullptr;
        return;
      }
      if (chunk == nullptr) chunk = TakeFreeChunk(input, false);
      if (chunk == nullptr) return;  // stopped: the rest is not written anyway
      chunk->Add(record);
      if (chunk->records.size() >= settings_.chunkRecords ||
          chunk->text.size() >= kChunkTextBytes) {
        Dispatch(chunk);
        chunk = nullptr;
      }
    };
    std::vector<char> buffer(kReadBytes);
    bool ok = true;
    while (!stopped_ && headerFailure.empty()) {
      int error = 0;
      const long count = source->Read(buffer.data(), buffer.size(), error);
      if (count < 0) {
        outcome_.readFailure = input.readFailurePrefix + ": " + SystemReason(error);
        ok = false;
        break;
      }
      if (count == 0) {
        splitter.Finish(addRecord);
        break;
      }
      splitter.Feed(std::string_view(buffer.data(), static_cast<std::size_t>(count)), addRecord);
      if (trickles && chunk != nullptr) {
        Dispatch(chunk);
        chunk = nullptr;
      }
    }
    if (chunk != nullptr) Dispatch(chunk);
    if (!headerFailure.empty()) {
      outcome_.readFailure = headerFailure;
      return false;
    }
    return ok;
  }

  Chunk* TakeFreeChunk(const BatchInput& input, bool large) {
    std::unique_lock lock(mutex_);
    chunkFreed_.wait(lock, [&] {
      return (!free_.empty() && (!large || largeInFlight_ < settings_.jobs)) || stopped_;
    });
    if (stopped_) return nullptr;
    Chunk* chunk = free_.back();
    free_.pop_back();
    chunk->input = &input;
    chunk->large = large;
    if (large) ++largeInFlight_;
    return chunk;
  }

  void Dispatch(Chunk* chunk) {
    {
      std::lock_guard lock(mutex_);
      chunk->sequence = dispatched_++;
      work_.push_back(chunk);
    }
    workAvailable_.notify_one();
  }

  void Work() {
    while (true) {
      Chunk* chunk = nullptr;
      {
        std::unique_lock lock(mutex_);
        workAvailable_.wait(lock, [&] { return !work_.empty() || inputEnded_; });
        if (work_.empty()) return;
        chunk = work_.front();
        work_.pop_front();
      }
      if (!stopped_) {
        for (const Chunk::Entry& entry : chunk->records) {
          if (!makeRow_(chunk->Record(entry), *chunk->input, chunk->rows)) ++chunk->refused;
        }
      }
      {
        std::lock_guard lock(mutex_);
        ready_[chunk->sequence % ready_.size()] = chunk;
      }
      chunkReady_.notify_all();
    }
  }

  void WriteInOrder() {
    for (std::uint64_t next = 0;; ++next) {
      Chunk* chunk = nullptr;
      {
        std::unique_lock lock(mutex_);
        Chunk*& slot = ready_[next % ready_.size()];
        chunkReady_.wait(lock,
                         [&] { return slot != nullptr || (inputEnded_ && next == dispatched_); });
        if (slot == nullptr) return;
        chunk = std::exchange(slot, nullptr);
      }
      if (!stopped_) {
        out_.Write(chunk->rows);
        if (settings_.flushEachChunk) out_.Flush();
        if (out_.failed()) stopped_ = true;
        outcome_.records += chunk->records.size();
        outcome_.refused += chunk->refused;
        if (progress_) progress_(outcome_.records);
      }
      {
        std::lock_guard lock(mutex_);
        if (chunk->large) --largeInFlight_;
        chunk->Clear();
        free_.push_back(chunk);
      }
      chunkFreed_.notify_one();
    }
  }

  const RowMaker& makeRow_;
  OutputSink& out_;
  PipelineSettings settings_;
  const std::function<void(std::uint64_t)>& progress_;

  std::mutex mutex_;
  std::condition_variable workAvailable_;
  std::condition_variable chunkReady_;
  std::condition_variable chunkFreed_;
  std::vector<std::unique_ptr<Chunk>> pool_;
  std::vector<Chunk*> free_;
  std::deque<Chunk*> work_;
  std::vector<Chunk*> ready_;  // by sequence modulo the pool size: at most that many in flight
  std::uint64_t dispatched_ = 0;
  int largeInFlight_ = 0;
  bool inputEnded_ = false;
  std::atomic<bool> stopped_ = false;
  PipelineOutcome outcome_;
};

}  // namespace

PipelineOutcome RunBatchPipeline(const std::vector<BatchInput>& inputs, const RowMaker& makeRow,
                                 OutputSink& out, const PipelineSettings& settings,
                                 const std::function<void(std::uint64_t)>& progress) {
  Pipeline pipeline(makeRow, out, settings, progress);
  return pipeline.Run(inputs);
}

}  // namespace korvelant
