#pragma once
// Sine tones written as 16-bit WAV files and encoded by lame, shared by tests
// and benchmarks so that every MP3 they play is made the same way.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <stdexcept>
#include <string>

namespace testsupport {

struct Tone {
    double Frequency = 1000.0; // Hz
    double Seconds = 1.0;
    int32_t Rate = 44100;
    int32_t Channels = 2;
    double Amplitude = 0.5;    // of full scale
    double RightFrequency = 0; // another tone on the right channel when non-zero
    double SilentSeconds = 0;  // silence appended after the tone
};

namespace detail {

inline void PutLittleEndian(std::string& s, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline std::string ShellQuoted(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

} // namespace detail

inline void WriteToneWav(const std::filesystem::path& path, const Tone& tone)
{
    using detail::PutLittleEndian;
    const auto toneFrames = static_cast<size_t>(tone.Seconds * tone.Rate);
    const auto frames = toneFrames + static_cast<size_t>(tone.SilentSeconds * tone.Rate);
    std::string data;
    data.reserve(frames * static_cast<size_t>(tone.Channels) * 2);
    for (size_t i = 0; i < frames; ++i) {
        for (int c = 0; c < tone.Channels; ++c) {
            const double f = (c == 1 && tone.RightFrequency > 0) ? tone.RightFrequency : tone.Frequency;
            const double v = i < toneFrames
                ? tone.Amplitude * std::sin(2.0 * std::numbers::pi * f * static_cast<double>(i) / tone.Rate)
                : 0.0;
            PutLittleEndian(data, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767.0))), 2);
        }
    }
    std::string wav = "RIFF";
    PutLittleEndian(wav, static_cast<uint32_t>(36 + data.size()), 4);
    wav += "WAVEfmt ";
    PutLittleEndian(wav, 16, 4);
    PutLittleEndian(wav, 1, 2);
    PutLittleEndian(wav, static_cast<uint32_t>(tone.Channels), 2);
    PutLittleEndian(wav, static_cast<uint32_t>(tone.Rate), 4);
    PutLittleEndian(wav, static_cast<uint32_t>(tone.Rate * tone.Channels * 2), 4);
    PutLittleEndian(wav, static_cast<uint32_t>(tone.Channels * 2), 2);
    PutLittleEndian(wav, 16, 2);
    wav += "data";
    PutLittleEndian(wav, static_cast<uint32_t>(data.size()), 4);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << wav << data;
}

[[nodiscard]] inline bool EncodeMp3(const std::filesystem::path& wav, const std::filesystem::path& mp3,
                                    const std::string& lameArguments)
{
    const std::string command = "lame --quiet --nohist " + lameArguments + " " + detail::ShellQuoted(wav.string()) + " " + detail::ShellQuoted(mp3.string()) + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// Makes folder/name.mp3 (the WAV beside it); throws when lame fails.
inline std::filesystem::path MakeToneMp3(const std::filesystem::path& folder, const std::string& name,
                                         const Tone& tone, const std::string& lameArguments)
{
    const auto wav = folder / (name + ".wav");
    const auto mp3 = folder / (name + ".mp3");
    WriteToneWav(wav, tone);
    if (!EncodeMp3(wav, mp3, lameArguments))
        throw std::runtime_error("lame failed for " + mp3.string());
    return mp3;
}

} // namespace testsupport
