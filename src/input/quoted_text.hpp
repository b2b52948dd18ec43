#pragma once

#include <string>
#include <string_view>

namespace korvelant {

// How every message shows text that came from the user or from an input file, so that no
// raw byte of it reaches a terminal: in double quotes, with `"` and `\` escaped, control
// characters as \n, \t, \x1b (and C1 controls as \u009b), bytes that are not UTF-8 as \xff;
// letters of any script stay as they are. A value longer than kShownValueBytes is cut at a
// character boundary and its length given: "CCCC…" (12345 bytes).
std::string QuotedText(std::string_view value);

inline constexpr std::size_t kShownValueBytes = 64;

// The same escapes for a whole message, without quotes and without touching `"` or `\`:
// the last pass before a message is written, for texts built from system or library parts.
std::string WithControlsEscaped(std::string_view message);

}  // namespace korvelant
