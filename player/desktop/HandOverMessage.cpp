#include "player/desktop/HandOverMessage.h"

namespace desktop {

std::vector<HandOverMessage> EncodeHandOver(const std::vector<std::string>& files, AddMode mode,
                                            std::size_t maxPayload)
{
    if (files.empty())
        return {HandOverMessage{HandOverRequest::Raise, {}}};
    std::vector<HandOverMessage> messages;
    HandOverRequest request = mode == AddMode::Play ? HandOverRequest::Play : HandOverRequest::Enqueue;
    for (const std::string& file : files) {
        const std::size_t size = file.size() + 1;
        if (file.empty() || size > maxPayload)
            continue;
        if (messages.empty() || messages.back().payload.size() + size > maxPayload) {
            // Only the first message may start playing.
            if (!messages.empty())
                request = HandOverRequest::Enqueue;
            messages.push_back(HandOverMessage{request, {}});
        }
        std::vector<std::byte>& payload = messages.back().payload;
        for (const char c : file)
            payload.push_back(static_cast<std::byte>(c));
        payload.push_back(std::byte{0});
    }
    return messages;
}

std::optional<HandOverContent> DecodeHandOver(std::uint32_t request, std::span<const std::byte> payload)
{
    HandOverContent content;
    switch (static_cast<HandOverRequest>(request)) {
    case HandOverRequest::Raise:
        if (!payload.empty())
            return std::nullopt;
        content.request = HandOverRequest::Raise;
        return content;
    case HandOverRequest::Play:
    case HandOverRequest::Enqueue:
        content.request = static_cast<HandOverRequest>(request);
        break;
    default:
        return std::nullopt;
    }
    if (payload.empty() || payload.back() != std::byte{0})
        return std::nullopt;
    std::string path;
    for (const std::byte b : payload) {
        if (b != std::byte{0}) {
            path += static_cast<char>(b);
            continue;
        }
        if (path.empty())
            return std::nullopt;
        content.files.push_back(std::move(path));
        path.clear();
    }
    return content;
}

} // namespace desktop
