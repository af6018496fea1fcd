#pragma once
// The ordinary conversion of text to a whole number that settings, skin files
// and the command line rely on: surrounding spaces and tabs are ignored; a
// decimal number with optional sign, fraction and exponent is rounded to the
// nearest whole number, halves to the even neighbour (so "2.5" gives 2 and
// "3.5" gives 4); "&H" and "&O" introduce hexadecimal and octal digits. Text
// that is not a number, or a number outside the target range, gives nullopt.
#include <cstdint>
#include <optional>
#include <string_view>

namespace common {

class KtNumber {
public:
    static std::optional<std::int32_t> ToLong(std::string_view text);
    static std::optional<std::int16_t> ToInteger(std::string_view text);
    static std::optional<double> ToDouble(std::string_view text);
};

} // namespace common
