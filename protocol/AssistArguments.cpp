#include "protocol/AssistArguments.h"

#include <charconv>
#include <string>
#include <vector>

namespace protocol {
namespace {

std::optional<std::int32_t> ToInt32(std::string_view field)
{
    std::int32_t value = 0;
    const char* first = field.data();
    const char* last = field.data() + field.size();
    if (first != last && *first == '+')
        ++first;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<AssistArguments> ParseAssistArguments(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t space = text.find(' ', start);
        fields.push_back(text.substr(start, space == std::string_view::npos ? std::string_view::npos : space - start));
        if (space == std::string_view::npos)
            break;
        start = space + 1;
    }
    if (fields.size() < 2)
        return std::nullopt;
    const auto hwnd = ToInt32(fields[0]);
    const auto index = ToInt32(fields[1]);
    if (!hwnd || !index)
        return std::nullopt;
    return AssistArguments{*hwnd, *index};
}

std::optional<AssistArguments> ParseAssistArguments(int argc, char* argv[])
{
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            text += ' ';
        text += argv[i];
    }
    return ParseAssistArguments(text);
}

} // namespace protocol
