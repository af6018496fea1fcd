#pragma once
// The fixed binary records that the decoder library fills for the player.
//
// Their sizes and byte offsets are part of the interface and never change.
// Every text field holds ANSI text (the locale's character set, see
// platform/CodePage.h), cut at a character boundary so that at least one NUL
// follows it, and NUL-padded to its full size. Integers are 32-bit signed,
// little-endian (the machine's order). A zero-filled record (value-initialise
// with {}) is the "nothing known" state.
#include <cstddef>
#include <cstdint>

namespace decoder {

// Filled by Decoder::dec_open for the track it opened.
struct TrackOpenRecord {
    char Title[128]{};     // 0: title from the tags, empty when none
    char Artist[128]{};    // 128: artist from the tags, empty when none
    int32_t SampleRate{};  // 256: samples per second per channel of the first frame
    int32_t Channels{};    // 260: 1 or 2
    int32_t BitrateKbps{}; // 264: average bit rate in kbit/s
    int32_t TotalSec{};    // 268: length in whole seconds (rounded down)
};

// Filled by Decoder::dec_getFileInfo: the tags of a file.
struct FileTagRecord {
    char Title[128]{};     // 0
    char Artist[128]{};    // 128
    char Album[128]{};     // 256
    char Year[5]{};        // 384: up to four characters
    char Comment[128]{};   // 389
    int32_t Genre{};       // 520: ID3v1 genre number, -1 when none (255 in the tag)
    char GenreName[128]{}; // 524: the ID3v2 genre text (TCON), empty without one
};

// Filled by Decoder::dec_getFileInfo: the stream's technical data.
struct FileInfoRecord {
    int32_t MpegVersion{}; // 0: 10 for MPEG-1, 20 for MPEG-2, 25 for MPEG-2.5
    int32_t Layer{};       // 4: 1, 2 or 3
    int32_t SampleRate{};  // 8: Hz
    int32_t Channels{};    // 12: 1 or 2
    int32_t BitrateKbps{}; // 16: average bit rate in kbit/s
    int32_t BitrateMode{}; // 20: 0 constant, 1 variable, 2 average (as the encoder declared it)
    int32_t ChannelMode{}; // 24: 0 stereo, 1 joint stereo, 2 dual channel, 3 mono
    int32_t FrameCount{};  // 28: number of MPEG frames (exact with a VBR header, else estimated)
    int32_t FileBytes{};   // 32: size of the file (capped at INT32_MAX)
    int32_t AudioBytes{};  // 36: bytes of MPEG frames, without tags (capped at INT32_MAX)
    int32_t HasId3v1{};    // 40: 1 when the file ends with an ID3v1 tag
    int32_t HasId3v2{};    // 44: 1 when the file starts with an ID3v2 tag
    int32_t TotalMs{};     // 48: length in milliseconds
    int32_t TotalSec{};    // 52: length in whole seconds (rounded down)
};

// Filled by Decoder::dec_getLyrics: the lyric lines around the play position.
// Text fields, numbered 0 to 7 (Text[n]):
//   7 the line two before the current one, 6 the line before, 5 the current line,
//   1 the line after, 0 the line two after (empty where there is none);
//   2 the lyrics' title, 3 their artist, 4 their album (from the lyrics file's
//   ti/ar/al tags or the at-mark tags Title/Artist/Album; empty when absent).
// Before the first line's time the current line is -1: fields 5 to 7 are empty
// and fields 1 and 0 hold the first two lines.
struct LyricsRecord {
    int32_t LineCount{};   // 0: number of timed lines
    int32_t CurrentLine{}; // 4: index of the current line, -1 before the first; changes
                           //    exactly when the current line changes
    int32_t CurrentMs{};   // 8: time tag of the current line (offset applied), -1 if none
    int32_t NextMs{};      // 12: time tag of the line after it, -1 if none
    char Text[8][128]{};   // 16
};

static_assert(sizeof(TrackOpenRecord) == 272);
static_assert(offsetof(TrackOpenRecord, Artist) == 128);
static_assert(offsetof(TrackOpenRecord, SampleRate) == 256);
static_assert(offsetof(TrackOpenRecord, Channels) == 260);
static_assert(offsetof(TrackOpenRecord, BitrateKbps) == 264);
static_assert(offsetof(TrackOpenRecord, TotalSec) == 268);

static_assert(sizeof(FileTagRecord) == 652);
static_assert(offsetof(FileTagRecord, Artist) == 128);
static_assert(offsetof(FileTagRecord, Album) == 256);
static_assert(offsetof(FileTagRecord, Year) == 384);
static_assert(offsetof(FileTagRecord, Comment) == 389);
static_assert(offsetof(FileTagRecord, Genre) == 520);
static_assert(offsetof(FileTagRecord, GenreName) == 524);

static_assert(sizeof(FileInfoRecord) == 56);
static_assert(offsetof(FileInfoRecord, TotalSec) == 52);

static_assert(sizeof(LyricsRecord) == 1040);
static_assert(offsetof(LyricsRecord, CurrentLine) == 4);
static_assert(offsetof(LyricsRecord, NextMs) == 12);
static_assert(offsetof(LyricsRecord, Text) == 16);

} // namespace decoder
