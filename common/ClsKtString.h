#pragma once
// Text operations shared by the player and the assists: parsing of section
// headers, key=value lines and hexadecimal colour values, and filling of
// placeholders such as $1.
//
// Text is UTF-8; positions, lengths and "one character" mean Unicode
// characters, never bytes. Bytes that are not valid UTF-8 count as one
// character each and come back unchanged. Searches are exact and
// case-sensitive unless stated otherwise. The class has no state.
#include "common/KtVariant.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace common {

class ClsKtString {
public:
    ClsKtString() = default;
    // A string table for ResolveResString (the programs have none).
    explicit ClsKtString(std::map<std::int16_t, std::string> resourceStrings);

    // The characters of text whose code is U+0000..U+00FF or U+FF61..U+FF9F
    // (half-width katakana), in order; ExtractWideString: all the others.
    std::string ExtractNarrowString(std::string_view text) const;
    std::string ExtractWideString(std::string_view text) const;

    // The text between the first token1 and the next token2 after the first
    // character of token1: GetStringByRange("[Body]", "[", "]") == "Body".
    // Empty when a marker is missing or nothing lies between them.
    std::string GetStringByRange(std::string_view src, std::string_view token1, std::string_view token2) const;

    // Field pos (from 1) of src split at token; empty for pos < 1, a missing
    // field or an empty token.
    std::string GetStringByToken(std::string_view src, std::string_view token, std::int32_t pos) const;

    // Upper-case hexadecimal, zero-padded: 2 digits for a byte, 4 for a 16-bit
    // and 8 for a 32-bit integer (two's complement); "" for any other kind.
    std::string HexString(const KtVariant& value) const;

    // The hexadecimal digits found in text (others skipped), as a byte (0-2
    // digits), a 16-bit integer (3), a 32-bit integer (4-7) or a decimal (8+).
    KtVariant HexStringToVariant(std::string_view text) const;

    // src with every run of the one-character pack collapsed to one.
    std::string PackedString(std::string_view src, std::string_view pack) const;

    // src split at every occurrence of the one-character token: an array of
    // strings, the last field dropped when empty; the Long 0 for empty src.
    KtVariant SplitVb5(std::string_view src, std::string_view token) const;

    // 1 when every character takes one byte in CP932, 2 when every character
    // takes two, 0 when both occur; the counts go to dwNarrow and dwWide when
    // given. Throws KtError 5 "判別できない文字で構成されています。" for "".
    std::int32_t StringType(std::string_view src, std::int32_t* dwNarrow = nullptr,
                            std::int32_t* dwWide = nullptr) const;

    // The number of characters of src equal to the one-character token; 0
    // when token is not exactly one character.
    std::int32_t TokenCount(std::string_view src, std::string_view token) const;

    // Fills placeholders: pairs holds search text, replacement, search text,
    // replacement, ... (converted to text). Each pair replaces every
    // occurrence, ignoring case, rescanning after each replacement. A pair
    // whose search text is empty, or whose replacement contains its search
    // text ignoring case, would never finish and is skipped; so is a pair
    // whose replacements keep making new occurrences beyond four times the
    // text's length plus 1024 (such pairs make the text grow without bound).
    // A last search text without a replacement is ignored.
    std::string ResolveString(std::string_view text, const KtVariant::Array& pairs) const;

    // ResolveString on the string id of the string table. Throws KtError 326
    // when the table has no such string.
    std::string ResolveResString(std::int16_t id, const KtVariant::Array& pairs) const;

    // Exchanges the two texts without copying characters; returns empty.
    KtVariant ReplaceString(std::string& string1, std::string& string2) const;

private:
    std::map<std::int16_t, std::string> m_resourceStrings;
};

} // namespace common
