#include "protocol/SongInfoRecord.h"

#include <algorithm>
#include <cstring>

namespace protocol {

std::string_view SongFieldBytes(const SongField& field)
{
    const auto* nul = std::find(field.begin(), field.end(), '\0');
    return {field.data(), static_cast<std::size_t>(nul - field.begin())};
}

std::size_t SetSongFieldAnsi(SongField& field, std::string_view ansi, platform::AnsiCharset charset)
{
    const std::string_view cut = platform::CodePage::TruncateAnsi(ansi, SongFieldTextMax, charset);
    std::memcpy(field.data(), cut.data(), cut.size());
    field[cut.size()] = '\0';
    return cut.size();
}

std::size_t SetSongFieldText(SongField& field, std::string_view utf8, platform::AnsiCharset charset)
{
    return SetSongFieldAnsi(field, platform::CodePage::ToAnsi(utf8, charset), charset);
}

std::string SongFieldText(const SongField& field, platform::AnsiCharset charset)
{
    return platform::CodePage::FromAnsi(SongFieldBytes(field), charset);
}

} // namespace protocol
