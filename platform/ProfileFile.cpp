#include "platform/ProfileFile.h"

#include "platform/AtomicFile.h"
#include "platform/CodePage.h"
#include "platform/FileDescriptor.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

std::string_view Trim(std::string_view s)
{
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// The section name of a header line ("[name]"), or nullopt for other lines.
std::optional<std::string_view> HeaderName(std::string_view line)
{
    std::string_view t = Trim(line);
    if (t.empty() || t.front() != '[')
        return std::nullopt;
    t.remove_prefix(1);
    auto close = t.find(']');
    if (close != std::string_view::npos)
        t = t.substr(0, close);
    return Trim(t);
}

bool IsComment(std::string_view trimmed)
{
    return !trimmed.empty() && trimmed.front() == ';';
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> SplitKeyLine(std::string_view line)
{
    std::string_view t = Trim(line);
    if (t.empty() || IsComment(t))
        return std::nullopt;
    auto eq = t.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return KeyLine{Trim(t.substr(0, eq)), Trim(t.substr(eq + 1))};
}

// Line breaks inside a name or value would split its line in two; bytes that
// are not UTF-8 would make the file's text read back differently.
std::string OneLine(std::string_view s)
{
    std::string out(Trim(s));
    if (!CodePage::IsValidUtf8(out)) {
        std::u32string chars = Utf8::Decode(out);
        for (auto& c : chars)
            if (c >= 0xDC80 && c <= 0xDCFF)
                c = U'?';
        out = Utf8::Encode(chars);
    }
    std::replace(out.begin(), out.end(), '\r', ' ');
    std::replace(out.begin(), out.end(), '\n', ' ');
    return std::string(Trim(out));
}

std::string HeaderLine(std::string_view section)
{
    std::string line(1, '[');
    line += OneLine(section);
    line += ']';
    return line;
}

} // namespace

ProfileFile ProfileFile::Load(const std::string& path)
{
    ProfileFile result;
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) {
        result.m_status = (errno == ENOENT || errno == ENOTDIR) ? Status::Missing : Status::Unreadable;
        return result;
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || S_ISDIR(st.st_mode)) {
        result.m_status = Status::Unreadable;
        return result;
    }
    if (S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) > MaxFileBytes) {
        result.m_status = Status::TooLarge;
        return result;
    }
    std::string bytes;
    if (S_ISREG(st.st_mode))
        bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            result.m_status = Status::Unreadable;
            return result;
        }
        if (n == 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(n) > MaxFileBytes) {
            result.m_status = Status::TooLarge;
            return result;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    result = FromBytes(bytes);
    return result;
}

ProfileFile ProfileFile::FromBytes(std::string_view bytes)
{
    ProfileFile result;
    result.m_status = Status::Loaded;
    const std::string text = CodePage::DecodeFileText(bytes);
    std::size_t start = 0;
    bool first = true;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::size_t next = end == std::string::npos ? text.size() : end + 1;
        std::size_t stop = end == std::string::npos ? text.size() : end;
        bool cr = stop > start && text[stop - 1] == '\r';
        if (first && end != std::string::npos)
            result.m_crlf = cr;
        first = false;
        result.m_lines.emplace_back(text, start, stop - start - (cr ? 1 : 0));
        start = next;
    }
    return result;
}

std::optional<ProfileFile::SectionSpan> ProfileFile::FindSection(std::string_view section) const
{
    const std::string_view wanted = Trim(section);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        auto name = HeaderName(m_lines[i]);
        if (!name || !EqualNoCase(*name, wanted))
            continue;
        std::size_t end = i + 1;
        while (end < m_lines.size() && !HeaderName(m_lines[end]))
            ++end;
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

std::size_t ProfileFile::InsertionPoint(const SectionSpan& span) const
{
    std::size_t at = span.end;
    while (at > span.header + 1 && Trim(m_lines[at - 1]).empty())
        --at;
    return at;
}

bool ProfileFile::HasSection(std::string_view section) const
{
    return FindSection(section).has_value();
}

std::optional<std::string> ProfileFile::Value(std::string_view section, std::string_view key) const
{
    auto span = FindSection(section);
    if (!span)
        return std::nullopt;
    const std::string_view wanted = Trim(key);
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        auto kv = SplitKeyLine(m_lines[i]);
        if (kv && EqualNoCase(kv->key, wanted))
            return std::string(kv->value);
    }
    return std::nullopt;
}

std::optional<std::vector<std::string>> ProfileFile::SectionEntries(std::string_view section) const
{
    auto span = FindSection(section);
    if (!span)
        return std::nullopt;
    std::vector<std::string> entries;
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        std::string_view t = Trim(m_lines[i]);
        if (t.empty() || IsComment(t))
            continue;
        if (auto kv = SplitKeyLine(t)) {
            std::string entry(kv->key);
            entry += '=';
            entry += kv->value;
            entries.push_back(std::move(entry));
        } else {
            entries.emplace_back(t);
        }
    }
    return entries;
}

void ProfileFile::SetValue(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string cleanKey = OneLine(key);
    const std::string cleanValue = OneLine(value);
    auto span = FindSection(section);
    if (!span) {
        if (!m_lines.empty() && !Trim(m_lines.back()).empty())
            m_lines.emplace_back();
        m_lines.push_back(HeaderLine(section));
        m_lines.push_back(cleanKey + "=" + cleanValue);
        return;
    }
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        auto kv = SplitKeyLine(m_lines[i]);
        if (kv && EqualNoCase(kv->key, cleanKey)) {
            // Keep the key as the file spells it.
            m_lines[i] = std::string(kv->key) + "=" + cleanValue;
            return;
        }
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(InsertionPoint(*span)),
                   cleanKey + "=" + cleanValue);
}

void ProfileFile::ReplaceSection(std::string_view section, const std::vector<std::string>& entries)
{
    std::vector<std::string> clean;
    for (const auto& e : entries) {
        std::string line = OneLine(e);
        if (!line.empty())
            clean.push_back(std::move(line));
    }
    auto span = FindSection(section);
    if (!span) {
        if (!m_lines.empty() && !Trim(m_lines.back()).empty())
            m_lines.emplace_back();
        m_lines.push_back(HeaderLine(section));
        m_lines.insert(m_lines.end(), clean.begin(), clean.end());
        return;
    }
    auto first = m_lines.begin() + static_cast<std::ptrdiff_t>(span->header + 1);
    auto last = m_lines.begin() + static_cast<std::ptrdiff_t>(InsertionPoint(*span));
    auto at = m_lines.erase(first, last);
    m_lines.insert(at, clean.begin(), clean.end());
}

std::string ProfileFile::ToText() const
{
    const char* eol = m_crlf ? "\r\n" : "\n";
    std::size_t size = 0;
    for (const auto& l : m_lines)
        size += l.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& l : m_lines) {
        text += l;
        text += eol;
    }
    return text;
}

IoResult ProfileFile::Save(const std::string& path) const
{
    return Save(path, CodePage::CurrentAnsiCharset());
}

IoResult ProfileFile::Save(const std::string& path, AnsiCharset charset) const
{
    if (m_status == Status::Unreadable || m_status == Status::TooLarge)
        return IoResult::Failure(EIO, "the existing file " + path + " could not be read, so it is not replaced");
    return AtomicFile::Write(path, CodePage::ToAnsi(ToText(), charset));
}

} // namespace platform
