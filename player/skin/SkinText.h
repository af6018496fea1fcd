#pragma once
// Small text rules shared by the skin file readers.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

namespace skintext {

std::string Lower(std::string_view text);
// The text between the first `open` and the next `close` after it; empty when
// either is missing.
std::string Between(std::string_view text, char open, char close);
// Splits at every occurrence of sep (empty pieces kept).
std::vector<std::string> Split(std::string_view text, char sep);
// Blanks (spaces and tabs) removed at both ends.
std::string_view Trim(std::string_view text);
// A number as the skin files write them: optional blanks, an optional sign,
// decimal digits and an optional fraction (rounded half to even). Nothing
// when the text is not such a number or does not fit 32 bits.
std::optional<int32_t> ToInt32(std::string_view text);
// A Windows colour value from hexadecimal text, as colour lines give it: the
// text is left-padded with zeros, its last 8 characters are used, and of
// those the ones that are not hexadecimal digits are skipped. So "#FF0000",
// "&H00FF00" and "C0C0C0 " read as FF0000, 00FF00 and C0C0C0; an empty text
// reads as 0. The value is the 32-bit pattern taken as signed.
struct HexColour {
    int32_t value = 0;
    std::string skipped; // the characters skipped, in their order
    std::string cut;     // the characters before the last 8, which do not count
};
HexColour ReadHexColour(std::string_view text);
// A skin-relative path: "\" becomes "/", and a leading ".\" or "./" (and every
// later ".\") is replaced by the skin folder.
std::string ResolveSkinPath(std::string_view path, std::string_view skinPath);
// The skin folder with a trailing "/" (a trailing "\" is replaced).
std::string FolderWithSlash(std::string_view folder);

} // namespace skintext

} // namespace skin
