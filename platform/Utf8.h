#pragma once
// Character-level access to the program's UTF-8 text without losing bytes:
// Decode turns each valid UTF-8 sequence into its code point and each byte
// that is not part of one into the code point U+DC00 + byte (a lone surrogate,
// which valid text never contains); Encode reverses it exactly. So text that is
// not valid UTF-8 survives a round trip unchanged.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform::Utf8 {

// A valid UTF-8 sequence: its code point and its length in bytes (1 to 4).
struct Sequence {
    char32_t CodePoint;
    std::size_t Length;
};
// The valid sequence at the start of text, or nothing when text is empty or
// starts with a byte that begins none (overlong forms, surrogates and code
// points past U+10FFFF are not valid).
std::optional<Sequence> FirstSequence(std::string_view text);

std::u32string Decode(std::string_view text);
std::string Encode(std::u32string_view text);

// Simple one-to-one case mappings (a character without one maps to itself).
char32_t ToUpper(char32_t c);
char32_t FoldCase(char32_t c);

} // namespace platform::Utf8
