#pragma once
// The analyser's spectra of the recent decoded sound, taken as it is
// decoded: one for every 10 ms of sound (a hop), of the window of
// SpectrumAnalyzer::Size frames that ends there, indexed by the number of
// the frame that ends the window. The play loop then reads the one of the
// sound heard now instead of taking two FFTs on every tick: the playback
// thread takes them in a row right after decoding, while the samples and
// the FFT's tables are in the cache, and the tick reads 512 bytes.
//
// The playback thread resets and appends; any thread reads. Holds the
// spectra of the last five seconds of sound, more than the sound output
// queues ahead of the listener.
#include "decoder/SpectrumAnalyzer.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

namespace decoder {

class SpectrumRing {
public:
    static constexpr int64_t Capacity = 512; // spectra
    static constexpr int32_t HopsPerSecond = 100;

    SpectrumRing();

    // Forgets everything: the next frame appended has number first, and
    // the windows ending before it hold silence. Rate: frames per second.
    void Reset(int64_t first, int32_t rate);
    // Appends interleaved frames of the given channel count (mono is copied
    // to both sides; channels beyond two are ignored), taking the spectrum
    // of every hop completed.
    void Append(std::span<const float> interleaved, int channels);
    // The number the next appended frame will have.
    int64_t Next() const;
    // The end of the first window after first that holds no silence from
    // before it.
    int64_t FirstWholeWindowEnd(int64_t first) const;
    // The spectrum of the last window ending at or before heard. A window
    // ending at or before the first frame is silence (all 0). False, with
    // all 0, when that spectrum is not held (not decoded yet, or too old).
    bool Read(int64_t heard, std::span<int32_t, SpectrumAnalyzer::Bins> left,
              std::span<int32_t, SpectrumAnalyzer::Bins> right) const;

private:
    using Values = std::array<uint8_t, SpectrumAnalyzer::Bins>; // 0..200
    struct Entry {
        int64_t End = -1; // number of the frame after the window
        Values Left{};
        Values Right{};
    };
    void TakeSpectrum();

    // The playback thread's own: the last Size frames of each side, oldest
    // first from m_historyAt. Each frame is kept twice, Size apart, so that
    // the window is always the Size values from m_historyAt on, and no copy.
    using History = std::array<float, 2 * SpectrumAnalyzer::Size>;
    History m_historyLeft{};
    History m_historyRight{};
    size_t m_historyAt = 0;
    // True while every frame since the last reset was mono: the two
    // histories are then equal, and one FFT serves both sides.
    bool m_rightIsLeft = true;
    std::array<int32_t, SpectrumAnalyzer::Bins> m_values{};
    SpectrumAnalyzer m_analyzer;
    int64_t m_sinceHop = 0;    // frames appended since the last hop
    int64_t m_unpublished = 0; // frames appended, not yet counted in m_next

    mutable std::mutex m_mutex; // guards what follows
    std::vector<Entry> m_entries;
    int64_t m_first = 0;
    int64_t m_next = 0;
    int64_t m_hop = 441; // frames
};

} // namespace decoder
