#include "output/write_reason.hpp"

#include <cstring>

namespace korvelant {

std::string SystemReason(int error) {
  const char* description = ::strerrordesc_np(error);
  return description != nullptr ? description : "error " + std::to_string(error);
}

std::string CannotWriteMessage(const std::string& path, const std::string& reason) {
  return "Cannot write \"" + path + "\": " + reason;
}

}  // namespace korvelant
