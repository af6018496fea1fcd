#pragma once
// The playback thread: decodes the track, applies the volume, feeds the sound
// output, and takes the spectra of the sound as it decodes it.
//
// All public member functions are called from one thread (the user-interface
// thread) and return without waiting for the playback thread: requests are
// handed over under a mutex and the thread acts on them within a
// millisecond. Position, state and spectrum are read from what the thread
// publishes and from the output's own clock.
//
// When the output fails (the sound server went away, or stopped taking
// sound for three seconds) the thread replaces it with the null output and
// the track goes on from the sound not yet queued. A track whose file
// disappears from its path ends. When a track changes its rate or channels
// midway, the sound queued in the old format plays out before the output
// reopens in the new one. The output is created on the thread, so a
// slow sound server never holds up the caller.
#include "decoder/AudioOutput.h"
#include "decoder/Mp3Source.h"
#include "decoder/PacingClock.h"
#include "decoder/SpectrumAnalyzer.h"
#include "decoder/SpectrumRing.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>

namespace decoder {

class PlaybackEngine {
public:
    enum class State : int32_t { Stopped = 0,
                                 Playing = 1,
                                 Paused = 2 };

    // Creates the output on the playback thread; never returns nullptr.
    using OutputMaker = std::function<std::unique_ptr<AudioOutput>()>;

    // audioSetting as ZELKO_AUDIO (see AudioOutputFactory).
    PlaybackEngine(std::string audioSetting, std::shared_ptr<const PacingClock> clock);
    PlaybackEngine(OutputMaker makeOutput, std::shared_ptr<const PacingClock> clock);
    ~PlaybackEngine();
    PlaybackEngine(const PlaybackEngine&) = delete;
    PlaybackEngine& operator=(const PlaybackEngine&) = delete;

    // Plays the track from its start, ending any other. The engine shares
    // the track; the caller must not decode it meanwhile.
    void Play(std::shared_ptr<Mp3Source> track);
    void Pause();
    void Resume();
    void Stop();
    // Moves a playing or paused track to ms from its start (clamped to the
    // track): the queued sound is dropped, and the position reads the new
    // place at once. A paused track stays paused. Nothing when stopped or
    // ended. Seeking to the end ends the track as playing to its end does.
    void Seek(int64_t ms);

    // Stopped also once the track has played to its end.
    State CurrentState() const;
    // Milliseconds from the start of the track heard now; frozen while
    // paused; the end of the track after it ended; 0 when stopped.
    int32_t PlayMs() const;
    void Spectrum(std::span<int32_t, SpectrumAnalyzer::Bins> left, std::span<int32_t, SpectrumAnalyzer::Bins> right);
    // Linear gains: applied by the output at once when it can (a sound
    // server), else to the sound queued from now on.
    void SetGains(float left, float right);
    // The output in use; empty until the thread has created it.
    std::string OutputName() const;

private:
    struct Session;
    void Run();
    void StartSession(Session& s, std::shared_ptr<Mp3Source> track, uint64_t generation, uint64_t seekSerial);
    void Publish(const Session& s);
    void PublishEnd(const Session& s);
    void ReplaceOutput(Session& s);
    void Feed(Session& s);
    // Once the sound of the old format has played out: a new output stream
    // in the track's new format.
    void SwitchFormat(Session& s);
    // Decodes one MP3 frame into the session's pending sound (and the ring).
    Mp3Source::Status DecodeFrame(Session& s);
    // Waits until a request arrives or the time has passed.
    void WaitFor(const Session& s, std::chrono::nanoseconds timeout);
    bool ApplyPause();
    void ApplySeek(Session& s, int64_t ms, uint64_t serial);

    OutputMaker m_makeOutput;
    std::shared_ptr<const PacingClock> m_clock;
    SpectrumRing m_ring;
    std::atomic<float> m_gainLeft{1.0f};
    std::atomic<float> m_gainRight{1.0f};

    // Requests from the caller, and the thread's name of its output.
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_quit = false;
    uint64_t m_requestGeneration = 0; // 0: stopped
    std::shared_ptr<Mp3Source> m_requestTrack;
    bool m_requestPaused = false;
    uint64_t m_requestSeekSerial = 0;     // seeks asked for so far
    uint64_t m_requestPlaySeekSerial = 0; // of them, those asked for before the last Play
    int64_t m_requestSeekMs = 0;
    std::string m_outputName;

    // What the thread publishes for the position and the spectrum.
    mutable std::mutex m_positionMutex;
    AudioOutput* m_output = nullptr;
    uint64_t m_positionGeneration = 0;
    uint64_t m_endedGeneration = 0;
    int64_t m_segmentMs = 0;    // position of the output's first frame
    int64_t m_segmentFrame = 0; // number, in the spectrum ring, of the output's first frame
    int32_t m_segmentRate = 0;
    uint64_t m_positionSeekSerial = 0; // the last seek the published segment includes
    bool m_segmentFromSeek = false;    // the segment began with a seek
    int64_t m_endMs = 0;

    // Caller-side state (only the calling thread touches these).
    uint64_t m_generation = 0; // of the track started last, 0 when stopped
    uint64_t m_lastGeneration = 0;
    bool m_paused = false;
    int32_t m_pausedMs = 0;
    uint64_t m_seekSerial = 0;
    int32_t m_seekTargetMs = 0;     // the position until the thread has sought
    bool m_seekWhilePaused = false; // the paused position is the last seek's

    std::unique_ptr<AudioOutput> m_ownedOutput; // the thread's
    std::thread m_thread;
};

} // namespace decoder
