// MP3 probing: stream information and length of the input as an MP3 file
// (frame headers, Xing/Info/LAME and VBRI headers, the walk and the
// sampling of frames), as the decoder probes a file before it plays it.
#include "decoder/Mp3Probe.h"
#include "fuzz/FuzzScratch.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = fuzz::FuzzScratch::Write("probe.mp3", data, size);
    const auto info = decoder::Mp3Probe::Probe(path);
    if (info && (info->TotalMs < 0 || info->FrameCount < 0 || info->SampleRate <= 0)) __builtin_trap();
    return 0;
}
