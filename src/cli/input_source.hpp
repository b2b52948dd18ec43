#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace korvelant {

// Where a batch reads its records from: standard input, a named file, or a text in a test.
class InputSource {
 public:
  virtual ~InputSource() = default;
  // Fills up to `size` bytes; 0 at the end; -1 on failure, with the errno value in `error`.
  virtual long Read(char* buffer, std::size_t size, int& error) = 0;
  // True when the bytes may trickle in (a pipe, a terminal): rows are then written as soon
  // as the records read so far are computed, not when a large chunk is full.
  virtual bool Trickles() const = 0;
};

class DescriptorSource : public InputSource {
 public:
  explicit DescriptorSource(int fd) : fd_(fd) {}
  long Read(char* buffer, std::size_t size, int& error) override;
  bool Trickles() const override;

 private:
  int fd_;
};

// A named file, opened for reading and closed with the source.
class FileSource : public DescriptorSource {
 public:
  // Opens `path`; gives nothing and sets `failure` ("cannot read \"PATH\": reason") when it
  // cannot be opened or is a directory.
  static std::unique_ptr<FileSource> Open(const std::string& path, std::string& failure);
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

 private:
  explicit FileSource(int fd) : DescriptorSource(fd), fd_(fd) {}
  int fd_;
};

class TextSource : public InputSource {
 public:
  explicit TextSource(std::string text) : text_(std::move(text)) {}
  long Read(char* buffer, std::size_t size, int& error) override;
  bool Trickles() const override { return false; }

 private:
  std::string text_;
  std::size_t position_ = 0;
};

}  // namespace korvelant
