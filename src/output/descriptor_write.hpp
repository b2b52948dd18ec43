#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvelant {

// Writes all of `bytes` to `fd`, retrying short writes and interruptions. A pipe whose
// reader has gone is reported as EPIPE instead of killing the process with SIGPIPE, and a
// descriptor someone left non-blocking is waited on for a bounded time, never forever.
// Returns 0 or an errno value.
int WriteAllBytes(int fd, std::string_view bytes);

// The English reason for an errno of a write or open, worded for what was being written:
// "no reader on the pipe" rather than the system's "No such device or address".
std::string WriteErrorReason(int error);

// Why a descriptor this process already has open (standard output named as /dev/stdout and
// the like) cannot be written, or nothing when it can. It is written at its current offset:
// what the shell wrote before stays.
std::optional<std::string> DescriptorWriteProblem(int fd);

}  // namespace korvelant
