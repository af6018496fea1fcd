#include "common/KtNumber.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace common {

namespace {

std::string_view Trim(std::string_view s)
{
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::optional<double> ParseRadix(std::string_view digits, int radix)
{
    if (digits.empty() || digits.size() > 16)
        return std::nullopt;
    std::uint64_t v = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return std::nullopt;
        if (d >= radix)
            return std::nullopt;
        v = v * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(d);
    }
    // Up to four hexadecimal digits are a 16-bit pattern (&HFFFF is -1), up
    // to eight a 32-bit one (&HFFFFFFFF is -1).
    if (radix == 16 && digits.size() <= 4)
        return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(v)));
    if (radix == 16 && digits.size() <= 8)
        return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
    return static_cast<double>(v);
}

// Plain decimal: [sign] digits [. digits] [e|E [sign] digits], or a fraction alone.
bool IsDecimalSyntax(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t exp = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            ++i;
            ++exp;
        }
        if (exp == 0)
            return false;
    }
    return i == s.size();
}

template <typename T>
std::optional<T> RoundTo(std::optional<double> value)
{
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    double r = std::nearbyint(*value); // the default rounding mode: halves to even
    if (r < static_cast<double>(std::numeric_limits<T>::min()) || r > static_cast<double>(std::numeric_limits<T>::max()))
        return std::nullopt;
    return static_cast<T>(r);
}

} // namespace

std::optional<double> KtNumber::ToDouble(std::string_view text)
{
    std::string_view s = Trim(text);
    if (s.size() > 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h'))
        return ParseRadix(s.substr(2), 16);
    if (s.size() > 2 && s[0] == '&' && (s[1] == 'O' || s[1] == 'o'))
        return ParseRadix(s.substr(2), 8);
    if (!IsDecimalSyntax(s))
        return std::nullopt;
    // from_chars, unlike strtod, ignores the locale: "7.5" stays 7.5 under a
    // locale with a decimal comma. It takes no "+", which the syntax allowed.
    if (s.front() == '+')
        s.remove_prefix(1);
    double v = 0.0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (error != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return v;
}

std::optional<std::int32_t> KtNumber::ToLong(std::string_view text)
{
    return RoundTo<std::int32_t>(ToDouble(text));
}

std::optional<std::int16_t> KtNumber::ToInteger(std::string_view text)
{
    return RoundTo<std::int16_t>(ToDouble(text));
}

} // namespace common
