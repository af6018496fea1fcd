#include "platform/CodePage.h"

#include "platform/Utf8.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>

namespace platform::CodePage {
namespace {

// Length of the valid UTF-8 sequence at the start of s, or 0 when it is not valid.
std::size_t Utf8SequenceLength(std::string_view s)
{
    const auto sequence = Utf8::FirstSequence(s);
    return sequence ? sequence->Length : 0;
}

bool IsCp932LeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// One iconv descriptor per call keeps the conversions thread-safe without locks.
class Iconv {
public:
    Iconv(const char* to, const char* from)
        : m_cd(iconv_open(to, from))
    {}
    ~Iconv()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool Valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; on an invalid or unrepresentable sequence it
    // writes "?" and skips one character of the input (skip tells how long).
    template <typename Skip>
    std::string Convert(std::string_view in, Skip skip)
    {
        std::string out;
        out.reserve(in.size() * 3 / 2 + 4);
        char buffer[1024];
        std::size_t pos = 0;
        while (pos < in.size()) {
            char* src = const_cast<char*>(in.data() + pos);
            std::size_t srcLeft = in.size() - pos;
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            std::size_t rc = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            int err = errno;
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            pos = in.size() - srcLeft;
            if (rc != static_cast<std::size_t>(-1))
                break;
            if (err == E2BIG)
                continue;
            // EILSEQ or EINVAL (an incomplete sequence at the end): substitute.
            out += '?';
            pos += skip(in.substr(pos));
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t m_cd;
};

std::size_t SkipUtf8(std::string_view s)
{
    std::size_t n = Utf8SequenceLength(s);
    return n ? n : 1;
}

std::size_t SkipCp932(std::string_view s)
{
    if (s.size() >= 2 && IsCp932LeadByte(static_cast<unsigned char>(s[0])))
        return 2;
    return 1;
}

// Replaces every invalid sequence of UTF-8 by "?".
std::string SanitizeUtf8(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    while (!s.empty()) {
        std::size_t n = Utf8SequenceLength(s);
        if (n) {
            out.append(s.substr(0, n));
            s.remove_prefix(n);
        } else {
            out += '?';
            s.remove_prefix(1);
        }
    }
    return out;
}

} // namespace

AnsiCharset CurrentAnsiCharset()
{
    static const AnsiCharset charset = [] {
        std::string codeset = nl_langinfo(CODESET);
        for (char& c : codeset)
            c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
        if (codeset.find("932") != std::string::npos || codeset.find("SJIS") != std::string::npos || codeset.find("SHIFT") != std::string::npos)
            return AnsiCharset::Cp932;
        return AnsiCharset::Utf8;
    }();
    return charset;
}

bool IsValidUtf8(std::string_view bytes)
{
    while (!bytes.empty()) {
        std::size_t n = Utf8SequenceLength(bytes);
        if (!n)
            return false;
        bytes.remove_prefix(n);
    }
    return true;
}

std::string FromCp932(std::string_view cp932)
{
    Iconv cd("UTF-8", "CP932");
    if (!cd.Valid())
        return SanitizeUtf8(cp932);
    return cd.Convert(cp932, SkipCp932);
}

std::string ToCp932(std::string_view utf8)
{
    Iconv cd("CP932", "UTF-8");
    if (!cd.Valid())
        return std::string(utf8);
    return cd.Convert(utf8, SkipUtf8);
}

std::string ToAnsi(std::string_view utf8, AnsiCharset charset)
{
    return charset == AnsiCharset::Cp932 ? ToCp932(utf8) : SanitizeUtf8(utf8);
}

std::string FromAnsi(std::string_view ansi, AnsiCharset charset)
{
    return charset == AnsiCharset::Cp932 ? FromCp932(ansi) : SanitizeUtf8(ansi);
}

std::string DecodeFileText(std::string_view bytes)
{
    if (bytes.size() >= 3 && std::memcmp(bytes.data(), "\xEF\xBB\xBF", 3) == 0)
        bytes.remove_prefix(3);
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    return FromCp932(bytes);
}

std::size_t AnsiLength(std::string_view utf8, AnsiCharset charset)
{
    return charset == AnsiCharset::Cp932 ? ToCp932(utf8).size() : utf8.size();
}

std::string_view TruncateAnsi(std::string_view ansi, std::size_t maxBytes, AnsiCharset charset)
{
    if (charset == AnsiCharset::Utf8)
        return TruncateUtf8(ansi, maxBytes);
    std::size_t pos = 0;
    while (pos < ansi.size()) {
        std::size_t n = SkipCp932(ansi.substr(pos));
        if (pos + n > maxBytes)
            break;
        pos += n;
    }
    return ansi.substr(0, pos);
}

std::string_view TruncateUtf8(std::string_view utf8, std::size_t maxBytes)
{
    if (utf8.size() <= maxBytes)
        return utf8;
    std::size_t end = maxBytes;
    // Step back over continuation bytes to the start of the cut character.
    while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
        --end;
    return utf8.substr(0, end);
}

} // namespace platform::CodePage
