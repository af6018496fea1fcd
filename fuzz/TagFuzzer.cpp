// Tag reading: the input is an MP3 file whose tags the decoder reads as it
// does for the track information (ID3v2 of any version and text encoding
// through libmpg123, else ID3v1, with the CP932 detection); the raw tag text
// functions also take the input directly.
#include "decoder/Mp3Probe.h"
#include "decoder/TagReader.h"
#include "decoder/TagText.h"
#include "fuzz/FuzzScratch.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = fuzz::FuzzScratch::Write("tags.mp3", data, size);
    const auto stream = decoder::Mp3Probe::Probe(path);
    if (stream) {
        (void)decoder::TagReader::Read(path, stream->HasId3v2, stream->Id3v1);
    } else {
        // The tag reader itself, whatever the probe made of the audio.
        std::array<std::uint8_t, 128> tail{};
        std::memcpy(tail.data(), data + (size > 128 ? size - 128 : 0), std::min<std::size_t>(size, 128));
        (void)decoder::TagReader::Read(path, size >= 3 && std::memcmp(data, "ID3", 3) == 0, tail);
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 4096));
    (void)decoder::TagText::LooksLikeCp932(bytes);
    (void)decoder::TagText::FromLegacyBytes(bytes);
    (void)decoder::TagText::RecoverLatin1Reading(decoder::TagText::FromLegacyBytes(bytes));
    return 0;
}
