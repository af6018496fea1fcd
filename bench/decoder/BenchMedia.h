#pragma once
// MP3 files for the benchmarks, made once per run with lame in a temporary
// directory that is removed at exit.
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <string>

namespace decoder::bench {

struct BenchMedia {
    testsupport::TempFolder Folder{"zelko-bench"};
    std::filesystem::path Dir;
    std::filesystem::path Song60s;     // 60 s stereo 44.1 kHz, 192 kbit/s
    std::filesystem::path FiveMinCbr;  // 5 min constant bit rate without header, ID3v2 tagged
    std::filesystem::path FiveMinVbr;  // 5 min variable bit rate without header, ID3v2 tagged
    std::filesystem::path FiveMinXing; // 5 min variable bit rate with a Xing header, ID3v2 tagged
    std::filesystem::path Long;        // 10 min, for playback
    std::filesystem::path Lyrics;      // 200 timed lines

    static const BenchMedia& Get();
};

} // namespace decoder::bench
