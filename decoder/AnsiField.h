#pragma once
// Writing UTF-8 text into a fixed-size ANSI field of a record.
#include <span>
#include <string_view>

namespace decoder {

// Converts to the locale's ANSI character set, cuts at a character boundary
// so that a NUL follows, and NUL-pads the rest of the field.
void CopyAnsiField(std::span<char> field, std::string_view utf8);
// The same for text already in ANSI.
void CopyAnsiBytes(std::span<char> field, std::string_view ansi);

} // namespace decoder
