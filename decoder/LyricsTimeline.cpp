#include "decoder/LyricsTimeline.h"

#include "platform/CodePage.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>

namespace decoder {

namespace {

namespace CodePage = platform::CodePage;

// Times beyond this are malformed rather than lyrics (about 12 days).
constexpr int64_t MaxTimeMs = std::numeric_limits<int32_t>::max() / 2;
constexpr size_t FieldBytes = sizeof(LyricsRecord::Text[0]);

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x | 0x20) == (y | 0x20) && IsLetter(x) == IsLetter(y);
           });
}

// "m:ss", "m:ss.f", "m:ss.ff", "m:ss.fff", with ':' also as the fraction separator.
std::optional<int64_t> ParseTime(std::string_view s)
{
    s = Trim(s);
    size_t i = 0;
    int64_t minutes = 0;
    while (i < s.size() && IsDigit(s[i])) {
        if (i >= 6)
            return std::nullopt;
        minutes = minutes * 10 + (s[i] - '0');
        ++i;
    }
    if (i == 0 || i >= s.size() || s[i] != ':')
        return std::nullopt;
    ++i;
    const size_t secStart = i;
    int64_t seconds = 0;
    while (i < s.size() && IsDigit(s[i]) && i - secStart < 2)
        seconds = seconds * 10 + (s[i++] - '0');
    if (i == secStart || seconds >= 60)
        return std::nullopt;
    int64_t ms = 0;
    if (i < s.size()) {
        if (s[i] != '.' && s[i] != ':')
            return std::nullopt;
        ++i;
        const size_t fracStart = i;
        while (i < s.size() && IsDigit(s[i]) && i - fracStart < 3)
            ms = ms * 10 + (s[i++] - '0');
        const size_t digits = i - fracStart;
        if (digits == 0 || i != s.size())
            return std::nullopt;
        ms *= digits == 1 ? 100 : digits == 2 ? 10
                                              : 1;
    }
    const int64_t total = (minutes * 60 + seconds) * 1000 + ms;
    if (total > MaxTimeMs)
        return std::nullopt;
    return total;
}

std::optional<int32_t> ParseOffset(std::string_view s)
{
    s = Trim(s);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || s.size() > 9 || !std::all_of(s.begin(), s.end(), IsDigit))
        return std::nullopt;
    int32_t v = 0;
    for (char c : s)
        v = v * 10 + (c - '0');
    return negative ? -v : v;
}

// The line's text: word times <m:ss.xx> and control characters removed.
std::string CleanText(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '<') {
            const size_t close = s.find('>', i + 1);
            if (close != std::string_view::npos && ParseTime(s.substr(i + 1, close - i - 1))) {
                i = close;
                continue;
            }
        }
        const auto b = static_cast<unsigned char>(c);
        if (b == '\t')
            out += ' ';
        else if (b >= 0x20 && b != 0x7F)
            out += c;
    }
    return std::string(Trim(out));
}

std::string ToField(std::string_view utf8)
{
    const std::string ansi = CodePage::ToAnsi(utf8);
    return std::string(CodePage::TruncateAnsi(ansi, FieldBytes - 1));
}

void Put(char (&field)[FieldBytes], const std::string& ansi)
{
    std::memcpy(field, ansi.data(), std::min(ansi.size(), FieldBytes - 1));
}

} // namespace

LyricsTimeline LyricsTimeline::Parse(std::string_view bytes, LyricsOptions options)
{
    LyricsTimeline t;
    const std::string text = CodePage::DecodeFileText(bytes);
    std::string_view rest = text;
    int32_t lineNumber = 0;
    std::vector<int64_t> times;
    while (!rest.empty()) {
        const size_t eol = rest.find('\n');
        std::string_view line = Trim(rest.substr(0, eol));
        rest = eol == std::string_view::npos ? std::string_view{} : rest.substr(eol + 1);
        ++lineNumber;
        if (line.empty())
            continue;

        if (options.AtMarkTags && line.front() == '@') {
            const size_t eq = line.find('=');
            if (eq == std::string_view::npos)
                continue;
            const auto key = Trim(line.substr(1, eq - 1));
            const auto value = CleanText(line.substr(eq + 1));
            if (EqualsNoCase(key, "title"))
                t.m_title = value;
            else if (EqualsNoCase(key, "artist"))
                t.m_artist = value;
            else if (EqualsNoCase(key, "album"))
                t.m_album = value;
            else if (EqualsNoCase(key, "offset")) {
                if (const auto v = ParseOffset(value))
                    t.m_offsetMs = *v;
            }
            continue;
        }

        times.clear();
        bool rejected = false;
        bool tagLine = false;
        while (!line.empty() && line.front() == '[') {
            const size_t close = line.find(']');
            if (close == std::string_view::npos) {
                rejected = true;
                break;
            }
            const std::string_view content = line.substr(1, close - 1);
            if (const auto time = ParseTime(content)) {
                times.push_back(*time);
                line = Trim(line.substr(close + 1));
                continue;
            }
            const size_t colon = content.find(':');
            const std::string_view key = content.substr(0, colon);
            if (colon != std::string_view::npos && colon > 0 && std::all_of(key.begin(), key.end(), IsLetter)) {
                if (times.empty()) {
                    tagLine = true;
                    const auto value = CleanText(content.substr(colon + 1));
                    if (EqualsNoCase(key, "ti"))
                        t.m_title = value;
                    else if (EqualsNoCase(key, "ar"))
                        t.m_artist = value;
                    else if (EqualsNoCase(key, "al"))
                        t.m_album = value;
                    else if (EqualsNoCase(key, "offset")) {
                        if (const auto v = ParseOffset(value))
                            t.m_offsetMs = *v;
                    }
                }
                // After a time tag, a bracketed word is part of the text.
                break;
            }
            if (times.empty())
                rejected = true;
            break;
        }
        if (rejected) {
            t.m_rejected.push_back(lineNumber);
            continue;
        }
        if (tagLine || times.empty())
            continue;
        std::string lyric = CleanText(line);
        if (options.AtMarkTags && !lyric.empty() && lyric.front() == '@')
            continue;
        for (size_t i = 0; i < times.size(); ++i)
            t.m_lines.push_back({static_cast<int32_t>(times[i]), i + 1 < times.size() ? lyric : std::move(lyric)});
    }
    t.Finish();
    return t;
}

void LyricsTimeline::Finish()
{
    for (auto& line : m_lines)
        line.TimeMs -= m_offsetMs;
    std::stable_sort(m_lines.begin(), m_lines.end(),
                     [](const LyricLine& a, const LyricLine& b) { return a.TimeMs < b.TimeMs; });
    m_ansi.clear();
    m_ansi.reserve(m_lines.size());
    for (const auto& line : m_lines)
        m_ansi.push_back(ToField(line.Text));
    m_ansiTitle = ToField(m_title);
    m_ansiArtist = ToField(m_artist);
    m_ansiAlbum = ToField(m_album);
}

std::optional<LyricsTimeline> LyricsTimeline::Load(const std::string& path, LyricsOptions options)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    in.seekg(0, std::ios::end);
    const auto size = in.tellg();
    if (size < 0 || static_cast<size_t>(size) > MaxFileBytes)
        return std::nullopt;
    in.seekg(0, std::ios::beg);
    std::string bytes(static_cast<size_t>(size), '\0');
    if (!in.read(bytes.data(), size))
        return std::nullopt;
    return Parse(bytes, options);
}

int32_t LyricsTimeline::CurrentIndex(int32_t playMs, int32_t adjustMs) const
{
    const int64_t at = int64_t(playMs) + adjustMs;
    const auto it = std::upper_bound(m_lines.begin(), m_lines.end(), at,
                                     [](int64_t t, const LyricLine& line) { return t < line.TimeMs; });
    return static_cast<int32_t>(std::distance(m_lines.begin(), it)) - 1;
}

void LyricsTimeline::Fill(LyricsRecord& record, int32_t playMs, int32_t adjustMs, bool follow) const
{
    record = {};
    const auto n = static_cast<int32_t>(m_lines.size());
    const int32_t current = follow ? CurrentIndex(playMs, adjustMs) : -1;
    record.LineCount = n;
    record.CurrentLine = current;
    record.CurrentMs = current >= 0 ? m_lines[static_cast<size_t>(current)].TimeMs : -1;
    record.NextMs = current + 1 < n ? m_lines[static_cast<size_t>(current + 1)].TimeMs : -1;
    const auto line = [&](int field, int32_t index) {
        if (index >= 0 && index < n)
            Put(record.Text[field], m_ansi[static_cast<size_t>(index)]);
    };
    line(7, current - 2);
    line(6, current - 1);
    line(5, current);
    line(1, current + 1);
    line(0, current + 2);
    Put(record.Text[2], m_ansiTitle);
    Put(record.Text[3], m_ansiArtist);
    Put(record.Text[4], m_ansiAlbum);
}

} // namespace decoder
