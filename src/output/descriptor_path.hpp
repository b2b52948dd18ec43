#pragma once

#include <optional>
#include <string_view>

namespace korvelant {

// The descriptor of this process that `path` names, if it names one: /dev/stdout,
// /dev/stderr, /dev/stdin, /dev/fd/N, /proc/self/fd/N, /proc/thread-self/fd/N and
// /proc/PID/fd/N with our own PID. Such a name must be written through the open
// descriptor: reopening it would truncate, or renaming over it replace, the file a shell
// redirect opened, losing what the shell wrote before and after.
std::optional<int> DescriptorNamedBy(std::string_view path);

}  // namespace korvelant
