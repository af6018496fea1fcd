#include "platform/Utf8.h"

#include <QChar>

namespace platform::Utf8 {
namespace {

constexpr char32_t EscapeBase = 0xDC00;

} // namespace

std::optional<Sequence> FirstSequence(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = b(0);
    if (c < 0x80)
        return Sequence{c, 1};
    std::size_t n;
    char32_t min;
    if ((c & 0xE0) == 0xC0) {
        n = 2;
        min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        n = 3;
        min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        n = 4;
        min = 0x10000;
    } else
        return std::nullopt;
    if (text.size() < n)
        return std::nullopt;
    char32_t cp = c & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(k) & 0xC0) != 0x80)
            return std::nullopt;
        cp = (cp << 6) | (b(k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return std::nullopt;
    return Sequence{cp, n};
}

std::u32string Decode(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (const auto sequence = FirstSequence(text.substr(i))) {
            out.push_back(sequence->CodePoint);
            i += sequence->Length;
        } else {
            out.push_back(EscapeBase + static_cast<unsigned char>(text[i]));
            ++i;
        }
    }
    return out;
}

std::string Encode(std::u32string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char32_t cp : text) {
        if (cp >= EscapeBase + 0x80 && cp <= EscapeBase + 0xFF) {
            out.push_back(static_cast<char>(cp - EscapeBase));
        } else if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp <= 0x10FFFF) {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back('?');
        }
    }
    return out;
}

char32_t ToUpper(char32_t c)
{
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return c;
    return QChar::toUpper(c);
}

char32_t FoldCase(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return c;
    return QChar::toCaseFolded(c);
}

} // namespace platform::Utf8
