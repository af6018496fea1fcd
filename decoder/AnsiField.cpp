#include "decoder/AnsiField.h"

#include "platform/CodePage.h"

#include <algorithm>

namespace decoder {

void CopyAnsiBytes(std::span<char> field, std::string_view ansi)
{
    std::fill(field.begin(), field.end(), '\0');
    if (field.empty())
        return;
    const auto cut = platform::CodePage::TruncateAnsi(ansi, field.size() - 1);
    std::copy(cut.begin(), cut.end(), field.begin());
}

void CopyAnsiField(std::span<char> field, std::string_view utf8)
{
    CopyAnsiBytes(field, platform::CodePage::ToAnsi(utf8));
}

} // namespace decoder
