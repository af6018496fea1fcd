#include "common/ClsKtString.h"

#include "common/KtError.h"
#include "platform/CodePage.h"
#include "platform/Utf8.h"

#include <cmath>
#include <optional>
#include <cstdio>

namespace common {

using platform::Utf8::Decode;
using platform::Utf8::Encode;

namespace {

constexpr const char* kSource = "ClsKtString";

// A byte of text that is not valid UTF-8 (see platform::Utf8) counts as narrow.
bool IsEscapedByte(char32_t c)
{
    return c >= 0xDC80 && c <= 0xDCFF;
}

bool IsNarrow(char32_t c)
{
    return c <= 0xFF || (c >= 0xFF61 && c <= 0xFF9F) || IsEscapedByte(c);
}

// First occurrence of token in s at or after from (0-based). An empty s
// holds nothing; an empty token is found at from while from is inside s.
std::size_t Find(const std::u32string& s, const std::u32string& token, std::size_t from)
{
    if (s.empty() || from >= s.size())
        return std::u32string::npos;
    if (token.empty())
        return from;
    return s.find(token, from);
}

std::u32string Upper(std::u32string s)
{
    for (auto& c : s)
        c = platform::Utf8::ToUpper(c);
    return s;
}

std::size_t Cp932Length(char32_t c)
{
    if (c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F) || IsEscapedByte(c))
        return 1;
    return platform::CodePage::ToCp932(Encode(std::u32string(1, c))).size();
}

// Replaces every occurrence of search (compared in upper case) by
// replacement, rescanning from the start after each replacement as the
// classic loop did, but without copying the text for each step: left holds the
// text already scanned (it never contains a whole occurrence), right the rest
// in reverse. After a replacement, the len-1 characters before it go back to
// be scanned again, since they may form a new occurrence with the replacement.
//
// A single rewriting rule can keep making new occurrences, and some make the
// text grow exponentially ("BA" to "AAB" doubles the A's for every B they
// pass). A budget of replacements proportional to the text stops such a
// pair: it is then refused (nullopt) like the pairs that never finish.
std::optional<std::u32string> ReplaceAll(const std::u32string& text, const std::u32string& search,
                                         const std::u32string& replacement)
{
    const std::u32string upperSearch = Upper(search);
    const std::u32string upperReplacement = Upper(replacement);
    const std::size_t len = search.size();
    std::u32string left;
    std::u32string leftUpper;
    std::u32string right(text.rbegin(), text.rend());
    std::u32string rightUpper = Upper(right);
    left.reserve(text.size());
    leftUpper.reserve(text.size());

    std::size_t budget = 4 * (text.size() + 1) + 1024;
    while (!right.empty()) {
        left.push_back(right.back());
        leftUpper.push_back(rightUpper.back());
        right.pop_back();
        rightUpper.pop_back();
        if (leftUpper.size() < len || leftUpper.compare(leftUpper.size() - len, len, upperSearch) != 0)
            continue;
        if (budget-- == 0)
            return std::nullopt;
        left.resize(left.size() - len);
        leftUpper.resize(leftUpper.size() - len);
        right.append(replacement.rbegin(), replacement.rend());
        rightUpper.append(upperReplacement.rbegin(), upperReplacement.rend());
        const std::size_t back = std::min(len - 1, left.size());
        for (std::size_t i = 0; i < back; ++i) {
            right.push_back(left.back());
            rightUpper.push_back(leftUpper.back());
            left.pop_back();
            leftUpper.pop_back();
        }
    }
    left.append(right.rbegin(), right.rend());
    return left;
}

} // namespace

ClsKtString::ClsKtString(std::map<std::int16_t, std::string> resourceStrings)
    : m_resourceStrings(std::move(resourceStrings))
{
}

std::string ClsKtString::ExtractNarrowString(std::string_view text) const
{
    std::u32string out;
    for (char32_t c : Decode(text))
        if (IsNarrow(c))
            out.push_back(c);
    return Encode(out);
}

std::string ClsKtString::ExtractWideString(std::string_view text) const
{
    std::u32string out;
    for (char32_t c : Decode(text))
        if (!IsNarrow(c))
            out.push_back(c);
    return Encode(out);
}

std::string ClsKtString::GetStringByRange(std::string_view srcText, std::string_view token1,
                                          std::string_view token2) const
{
    const std::u32string src = Decode(srcText);
    const std::size_t p1 = Find(src, Decode(token1), 0);
    if (p1 == std::u32string::npos)
        return {};
    const std::size_t start = p1 + 1;
    const std::size_t p2 = Find(src, Decode(token2), start);
    if (p2 == std::u32string::npos || p2 == start)
        return {};
    return Encode(std::u32string_view(src).substr(start, p2 - start));
}

std::string ClsKtString::GetStringByToken(std::string_view srcText, std::string_view tokenText,
                                          std::int32_t pos) const
{
    if (pos < 1 || tokenText.empty())
        return {};
    const std::u32string src = Decode(srcText);
    const std::u32string token = Decode(tokenText);
    // base marks where the remaining copy of the classic loop begins.
    std::size_t base = 0;
    std::int32_t count = 0;
    for (;;) {
        const std::size_t p = base < src.size() ? src.find(token, base) : std::u32string::npos;
        if (p == std::u32string::npos)
            break;
        ++count;
        if (count == pos)
            return Encode(std::u32string_view(src).substr(base, p - base));
        base = p + 1;
    }
    if (count + 1 == pos)
        return Encode(std::u32string_view(src).substr(std::min(base, src.size())));
    return {};
}

std::string ClsKtString::HexString(const KtVariant& value) const
{
    char buffer[16];
    switch (value.GetKind()) {
    case KtVariant::Kind::Byte:
        std::snprintf(buffer, sizeof buffer, "%02X", static_cast<unsigned>(value.AsByte()));
        return buffer;
    case KtVariant::Kind::Integer:
        std::snprintf(buffer, sizeof buffer, "%04X", static_cast<unsigned>(static_cast<std::uint16_t>(value.AsInteger())));
        return buffer;
    case KtVariant::Kind::Long:
        std::snprintf(buffer, sizeof buffer, "%08X", static_cast<unsigned>(static_cast<std::uint32_t>(value.AsLong())));
        return buffer;
    default:
        return {};
    }
}

KtVariant ClsKtString::HexStringToVariant(std::string_view text) const
{
    const std::u32string s = Upper(Decode(text));
    double result = 0.0;
    double weight = 1.0;
    int digits = 0;
    auto take = [&](char32_t unit) {
        const unsigned b = static_cast<unsigned>(unit) & 0xFFu;
        int d;
        if (b >= '0' && b <= '9')
            d = static_cast<int>(b - '0');
        else if (b >= 'A' && b <= 'F')
            d = static_cast<int>(b - 'A' + 10);
        else
            return;
        result += d * weight;
        weight *= 16.0;
        ++digits;
    };
    for (auto it = s.rbegin(); it != s.rend(); ++it) {
        const char32_t c = *it;
        if (c > 0xFFFF) {
            // The two 16-bit units of the character, the last one first.
            const char32_t v = c - 0x10000;
            take(0xDC00 + (v & 0x3FF));
            take(0xD800 + (v >> 10));
        } else {
            take(c);
        }
    }
    if (digits <= 2)
        return KtVariant(static_cast<std::uint8_t>(result));
    if (digits == 3)
        return KtVariant(static_cast<std::int16_t>(result));
    if (digits <= 7)
        return KtVariant(static_cast<std::int32_t>(result));
    return KtVariant(result);
}

std::string ClsKtString::PackedString(std::string_view srcText, std::string_view packText) const
{
    const std::u32string pack = Decode(packText);
    if (pack.size() != 1)
        return std::string(srcText);
    const std::u32string src = Decode(srcText);
    std::u32string out;
    out.reserve(src.size());
    bool previousWasPack = false;
    for (char32_t c : src) {
        const bool isPack = c == pack[0];
        if (!isPack || !previousWasPack)
            out.push_back(c);
        previousWasPack = isPack;
    }
    return Encode(out);
}

KtVariant ClsKtString::SplitVb5(std::string_view srcText, std::string_view tokenText) const
{
    if (srcText.empty())
        return KtVariant(static_cast<std::int32_t>(0));
    const std::u32string token = Decode(tokenText);
    KtVariant::Array fields;
    std::u32string field;
    for (char32_t c : Decode(srcText)) {
        if (token.size() == 1 && c == token[0]) {
            fields.emplace_back(Encode(field));
            field.clear();
        } else {
            field.push_back(c);
        }
    }
    if (!field.empty())
        fields.emplace_back(Encode(field));
    return KtVariant(std::move(fields));
}

std::int32_t ClsKtString::StringType(std::string_view src, std::int32_t* dwNarrow, std::int32_t* dwWide) const
{
    if (dwNarrow)
        *dwNarrow = 0;
    if (dwWide)
        *dwWide = 0;
    bool single = false;
    bool dual = false;
    for (char32_t c : Decode(src)) {
        if (Cp932Length(c) == 1) {
            single = true;
            if (dwNarrow)
                ++*dwNarrow;
        } else {
            dual = true;
            if (dwWide)
                ++*dwWide;
        }
    }
    if (single && !dual)
        return 1;
    if (dual && !single)
        return 2;
    if (single && dual)
        return 0;
    throw KtError(KtError::InvalidArgument, "判別できない文字で構成されています。", kSource);
}

std::int32_t ClsKtString::TokenCount(std::string_view srcText, std::string_view tokenText) const
{
    const std::u32string token = Decode(tokenText);
    if (token.size() != 1 || srcText.empty())
        return 0;
    std::int32_t count = 0;
    for (char32_t c : Decode(srcText))
        if (c == token[0])
            ++count;
    return count;
}

std::string ClsKtString::ResolveString(std::string_view text, const KtVariant::Array& pairs) const
{
    std::u32string s = Decode(text);
    for (std::size_t i = 0; i + 1 < pairs.size(); i += 2) {
        const std::u32string search = Decode(pairs[i].ToText());
        const std::u32string replacement = Decode(pairs[i + 1].ToText());
        if (search.empty())
            continue;
        if (Upper(replacement).find(Upper(search)) != std::u32string::npos)
            continue;
        if (auto replaced = ReplaceAll(s, search, replacement))
            s = std::move(*replaced);
    }
    return Encode(s);
}

std::string ClsKtString::ResolveResString(std::int16_t id, const KtVariant::Array& pairs) const
{
    auto it = m_resourceStrings.find(id);
    if (it == m_resourceStrings.end())
        throw KtError(326, "識別子 '" + std::to_string(id) + "' のリソースが見つかりません。", kSource);
    return ResolveString(it->second, pairs);
}

KtVariant ClsKtString::ReplaceString(std::string& string1, std::string& string2) const
{
    string1.swap(string2);
    return KtVariant();
}

} // namespace common
