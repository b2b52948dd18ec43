#pragma once

#include <string_view>

namespace korvelant::fuzz {

// True when `text` holds no line break: messages, names and reasons each fit one line.
bool IsOneLine(std::string_view text);

// `text` without blanks (space, tab, CR, LF, FF, VT) at either end.
std::string_view Trimmed(std::string_view text);

// True when `text` is well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF). Written apart from the project's own decoder, to judge it.
bool IsUtf8(std::string_view text);

// True when `text` can go to a terminal as it is: UTF-8 without C0 or C1 control
// characters or DEL.
bool IsSafeForTerminal(std::string_view text);

}  // namespace korvelant::fuzz
