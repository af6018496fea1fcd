#include "player/dialogs/PropsRules.h"

#include "common/KtNumber.h"

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
        if (c0 == 0xE3 && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x80 && static_cast<unsigned char>(text[i + 2]) == 0x80) {
            narrow.push_back(' ');
            i += 3;
            continue;
        }
        narrow.push_back(text[i]);
        ++i;
    }
    return narrow;
}

} // namespace

std::optional<double> NumberValue(std::string_view text)
{
    const auto value = common::KtNumber::ToDouble(NarrowNumberText(text));
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

std::optional<int> WholeNumberValue(std::string_view text)
{
    return common::KtNumber::ToLong(NarrowNumberText(text));
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
