#pragma once
// The song information, 768 bytes: three fields of 256 bytes holding ANSI
// text (the locale's character set) ended by a NUL.
//   0 ArtistName   256 TrackName   512 Mp3File
// Bytes after the first NUL are left over from earlier texts and are not part
// of the value; a field without any NUL holds 256 bytes of text.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/CodePage.h"

namespace protocol {

inline constexpr std::size_t SongFieldSize = 256;
// The most text bytes a field holds; the NUL takes the last byte.
inline constexpr std::size_t SongFieldTextMax = SongFieldSize - 1;

using SongField = std::array<char, SongFieldSize>;

struct SongInfoRecord {
    SongField ArtistName{};
    SongField TrackName{};
    SongField Mp3File{};
};

static_assert(sizeof(SongInfoRecord) == 768);
static_assert(offsetof(SongInfoRecord, ArtistName) == 0);
static_assert(offsetof(SongInfoRecord, TrackName) == 256);
static_assert(offsetof(SongInfoRecord, Mp3File) == 512);

// The field's value: its bytes up to the first NUL, or all 256 without one.
std::string_view SongFieldBytes(const SongField& field);

// Writes ANSI bytes to the start of the field followed by a NUL. Text longer
// than 255 bytes is cut at a character boundary of the given character set.
// The bytes after the NUL are left as they were. Returns the bytes written
// (without the NUL).
std::size_t SetSongFieldAnsi(SongField& field, std::string_view ansi,
                             platform::AnsiCharset charset = platform::CodePage::CurrentAnsiCharset());

// UTF-8 text converted to the locale's ANSI bytes and written as above.
std::size_t SetSongFieldText(SongField& field, std::string_view utf8,
                             platform::AnsiCharset charset = platform::CodePage::CurrentAnsiCharset());

// The field's value converted from ANSI to UTF-8.
std::string SongFieldText(const SongField& field,
                          platform::AnsiCharset charset = platform::CodePage::CurrentAnsiCharset());

} // namespace protocol
