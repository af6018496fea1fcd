#include "player/skin/SkinText.h"

#include "common/AsciiText.h"
#include <cctype>
#include <cmath>
#include <limits>
#include <vector>

namespace skin {

namespace skintext {

std::string Lower(std::string_view text)
{
    return common::ascii::Lower(text);
}

std::string Between(std::string_view text, char open, char close)
{
    const auto start = text.find(open);
    if (start == std::string_view::npos) return {};
    const auto end = text.find(close, start + 1);
    if (end == std::string_view::npos) return {};
    return std::string(text.substr(start + 1, end - start - 1));
}

std::vector<std::string> Split(std::string_view text, char sep)
{
    std::vector<std::string> out;
    std::size_t from = 0;
    while (true) {
        const auto at = text.find(sep, from);
        if (at == std::string_view::npos) {
            out.emplace_back(text.substr(from));
            return out;
        }
        out.emplace_back(text.substr(from, at - from));
        from = at + 1;
    }
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::optional<int32_t> ToInt32(std::string_view text)
{
    text = Trim(text);
    if (text.empty()) return std::nullopt;
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int64_t whole = 0;
    std::size_t i = 0;
    bool digits = false;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        digits = true;
        whole = whole * 10 + (text[i] - '0');
        if (whole > (int64_t{1} << 32)) return std::nullopt;
    }
    if (i < text.size()) {
        if (text[i] != '.') return std::nullopt;
        std::string_view fraction = text.substr(i + 1);
        if (fraction.empty() && !digits) return std::nullopt;
        for (char c : fraction) {
            if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        }
        if (!fraction.empty()) {
            digits = true;
            // Round half to even, as the original number conversion does.
            const char first = fraction.front();
            const bool restNonZero = fraction.find_first_not_of('0', 1) != std::string_view::npos;
            if (first > '5' || (first == '5' && (restNonZero || (whole % 2) == 1))) ++whole;
        }
    }
    if (!digits) return std::nullopt;
    const int64_t value = negative ? -whole : whole;
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

HexColour ReadHexColour(std::string_view text)
{
    // The characters of the text (a UTF-8 lead byte with its continuation
    // bytes), so that the cut to the last 8 never splits one.
    std::vector<std::string_view> characters;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = at + 1;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
        characters.push_back(text.substr(at, end - at));
        at = end;
    }
    HexColour out;
    const std::size_t first = characters.size() > 8 ? characters.size() - 8 : 0;
    for (std::size_t i = 0; i < first; ++i)
        out.cut += characters[i];
    uint32_t value = 0;
    for (std::size_t i = first; i < characters.size(); ++i) {
        const std::string_view c = characters[i];
        const unsigned char b = static_cast<unsigned char>(c.front());
        if (c.size() != 1 || !std::isxdigit(b)) {
            out.skipped += c;
            continue;
        }
        const int digit = std::isdigit(b) ? b - '0' : std::tolower(b) - 'a' + 10;
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    out.value = static_cast<int32_t>(value);
    return out;
}

std::string FolderWithSlash(std::string_view folder)
{
    std::string out(folder);
    for (char& c : out) {
        if (c == '\\') c = '/';
    }
    if (!out.empty() && out.back() != '/') out += '/';
    return out;
}

std::string ResolveSkinPath(std::string_view path, std::string_view skinPath)
{
    std::string p(path);
    const std::string folder = FolderWithSlash(skinPath);
    const bool relative = p.rfind(".\\", 0) == 0 || p.rfind("./", 0) == 0;
    if (relative) {
        std::string out;
        std::size_t from = 0;
        while (true) {
            const auto at = p.find(".\\", from);
            if (at == std::string::npos) break;
            out += p.substr(from, at - from) + folder;
            from = at + 2;
        }
        out += p.substr(from);
        p = out;
        if (p.rfind("./", 0) == 0) p = folder + p.substr(2);
    }
    for (char& c : p) {
        if (c == '\\') c = '/';
    }
    // A folder joined to a path that began with "\" after ".\" gives "//".
    std::string clean;
    for (char c : p) {
        if (c == '/' && !clean.empty() && clean.back() == '/') continue;
        clean += c;
    }
    return clean;
}

} // namespace skintext

} // namespace skin
