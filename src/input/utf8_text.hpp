#pragma once

#include <cstddef>
#include <string_view>

namespace korvelant {

// The length of the well-formed UTF-8 sequence at the start of `text`, with its code point
// in `codePoint`, or 0 when the first byte starts none: a stray continuation byte, a cut
// sequence, an overlong form, a surrogate or a value past U+10FFFF. `text` is not empty.
std::size_t Utf8SequenceLength(std::string_view text, char32_t& codePoint);

}  // namespace korvelant
