#include "output/safe_file_writer.hpp"

#include "output/streaming_file_writer.hpp"

namespace korvelant {

std::optional<std::string> WriteFileSafely(const std::string& path, std::string_view bytes) {
  StreamingFileWriter writer(path);
  if (!writer.Write(bytes)) return writer.failure();
  return writer.Commit();
}

}  // namespace korvelant
