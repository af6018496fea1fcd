// Decoding: the input is an MP3 file decoded whole through the decoder's
// source, frame by frame, as the play thread does; then rewound once.
#include "decoder/Mp3Source.h"
#include "fuzz/FuzzScratch.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = fuzz::FuzzScratch::Write("decode.mp3", data, size);
    std::unique_ptr<decoder::Mp3Source> source = decoder::Mp3Source::Open(path);
    if (!source) return 0;
    std::span<const float> samples;
    float sum = 0;
    for (int frame = 0; frame < 100000; ++frame) {
        const decoder::Mp3Source::Status status = source->Next(samples);
        if (status == decoder::Mp3Source::Status::End) break;
        // Touch every sample the source hands out.
        for (const float s : samples)
            sum += std::fabs(s);
    }
    if (source->Rewind()) (void)source->Next(samples);
    return sum < 0 ? 1 : 0;
}
