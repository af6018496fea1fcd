#include "decoder/TagText.h"

#include "platform/CodePage.h"

namespace decoder::TagText {

namespace CodePage = platform::CodePage;

bool LooksLikeCp932(std::string_view bytes)
{
    int doubleByte = 0;
    bool commonLead = false;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80 || (b >= 0xA1 && b <= 0xDF))
            continue;
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        if (!lead || i + 1 >= bytes.size())
            return false;
        const auto t = static_cast<unsigned char>(bytes[i + 1]);
        if (t < 0x40 || t == 0x7F || t > 0xFC)
            return false;
        ++doubleByte;
        commonLead = commonLead || b <= 0x9F;
        ++i;
    }
    return doubleByte > 0 && commonLead;
}

static std::string Latin1ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (b >> 6));
            out += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return out;
}

std::string FromLegacyBytes(std::string_view bytes)
{
    while (!bytes.empty() && (bytes.back() == '\0' || bytes.back() == ' '))
        bytes.remove_suffix(1);
    // A NUL inside ends the text (ID3v1 fields are NUL-padded).
    bytes = bytes.substr(0, bytes.find('\0'));
    if (CodePage::IsValidUtf8(bytes))
        return std::string(bytes);
    if (LooksLikeCp932(bytes))
        return CodePage::FromCp932(bytes);
    return Latin1ToUtf8(bytes);
}

std::string RecoverLatin1Reading(std::string_view utf8)
{
    std::string bytes;
    bytes.reserve(utf8.size());
    bool high = false;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            bytes += static_cast<char>(b);
        } else if ((b == 0xC2 || b == 0xC3) && i + 1 < utf8.size()) {
            const auto c = static_cast<unsigned char>(utf8[i + 1]);
            bytes += static_cast<char>(((b & 0x03) << 6) | (c & 0x3F));
            high = true;
            ++i;
        } else {
            return std::string(utf8); // a character beyond Latin-1: genuine Unicode text
        }
    }
    if (!high)
        return std::string(utf8);
    if (CodePage::IsValidUtf8(bytes))
        return bytes;
    if (LooksLikeCp932(bytes))
        return CodePage::FromCp932(bytes);
    return std::string(utf8);
}

} // namespace decoder::TagText
