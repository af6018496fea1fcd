#pragma once
// Decoding the text of tags whose character set is not declared reliably.
//
// ID3v1 fields are raw bytes: Japanese files carry CP932, others Latin-1 or
// UTF-8. ID3v2 frames declared ISO-8859-1 often hold CP932 (or UTF-8) bytes;
// libmpg123 hands them on as UTF-8 of the Latin-1 reading, from which the
// original bytes are recovered. All results are UTF-8.
#include <string>
#include <string_view>

namespace decoder::TagText {

// True when the bytes are well-formed CP932 holding at least one double-byte
// character, one of whose lead bytes lies in 0x81..0x9F (hiragana, katakana,
// the common kanji). Those bytes are control characters in Latin-1, so real
// Latin-1 text never passes.
bool LooksLikeCp932(std::string_view bytes);

// Raw tag bytes to UTF-8: UTF-8 when valid, else CP932 when it looks like
// CP932, else Latin-1. Trailing NULs and spaces are dropped.
std::string FromLegacyBytes(std::string_view bytes);

// UTF-8 text that came from a frame declared Latin-1: when every character
// is below U+0100 and the bytes they stand for look like CP932 or are
// multi-byte UTF-8, the text those bytes really hold; otherwise unchanged.
std::string RecoverLatin1Reading(std::string_view utf8);

} // namespace decoder::TagText
