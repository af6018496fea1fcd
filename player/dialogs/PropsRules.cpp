#include "player/dialogs/PropsRules.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace dialogs::PropsRules {

namespace {

// Maps the full-width forms an input method produces to ASCII; every other
// character is copied unchanged (and later rejected by the grammar).
std::string NarrowNumberText(std::string_view text)
{
    std::string narrow;
    narrow.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c0 = static_cast<unsigned char>(text[i]);
        if (c0 == 0xEF && i + 2 < text.size()) {
            const auto c1 = static_cast<unsigned char>(text[i + 1]);
            const auto c2 = static_cast<unsigned char>(text[i + 2]);
            // U+FF01..U+FF5E lie at EF BC 81..EF BD 9E and map to U+0021..U+007E.
            if (c1 == 0xBC && c2 >= 0x81 && c2 <= 0xBF) {
                narrow.push_back(static_cast<char>(c2 - 0x81 + 0x21));
                i += 3;
                continue;
            }
            if (c1 == 0xBD && c2 >= 0x80 && c2 <= 0x9E) {
                narrow.push_back(static_cast<char>(c2 - 0x80 + 0x5F));
                i += 3;
                continue;
            }
        }
        // U+3000, the ideographic space.
        if (c0 == 0xE3 && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x80
            && static_cast<unsigned char>(text[i + 2]) == 0x80) {
            narrow.push_back(' ');
            i += 3;
            continue;
        }
        narrow.push_back(text[i]);
        ++i;
    }
    return narrow;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the grammar [sign] digits [. digits] [e [sign] digits] with at least
// one digit before the exponent, and returns the text without a leading "+".
std::optional<std::string_view> NumberCore(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    const bool plus = !s.empty() && s[0] == '+';
    std::size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != s.size())
        return std::nullopt;
    return plus ? s.substr(1) : s;
}

} // namespace

std::optional<double> NumberValue(std::string_view text)
{
    const std::string narrow = NarrowNumberText(text);
    std::string_view s = narrow;
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    const auto core = NumberCore(s);
    if (!core)
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(core->data(), core->data() + core->size(), value);
    if (error != std::errc() || end != core->data() + core->size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> WholeNumberValue(std::string_view text)
{
    const auto value = NumberValue(text);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value); // the default rounding mode: halves to even
    if (rounded < static_cast<double>(INT_MIN) || rounded > static_cast<double>(INT_MAX))
        return std::nullopt;
    return static_cast<int>(rounded);
}

ClosingVolume VolumeOnClose(std::string_view boxText)
{
    const auto value = NumberValue(boxText);
    if (!value || *value < 0 || *value > 100)
        return {"100", 100};
    // A value within 0..100 rounds to a whole number within 0..100.
    return {std::string(boxText), static_cast<int>(std::nearbyint(*value))};
}

std::string LyricsExtOnClose(std::string_view boxText)
{
    return boxText.empty() ? std::string("txt") : std::string(boxText);
}

std::string LyricsFolderOnClose(std::string_view boxText)
{
    std::string folder(boxText);
    if (!folder.empty() && folder.back() != '/')
        folder.push_back('/');
    return folder;
}

} // namespace dialogs::PropsRules
