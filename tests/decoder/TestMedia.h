#pragma once
// Sound files made at test time, tags written byte by byte, and decoded sound to compare against.
#include "support/FileBytes.h"
#include "support/TempFolder.h"
#include "support/ToneMp3.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace decoder::test {

using TempDir = testsupport::TempFolder;
using testsupport::Tone;

inline std::filesystem::path MakeMp3(const TempDir& dir, const std::string& name, const Tone& tone,
                                     const std::string& lameArguments)
{
    return testsupport::MakeToneMp3(dir.Path(), name, tone, lameArguments);
}

// One second at 44.1 kHz stereo followed by one second at 32 kHz mono, as
// joined files are; made once per folder.
std::filesystem::path TwoFormatsMp3(const TempDir& dir);

struct Id3v2Frame {
    std::string Id;       // "TIT2", "TPE1", ... ("TT2", "TP1" in version 2.2)
    uint8_t Encoding = 0; // 0 Latin-1, 1 UTF-16 with BOM, 3 UTF-8
    std::string Bytes;    // the text, already in that encoding
};

// Prepends an ID3v2 tag of the version (2: three-letter frame names) holding the frames.
void PrependId3v2(const std::filesystem::path& file, const std::vector<Id3v2Frame>& frames, int version = 3);
// Appends an ID3v1 tag with the raw field bytes (cut to 30 bytes each).
void AppendId3v1(const std::filesystem::path& file, const std::string& title, const std::string& artist,
                 const std::string& album = {}, const std::string& year = {}, uint8_t genre = 255);

std::string Utf16LeWithBom(const std::u16string& text);

struct Pcm {
    int32_t Rate = 0;
    int32_t Channels = 0;
    std::vector<float> Samples; // interleaved
};

// Reads a 16-bit PCM WAV file as floats (sample / 32767); nullopt when malformed.
std::optional<Pcm> ReadWav(const std::filesystem::path& path);
// Decodes an MP3 with libmpg123 directly (gapless, float output).
std::optional<Pcm> DecodeMp3(const std::filesystem::path& path);

// Polls every millisecond; false when the limit passes first.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = std::chrono::seconds(5));

using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

} // namespace decoder::test
