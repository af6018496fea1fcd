#pragma once
// The rules by which the Properties dialog reads and corrects what the user
// typed. Pure functions on UTF-8 text, no widgets involved.
#include <optional>
#include <string>
#include <string_view>

namespace dialogs::PropsRules {

// The value of a text box when it holds a number, by the program's ordinary
// number conversion (KtNumber: optional blanks around an optional sign,
// digits with an optional decimal fraction and exponent, or &H and &O
// numbers: "12", " -3 ", "+7.5", "1e2"). Full-width digits, signs, point and
// blanks, as a Japanese input method types them, count as their ASCII
// counterparts. Anything else, including the empty text and numbers too
// large for a double, is not a number.
std::optional<double> NumberValue(std::string_view text);

// A number rounded to the nearest whole number, halves to the even one
// (2.5 gives 2, 3.5 gives 4). Empty when not a number or outside the range
// of int.
std::optional<int> WholeNumberValue(std::string_view text);

// The text a position or volume box shows instead of the empty text.
inline constexpr std::string_view EmptyBoxText = "0";

// The volume box on Close: text that is not a number, or whose value lies
// below 0 or above 100, becomes "100"; the volume is then the box's value.
struct ClosingVolume {
    std::string BoxText;
    int Volume = 100;
};
ClosingVolume VolumeOnClose(std::string_view boxText);

// The lyrics extension list on Close: empty becomes "txt".
std::string LyricsExtOnClose(std::string_view boxText);

// The lyrics folder on Close: a folder that does not end in "/" gets one;
// empty stays empty (look only next to the MP3 file).
std::string LyricsFolderOnClose(std::string_view boxText);

} // namespace dialogs::PropsRules
