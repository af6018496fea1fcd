#include "player/widgets/BodyRules.h"

#include <algorithm>

namespace widgets {

namespace BodyRules {

int SpectrumLevel(std::int32_t left, std::int32_t right)
{
    // 64-bit so that the subtraction cannot overflow for extreme values.
    const std::int64_t v = std::max(left, right);
    const std::int64_t level = (v - 40) / 5 - 1; // C++ division truncates toward zero
    return static_cast<int>(std::clamp<std::int64_t>(level, 0, MaxLevel));
}

int GaugeSuffix(int percent)
{
    if (percent < 5)
        return 0;
    if (percent >= 95)
        return 100;
    return (percent + 5) / 10 * 10;
}

std::array<char, 5> DisplayTime(std::string_view formatted)
{
    std::array<char, 5> out{'0', '0', ':', '0', '0'};
    const auto colon = formatted.find(':');
    if (colon == std::string_view::npos)
        return out;
    const std::string_view minutes = formatted.substr(0, colon);
    const std::string_view rest = formatted.substr(colon + 1);
    if (minutes.size() > 2) {
        out[0] = '9';
        out[1] = '9';
    } else if (minutes.size() == 2) {
        out[0] = minutes[0];
        out[1] = minutes[1];
    } else if (minutes.size() == 1) {
        out[1] = minutes[0];
    }
    if (rest.size() >= 2) {
        out[3] = rest[0];
        out[4] = rest[1];
    }
    return out;
}

std::string TitleText(std::string_view trackName, std::string_view artistName)
{
    if (trackName.empty() && artistName.empty())
        return {};
    std::string text(trackName.empty() ? std::string_view("Unknown Track") : trackName);
    text += " - ";
    text += artistName.empty() ? std::string_view("Unknown Artist") : artistName;
    return text;
}

std::string CaptionText(std::string_view titleText)
{
    std::string caption(titleText);
    caption += " <Zelko-Deck>";
    return caption;
}

} // namespace BodyRules

} // namespace widgets
