#pragma once
// The player's play state, 20 bytes, little-endian, sent to the assists byte
// for byte. The five flags are 16-bit booleans: -1 (0xFFFF) true, 0 false.
//
//   0 bPlay   2 bPause   4 bStop   6 bRepeat   8 bShuffle   10 two bytes, 0
//  12 Volume (int32, 0..100)      16 DecoderState (int32: 0 stopped, 1 playing, 2 paused)
#include <bit>
#include <cstddef>
#include <cstdint>

namespace protocol {

static_assert(std::endian::native == std::endian::little,
              "records are sent as they lie in memory, which must be little-endian");

inline constexpr std::int16_t VbTrue = -1;
inline constexpr std::int16_t VbFalse = 0;
constexpr std::int16_t ToVbBool(bool b) { return b ? VbTrue : VbFalse; }
// Any non-zero 16-bit boolean counts as true, as the receivers read it.
constexpr bool FromVbBool(std::int16_t v) { return v != 0; }

struct PlayStateRecord {
    std::int16_t bPlay = VbFalse;
    std::int16_t bPause = VbFalse;
    std::int16_t bStop = VbTrue;
    std::int16_t bRepeat = VbFalse;
    std::int16_t bShuffle = VbFalse;
    std::int16_t Reserved = 0;
    std::int32_t Volume = 0;
    std::int32_t DecoderState = 0;
};

static_assert(sizeof(PlayStateRecord) == 20);
static_assert(offsetof(PlayStateRecord, bPlay) == 0);
static_assert(offsetof(PlayStateRecord, bPause) == 2);
static_assert(offsetof(PlayStateRecord, bStop) == 4);
static_assert(offsetof(PlayStateRecord, bRepeat) == 6);
static_assert(offsetof(PlayStateRecord, bShuffle) == 8);
static_assert(offsetof(PlayStateRecord, Reserved) == 10);
static_assert(offsetof(PlayStateRecord, Volume) == 12);
static_assert(offsetof(PlayStateRecord, DecoderState) == 16);

} // namespace protocol
