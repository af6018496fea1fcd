#pragma once
// What a second start of the player sends the running one through the
// window messages where there is no session bus: WM_COPYDATA with
// HandOverCode in wParam, the request in the copy-data descriptor's dwData,
// and the paths as the payload (UTF-8, each ended by a NUL byte). Paths that
// do not fit one payload go in further messages that only add, so that only
// the first added file is played.
#include "player/desktop/PlayerControl.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace desktop {

// Outside the assists' payload codes (their top byte is 0x0F).
inline constexpr std::uint32_t HandOverCode = 0x5A4B0001;
// The running player's reply when it took the request; any other reply
// (0 from a player still starting) means "not yet".
inline constexpr std::int32_t HandOverTaken = 1;

enum class HandOverRequest : std::uint32_t {
    Play = 0,    // add the files and play the first
    Enqueue = 1, // add the files only
    Raise = 2,   // no files: show the window in front
};

struct HandOverMessage {
    HandOverRequest request = HandOverRequest::Raise;
    std::vector<std::byte> payload;
};

// The messages for files (none: one Raise), each payload at most maxPayload
// bytes. A single path longer than that is left out.
std::vector<HandOverMessage> EncodeHandOver(const std::vector<std::string>& files, AddMode mode,
                                            std::size_t maxPayload);

struct HandOverContent {
    HandOverRequest request = HandOverRequest::Raise;
    std::vector<std::string> files;
};

// The request of a received message; nothing for an unknown request or a
// payload that is not a list of NUL-ended paths.
std::optional<HandOverContent> DecodeHandOver(std::uint32_t request, std::span<const std::byte> payload);

} // namespace desktop
