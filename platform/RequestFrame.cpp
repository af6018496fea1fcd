#include "platform/RequestFrame.h"

#include "platform/MessageWindow.h"
#include "platform/WindowMessages.h"

namespace platform::RequestFrame {
namespace {

void PutU32(std::byte* at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::byte>((v >> (8 * i)) & 0xFFu);
}

std::uint32_t GetU32(const std::byte* at)
{
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    return v;
}

} // namespace

std::array<std::byte, RequestHeaderSize> EncodeHeader(const RequestHeader& header)
{
    std::array<std::byte, RequestHeaderSize> out{};
    PutU32(out.data() + 0, header.msg);
    PutU32(out.data() + 4, header.wParam);
    PutU32(out.data() + 8, static_cast<std::uint32_t>(header.lParam));
    PutU32(out.data() + 12, header.dwData);
    PutU32(out.data() + 16, header.cbData);
    return out;
}

RequestHeader DecodeHeader(std::span<const std::byte, RequestHeaderSize> bytes)
{
    RequestHeader h;
    h.msg = GetU32(bytes.data() + 0);
    h.wParam = GetU32(bytes.data() + 4);
    h.lParam = static_cast<std::int32_t>(GetU32(bytes.data() + 8));
    h.dwData = GetU32(bytes.data() + 12);
    h.cbData = GetU32(bytes.data() + 16);
    return h;
}

HeaderCheck Check(const RequestHeader& header)
{
    switch (header.msg) {
    case WM_COPYDATA:
        return header.cbData <= MaxCopyDataBytes ? HeaderCheck::Valid : HeaderCheck::Malformed;
    case WM_USER:
    case WM_SYSCOMMAND:
        return header.dwData == 0 && header.cbData == 0 ? HeaderCheck::Valid : HeaderCheck::Malformed;
    default:
        return HeaderCheck::Malformed;
    }
}

std::vector<std::byte> Encode(RequestHeader header, std::span<const std::byte> payload)
{
    header.cbData = static_cast<std::uint32_t>(payload.size());
    const auto head = EncodeHeader(header);
    std::vector<std::byte> out;
    out.reserve(head.size() + payload.size());
    out.insert(out.end(), head.begin(), head.end());
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

std::array<std::byte, ReplySize> EncodeReply(std::int32_t result)
{
    std::array<std::byte, ReplySize> out{};
    PutU32(out.data(), static_cast<std::uint32_t>(result));
    return out;
}

std::int32_t DecodeReply(std::span<const std::byte, ReplySize> bytes)
{
    return static_cast<std::int32_t>(GetU32(bytes.data()));
}

} // namespace platform::RequestFrame
