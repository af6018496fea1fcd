#pragma once
// Writes the sound to a WAV file (16-bit PCM, the stream's rate and channel
// count), paced like the null output so that positions and the end of a track
// behave as with a device. Each Open starts the file anew; the header's sizes
// are correct after every Write, so the file is complete even if the program
// stops without Close.
#include "decoder/NullAudioOutput.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace decoder {

class WavFileAudioOutput : public AudioOutput {
public:
    WavFileAudioOutput(std::string path, std::shared_ptr<const PacingClock> clock);
    ~WavFileAudioOutput() override;

    std::string Name() const override { return "wav"; }
    [[nodiscard]] bool Open(AudioFormat format) override;
    void Close() override;
    int64_t WritableFrames() override { return m_pacer.WritableFrames(); }
    [[nodiscard]] bool Write(std::span<const float> interleaved) override;
    // The file keeps what was written: only the pacing forgets it.
    [[nodiscard]] bool Flush() override { return m_pacer.Flush(); }
    void Finish() override { m_pacer.Finish(); }
    bool Drained() override { return m_pacer.Drained(); }
    void SetPaused(bool paused) override { m_pacer.SetPaused(paused); }
    int64_t PlayedFrames() override { return m_pacer.PlayedFrames(); }
    bool Failed() override { return m_failed; }
    std::chrono::nanoseconds RetryAfter() override { return m_pacer.RetryAfter(); }

    // A float sample in -1..1 as a 16-bit PCM value (clamped, rounded to nearest).
    static int16_t ToPcm16(float sample);

private:
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    bool WriteHeader();

    std::string m_path;
    NullAudioOutput m_pacer;
    std::unique_ptr<std::FILE, FileCloser> m_file;
    AudioFormat m_format;
    uint32_t m_dataBytes = 0;
    bool m_failed = false;
    std::vector<int16_t> m_pcm;
};

} // namespace decoder
