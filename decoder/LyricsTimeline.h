#pragma once
// Timed lyrics: parsing LRC-style text and finding the line for a time.
//
// A line carries one or more leading time tags [m:ss.xx], [m:ss:xx], [m:ss]
// or [m:ss.xxx] (minutes of any length; one fraction digit is tenths, two
// hundredths, three milliseconds), then its text. Enhanced-LRC word times
// <m:ss.xx> are removed from the text. [offset:+/-ms] shifts every line
// (a positive offset shows the lines earlier); [ti:], [ar:], [al:] give the
// title, artist and album; other [key:value] tags are ignored. With at-mark
// tags on, lines beginning with "@" are tags (@Title=, @Artist=, @Album=,
// @Offset=), and a timed line whose text begins with "@" is dropped, never
// shown. Lines without a time tag are ignored; a line whose leading bracket
// is neither a time nor a tag is rejected and its number kept.
//
// The text is UTF-8 (with or without BOM) or else CP932. Control characters
// are removed. Lines with equal times keep their file order.
#include "decoder/DecoderRecords.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace decoder {

struct LyricLine {
    int32_t TimeMs = 0; // with the offset applied
    std::string Text;   // UTF-8
};

struct LyricsOptions {
    bool AtMarkTags = false;
};

class LyricsTimeline {
public:
    // Files above this size are refused, which bounds time and memory.
    static constexpr size_t MaxFileBytes = 16 * 1024 * 1024;

    static LyricsTimeline Parse(std::string_view bytes, LyricsOptions options);
    // nullopt when the file cannot be read or is too large.
    [[nodiscard]] static std::optional<LyricsTimeline> Load(const std::string& path, LyricsOptions options);

    const std::vector<LyricLine>& Lines() const { return m_lines; }
    const std::string& Title() const { return m_title; }
    const std::string& Artist() const { return m_artist; }
    const std::string& Album() const { return m_album; }
    int32_t OffsetMs() const { return m_offsetMs; }
    // 1-based numbers of the lines rejected as malformed.
    const std::vector<int32_t>& RejectedLines() const { return m_rejected; }

    // The index of the line current at playMs when lines become current
    // adjustMs before their time; -1 before the first line.
    int32_t CurrentIndex(int32_t playMs, int32_t adjustMs) const;

    // Fills the record for playMs (see LyricsRecord); with follow false no
    // line is current and only the lines to come are shown.
    void Fill(LyricsRecord& record, int32_t playMs, int32_t adjustMs, bool follow) const;

private:
    void Finish();

    std::vector<LyricLine> m_lines;
    std::vector<std::string> m_ansi; // each line's text as ANSI, cut to a record field
    std::string m_title;
    std::string m_artist;
    std::string m_album;
    std::string m_ansiTitle;
    std::string m_ansiArtist;
    std::string m_ansiAlbum;
    int32_t m_offsetMs = 0;
    std::vector<int32_t> m_rejected;
};

} // namespace decoder
