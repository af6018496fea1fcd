#include "decoder/WavFileAudioOutput.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace decoder {

namespace {

void PutLe(uint8_t* at, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        at[i] = static_cast<uint8_t>(value >> (8 * i));
}

} // namespace

WavFileAudioOutput::WavFileAudioOutput(std::string path, std::shared_ptr<const PacingClock> clock)
    : m_path(std::move(path))
    , m_pacer(std::move(clock))
{
}

WavFileAudioOutput::~WavFileAudioOutput() = default;

int16_t WavFileAudioOutput::ToPcm16(float sample)
{
    const float clamped = std::clamp(sample, -1.0f, 1.0f);
    return static_cast<int16_t>(std::lrint(clamped * 32767.0f));
}

bool WavFileAudioOutput::Open(AudioFormat format)
{
    m_file.reset(std::fopen(m_path.c_str(), "wb"));
    m_format = format;
    m_dataBytes = 0;
    m_failed = !m_file || !WriteHeader();
    if (m_failed)
        return false;
    return m_pacer.Open(format);
}

void WavFileAudioOutput::Close()
{
    m_pacer.Close();
    m_file.reset();
}

bool WavFileAudioOutput::WriteHeader()
{
    std::array<uint8_t, 44> h{};
    const uint32_t blockAlign = static_cast<uint32_t>(m_format.Channels) * 2;
    std::memcpy(h.data(), "RIFF", 4);
    PutLe(h.data() + 4, 36 + m_dataBytes, 4);
    std::memcpy(h.data() + 8, "WAVEfmt ", 8);
    PutLe(h.data() + 16, 16, 4);
    PutLe(h.data() + 20, 1, 2); // PCM
    PutLe(h.data() + 22, static_cast<uint32_t>(m_format.Channels), 2);
    PutLe(h.data() + 24, static_cast<uint32_t>(m_format.Rate), 4);
    PutLe(h.data() + 28, static_cast<uint32_t>(m_format.Rate) * blockAlign, 4);
    PutLe(h.data() + 32, blockAlign, 2);
    PutLe(h.data() + 34, 16, 2);
    std::memcpy(h.data() + 36, "data", 4);
    PutLe(h.data() + 40, m_dataBytes, 4);
    std::FILE* f = m_file.get();
    return std::fseek(f, 0, SEEK_SET) == 0 && std::fwrite(h.data(), 1, h.size(), f) == h.size() && std::fseek(f, 0, SEEK_END) == 0;
}

bool WavFileAudioOutput::Write(std::span<const float> interleaved)
{
    if (m_failed || !m_file)
        return false;
    m_pcm.resize(interleaved.size());
    std::transform(interleaved.begin(), interleaved.end(), m_pcm.begin(), ToPcm16);
    const size_t bytes = m_pcm.size() * sizeof(int16_t);
    if (std::fwrite(m_pcm.data(), 1, bytes, m_file.get()) != bytes) {
        m_failed = true;
        return false;
    }
    m_dataBytes += static_cast<uint32_t>(bytes);
    if (!WriteHeader() || std::fflush(m_file.get()) != 0) {
        m_failed = true;
        return false;
    }
    return m_pacer.Write(interleaved);
}

} // namespace decoder
