// Lyrics files: plain and timed text read as the decoder reads a track's
// lyrics file, with and without the at-mark tags (the first byte chooses),
// then the records the player polls filled at times over the whole file.
#include "decoder/LyricsTimeline.h"
#include "fuzz/FuzzScratch.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const decoder::LyricsOptions options{(data[0] & 1) != 0};
    const std::string path = fuzz::FuzzScratch::Write("lyrics.txt", data + 1, size - 1);
    const std::optional<decoder::LyricsTimeline> timeline = decoder::LyricsTimeline::Load(path, options);
    if (!timeline) return 0;
    decoder::LyricsRecord record{};
    const int32_t adjust = (data[0] >> 1) * 10;
    for (const decoder::LyricLine& line : timeline->Lines()) {
        for (const int32_t at : {line.TimeMs - 1, line.TimeMs, line.TimeMs + 1}) {
            (void)timeline->CurrentIndex(at, adjust);
            timeline->Fill(record, at, adjust, true);
        }
    }
    for (const int32_t at : {std::numeric_limits<int32_t>::min(), -1, 0, std::numeric_limits<int32_t>::max()}) {
        timeline->Fill(record, at, adjust, true);
        timeline->Fill(record, at, adjust, false);
    }
    return 0;
}
