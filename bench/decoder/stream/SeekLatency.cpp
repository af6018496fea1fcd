// How soon the new place of a seek is heard through a PulseAudio server. The
// decoder library plays an MP3 of silence followed by a loud tone through the
// server and seeks from the silence into the tone, SEEKS times; before each
// seek it seeks back into the silence and waits until the output is steady
// (its queue full again). Two figures a seek, from the seek call:
//   - heard (timing): until the play position, which the decoder takes from
//     the server's latency-corrected timing of the stream, first moves past
//     the new place (the seek lands there exactly: the position rests at it
//     until the server reports the stream playing): the server's own
//     statement that the first sample of the new place is leaving the sink;
//   - monitor (with "monitor" only): until the first loud sample arrived from
//     the sink's monitor, recorded in blocks of 5 ms (that small a block makes
//     the server run the sink at a few milliseconds of latency too, so this
//     mode shows the decoder's and the stream's own part).
// Built and run by bench/decoder/seek-latency.sh.
//
// Usage: SeekLatency FILE SILENT_MS TONE_MS SEEKS timing|monitor
#include "decoder/Decoder.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Rate = 44100;
constexpr int BlockFrames = Rate / 200; // 5 ms
constexpr float Loud = 0.05f;           // the tone is at 0.5 of full scale

// The sink's monitor, read in blocks of 5 ms.
class MonitorRecorder {
public:
    bool Start()
    {
        pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, Rate, 1};
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<uint32_t>(-1);
        attr.fragsize = BlockFrames * sizeof(float);
        int error = 0;
        m_stream = pa_simple_new(nullptr, "SeekLatency", PA_STREAM_RECORD, "bench.monitor", "monitor", &spec, nullptr,
                                 &attr, &error);
        if (m_stream == nullptr) {
            std::fprintf(stderr, "cannot record the monitor: %s\n", pa_strerror(error));
            return false;
        }
        m_thread = std::thread([this] { Run(); });
        return true;
    }
    ~MonitorRecorder()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_stream != nullptr)
            pa_simple_free(m_stream);
    }

    // When the first loud block after Reset was read (its samples passed
    // the sink at most one block and the record latency earlier); none yet.
    std::optional<Clock::time_point> FirstLoudAfter(Clock::time_point from)
    {
        std::lock_guard lock(m_mutex);
        return m_firstLoud.has_value() && *m_firstLoud > from ? m_firstLoud : std::nullopt;
    }
    // Forget what was heard: the next loud sample counts.
    void Reset()
    {
        std::lock_guard lock(m_mutex);
        m_firstLoud.reset();
        m_armed = true;
    }
    bool Silent()
    {
        std::lock_guard lock(m_mutex);
        return m_silentBlocks > 20;
    }

private:
    void Run()
    {
        std::vector<float> block(BlockFrames);
        while (!m_stop) {
            int error = 0;
            if (pa_simple_read(m_stream, block.data(), block.size() * sizeof(float), &error) < 0)
                return;
            const Clock::time_point read = Clock::now();
            std::lock_guard lock(m_mutex);
            bool loud = false;
            for (int i = 0; i < BlockFrames; ++i) {
                if (std::fabs(block[static_cast<size_t>(i)]) < Loud)
                    continue;
                loud = true;
                if (m_armed && !m_firstLoud) {
                    m_firstLoud = read;
                    m_armed = false;
                }
                break;
            }
            m_silentBlocks = loud ? 0 : m_silentBlocks + 1;
        }
    }

    pa_simple* m_stream = nullptr;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::optional<Clock::time_point> m_firstLoud;
    bool m_armed = false;
    int m_silentBlocks = 0;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: SeekLatency FILE SILENT_MS TONE_MS SEEKS timing|monitor\n");
        return 2;
    }
    const std::string path = argv[1];
    const int silentMs = std::atoi(argv[2]);
    const int toneMs = std::atoi(argv[3]);
    const int seeks = std::atoi(argv[4]);
    const bool withMonitor = std::string(argv[5]) == "monitor";

    MonitorRecorder monitor;
    if (withMonitor && !monitor.Start())
        return 1;
    decoder::Decoder dec;
    dec.dec_init();
    dec.dec_setVolume(100, 100);
    decoder::TrackOpenRecord record{};
    if (!dec.dec_open(path, record)) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        return 1;
    }
    dec.dec_play();
    // The output is connected in the background.
    for (int waited = 0; dec.OutputName().empty() && waited < 500; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (dec.OutputName() != "pulse") {
        std::fprintf(stderr, "the decoder plays on %s, not the sound server\n", dec.OutputName().c_str());
        return 1;
    }
    using ms = std::chrono::duration<double, std::milli>;
    int failures = 0;
    for (int i = 1; i <= seeks; ++i) {
        dec.dec_seek(silentMs);
        // Steady: the silence is heard and the output's queue is full again.
        std::this_thread::sleep_for(std::chrono::seconds(3));
        while (withMonitor && !monitor.Silent())
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        monitor.Reset();
        const Clock::time_point seek = Clock::now();
        dec.dec_seek(toneMs);
        std::optional<Clock::time_point> moved;
        std::optional<Clock::time_point> heard;
        while (Clock::now() - seek < std::chrono::seconds(3)) {
            if (!moved && dec.dec_getPlayMs() > toneMs)
                moved = Clock::now();
            if (withMonitor && !heard)
                heard = monitor.FirstLoudAfter(seek);
            if (moved && (heard || !withMonitor))
                break;
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
        if (!moved || (withMonitor && !heard)) {
            std::printf("seek %d: the new place was not heard within 3 s\n", i);
            ++failures;
            continue;
        }
        std::printf("seek %d: heard (timing) %.1f ms", i, ms(*moved - seek).count());
        if (withMonitor)
            std::printf(", monitor %.1f ms", ms(*heard - seek).count());
        std::printf("\n");
        std::fflush(stdout);
    }
    dec.dec_free();
    return failures == 0 ? 0 : 1;
}
