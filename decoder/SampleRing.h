#pragma once
// The recent decoded sound of the left and right channels, indexed by the
// frame's number in the track, so that the spectrum can be taken from the
// sound heard now while decoding runs ahead. The playback thread appends;
// any thread reads. Holds about three seconds at 44.1 kHz.
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

namespace decoder {

class SampleRing {
public:
    static constexpr int64_t Capacity = 1 << 17; // frames

    SampleRing();

    // Forgets everything; the next appended frame has number first.
    void Reset(int64_t first = 0);
    // Appends interleaved frames of the given channel count (mono is copied
    // to both sides; channels beyond two are ignored).
    void Append(std::span<const float> interleaved, int channels);
    // The number the next appended frame will have.
    int64_t Next() const;
    // The frames numbered end - out.size() to end - 1; frames not held (not
    // yet decoded, or too old) are 0.
    void Copy(int64_t end, std::span<float> left, std::span<float> right) const;

private:
    mutable std::mutex m_mutex;
    std::vector<float> m_left;
    std::vector<float> m_right;
    int64_t m_first = 0; // number of the oldest frame held
    int64_t m_next = 0;  // number of the next frame to append
};

} // namespace decoder
