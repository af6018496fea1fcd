#pragma once
// The request frame between message windows: a 20-byte little-endian header
//   0 msg   4 wParam   8 lParam (signed)   12 dwData   16 cbData
// then cbData payload bytes. Only WM_COPYDATA carries a payload (at most
// 65,536 bytes); WM_USER and WM_SYSCOMMAND have dwData and cbData 0. Any other
// layout is malformed and closes the connection it arrived on.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace platform {

inline constexpr std::size_t RequestHeaderSize = 20;
inline constexpr std::size_t ReplySize = 4;

struct RequestHeader {
    std::uint32_t msg = 0;
    std::uint32_t wParam = 0;
    std::int32_t lParam = 0;
    std::uint32_t dwData = 0;
    std::uint32_t cbData = 0;
};

enum class HeaderCheck { Valid,
                         Malformed };

namespace RequestFrame {

std::array<std::byte, RequestHeaderSize> EncodeHeader(const RequestHeader& header);
RequestHeader DecodeHeader(std::span<const std::byte, RequestHeaderSize> bytes);
// Whether a header describes a request this protocol carries.
HeaderCheck Check(const RequestHeader& header);
// A whole request: header then payload (cbData is taken from the payload).
std::vector<std::byte> Encode(RequestHeader header, std::span<const std::byte> payload);

std::array<std::byte, ReplySize> EncodeReply(std::int32_t result);
std::int32_t DecodeReply(std::span<const std::byte, ReplySize> bytes);

} // namespace RequestFrame
} // namespace platform
