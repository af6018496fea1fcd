// The playback thread's side of PlaybackEngine: it starts, seeks and feeds
// the track into the sound output, replaces a failed output with the null
// one, and publishes the position for the caller's side (PlaybackEngine.cpp).
// Every function here runs on the playback thread.
#include "decoder/PlaybackEngine.h"

#include "decoder/NullAudioOutput.h"
#include "decoder/PlaybackSession.h"
#include "platform/LogSink.h"

#include <algorithm>
#include <utility>

namespace decoder {

namespace {

using namespace std::chrono_literals;

// How often the thread looks whether the file is still there.
constexpr auto PresenceCheckInterval = 500ms;
// An output that takes no sound and plays none for this long has failed.
constexpr auto StallLimit = 3s;
// Bounds of the wait between two feeds. Requests wake the thread at once,
// so the upper bound only keeps the checks above timely; a long wait lets
// the thread sleep while the output plays what is queued.
constexpr auto MinWait = 2ms;
constexpr auto MaxWait = 500ms;

} // namespace

void PlaybackEngine::Publish(const Session& s)
{
    std::lock_guard lock(m_positionMutex);
    m_output = m_ownedOutput.get();
    m_positionGeneration = s.Generation;
    m_segmentMs = s.SegmentMs;
    m_segmentFrame = s.SegmentFrame;
    m_segmentRate = s.Format.Rate;
    m_positionSeekSerial = s.SeekSerial;
    m_segmentFromSeek = s.FromSeek;
}

void PlaybackEngine::PublishEnd(const Session& s)
{
    std::lock_guard lock(m_positionMutex);
    m_endMs = s.SegmentMs + PlaybackFramesToMs(s.SegmentWritten, s.Format.Rate);
    m_endedGeneration = s.Generation;
}

bool PlaybackEngine::ApplyPause()
{
    bool paused;
    {
        std::lock_guard lock(m_mutex);
        paused = m_requestPaused;
    }
    m_ownedOutput->SetPaused(paused);
    return paused;
}

void PlaybackEngine::StartSession(Session& s, std::shared_ptr<Mp3Source> track, uint64_t generation,
                                  uint64_t seekSerial)
{
    m_ownedOutput->Close();
    s = Session{};
    s.Generation = generation;
    s.SeekSerial = seekSerial;
    if (generation == 0 || !track || !track->Rewind()) {
        Publish(s);
        if (generation != 0)
            PublishEnd(s); // a track that cannot start has ended at once
        return;
    }
    s.Track = std::move(track);
    s.Format = s.Track->Format();
    s.NextPresenceCheck = std::chrono::steady_clock::now() + PresenceCheckInterval;
    m_ring.Reset(0, s.Format.Rate);
    if (!m_ownedOutput->Open(s.Format))
        ReplaceOutput(s);
    Publish(s);
    s.Paused = ApplyPause();
    s.Step = Session::Phase::Decoding;
}

void PlaybackEngine::ApplySeek(Session& s, int64_t ms, uint64_t serial)
{
    s.SeekSerial = serial;
    const bool running = s.Track && s.Step != Session::Phase::Idle && s.Step != Session::Phase::Done;
    const auto reached = running ? s.Track->Seek(ms) : std::nullopt;
    if (!reached) {
        // Nothing to move (the track ended meanwhile) or the stream refused:
        // the position goes on from where it was.
        Publish(s);
        return;
    }
    // The new place is a new segment, numbered past everything in the ring
    // so that no sound from before the seek is taken for it.
    s.SegmentMs = *reached;
    s.SegmentFrame = m_ring.Next() + SpectrumAnalyzer::Size;
    s.SegmentWritten = 0;
    s.FromSeek = true;
    s.Pending.clear();
    s.PendingOffset = 0;
    s.Held = Mp3Source::Status::Ok;
    s.LastPlayed = -1;
    s.LastProgress = std::chrono::steady_clock::now();
    const bool formatChanged = s.Step == Session::Phase::ChangingFormat;
    s.Step = Session::Phase::Decoding;
    bool reopened;
    if (formatChanged) {
        // Sought while the sound of the old format played out: that sound
        // goes with the seek, and the stream takes the new format now.
        s.Format = s.Track->Format();
        m_ownedOutput->Close();
        reopened = m_ownedOutput->Open(s.Format);
        if (reopened)
            m_ownedOutput->SetPaused(s.Paused);
    } else {
        reopened = m_ownedOutput->Flush();
    }
    m_ring.Reset(s.SegmentFrame, s.Format.Rate);
    if (!reopened)
        ReplaceOutput(s);
    Publish(s);
    if (s.Paused) {
        // Queue the new place now, so that the spectrum shows it while
        // paused and the sound starts at once on resume.
        Feed(s);
    }
}

void PlaybackEngine::ReplaceOutput(Session& s)
{
    platform::Log("zelko: the sound output stopped working; going on without sound");
    auto replacement = std::make_unique<NullAudioOutput>(m_clock);
    (void)replacement->Open(s.Format);
    // The sound queued in the failed output is lost: go on from what was not queued.
    s.SegmentMs += PlaybackFramesToMs(s.SegmentWritten, s.Format.Rate);
    s.SegmentFrame += s.SegmentWritten;
    s.SegmentWritten = 0;
    s.LastPlayed = -1;
    std::unique_ptr<AudioOutput> old;
    {
        std::lock_guard lock(m_positionMutex);
        old = std::exchange(m_ownedOutput, std::move(replacement));
        m_output = m_ownedOutput.get();
        m_segmentMs = s.SegmentMs;
        m_segmentFrame = s.SegmentFrame;
        m_segmentRate = s.Format.Rate;
        m_segmentFromSeek = false;
    }
    {
        std::lock_guard lock(m_mutex);
        m_outputName = m_ownedOutput->Name();
    }
    s.Paused = ApplyPause();
    if (s.Step == Session::Phase::Draining || s.Step == Session::Phase::ChangingFormat)
        m_ownedOutput->Finish();
}

Mp3Source::Status PlaybackEngine::DecodeFrame(Session& s)
{
    std::span<const float> samples;
    const auto status = s.Track->Next(samples);
    if (status != Mp3Source::Status::Ok)
        return status;
    const int channels = s.Format.Channels;
    m_ring.Append(samples, channels);
    s.Pending.erase(s.Pending.begin(), s.Pending.begin() + static_cast<std::ptrdiff_t>(s.PendingOffset));
    s.PendingOffset = 0;
    const size_t first = s.Pending.size();
    s.Pending.insert(s.Pending.end(), samples.begin(), samples.end());
    const float left = m_ownedOutput->AppliesVolume() ? 1.0f : m_gainLeft.load();
    const float right = m_ownedOutput->AppliesVolume() ? 1.0f : m_gainRight.load();
    if (left == 1.0f && right == 1.0f)
        return status; // unity gain, or the output applies the volume itself
    if (channels == 1) {
        const float gain = (left + right) / 2.0f;
        for (size_t i = first; i < s.Pending.size(); ++i)
            s.Pending[i] *= gain;
    } else {
        for (size_t i = first; i < s.Pending.size(); ++i)
            s.Pending[i] *= ((i - first) % static_cast<size_t>(channels)) % 2 == 0 ? left : right;
    }
    return status;
}

void PlaybackEngine::Feed(Session& s)
{
    AudioOutput& out = *m_ownedOutput;
    while (true) {
        const int64_t writable = out.WritableFrames();
        if (writable <= 0)
            return;
        const auto channels = static_cast<size_t>(s.Format.Channels);
        const auto pendingFrames = [&] { return static_cast<int64_t>((s.Pending.size() - s.PendingOffset) / channels); };
        // Frames are decoded until they fill the output's free room, which
        // then takes them in one write rather than one for each MP3 frame:
        // every write wakes the sound server's client thread.
        while (s.Held == Mp3Source::Status::Ok && pendingFrames() < writable)
            s.Held = DecodeFrame(s);
        const int64_t frames = std::min(writable, pendingFrames());
        if (frames > 0) {
            const size_t count = static_cast<size_t>(frames) * channels;
            if (!out.Write(std::span<const float>(s.Pending).subspan(s.PendingOffset, count)))
                return;
            s.PendingOffset += count;
            s.SegmentWritten += frames;
        }
        if (pendingFrames() > 0 || s.Held == Mp3Source::Status::Ok)
            continue;
        if (s.Held == Mp3Source::Status::End) {
            s.Held = Mp3Source::Status::Ok;
            out.Finish();
            s.Step = Session::Phase::Draining;
            return;
        }
        // The stream changed its rate or channels: what is queued in the old
        // format plays out first (SwitchFormat then opens the new stream).
        s.Held = Mp3Source::Status::Ok;
        out.Finish();
        s.Step = Session::Phase::ChangingFormat;
        return;
    }
}

void PlaybackEngine::SwitchFormat(Session& s)
{
    s.SegmentMs += PlaybackFramesToMs(s.SegmentWritten, s.Format.Rate);
    s.SegmentFrame += s.SegmentWritten;
    s.SegmentWritten = 0;
    s.Format = s.Track->Format();
    s.Step = Session::Phase::Decoding;
    m_ring.Reset(s.SegmentFrame, s.Format.Rate);
    m_ownedOutput->Close();
    if (!m_ownedOutput->Open(s.Format)) {
        ReplaceOutput(s);
        return;
    }
    Publish(s);
    s.Paused = ApplyPause();
}

void PlaybackEngine::WaitFor(const Session& s, std::chrono::nanoseconds timeout)
{
    std::unique_lock lock(m_mutex);
    m_wake.wait_for(lock, timeout, [&] {
        return m_quit || m_requestGeneration != s.Generation || m_requestPaused != s.Paused || m_requestSeekSerial != s.SeekSerial;
    });
}

void PlaybackEngine::Run()
{
    m_ownedOutput = m_makeOutput();
    {
        std::lock_guard lock(m_mutex);
        m_outputName = m_ownedOutput->Name();
    }
    {
        std::lock_guard lock(m_positionMutex);
        m_output = m_ownedOutput.get();
        m_output->SetVolume(m_gainLeft, m_gainRight);
    }
    Session s;
    while (true) {
        uint64_t generation;
        bool paused;
        uint64_t seekSerial;
        uint64_t playSeekSerial;
        int64_t seekMs;
        std::shared_ptr<Mp3Source> track;
        {
            std::lock_guard lock(m_mutex);
            if (m_quit)
                break;
            generation = m_requestGeneration;
            paused = m_requestPaused;
            seekSerial = m_requestSeekSerial;
            playSeekSerial = m_requestPlaySeekSerial;
            seekMs = m_requestSeekMs;
            if (generation != s.Generation)
                track = m_requestTrack;
        }
        if (generation != s.Generation) {
            StartSession(s, std::move(track), generation, playSeekSerial);
            continue;
        }
        // A pause asked for together with a seek is applied first, so
        // that the seek knows whether to queue the new place at once.
        if (paused != s.Paused) {
            s.Paused = ApplyPause();
            s.LastPlayed = -1;
            continue;
        }
        if (seekSerial != s.SeekSerial) {
            ApplySeek(s, seekMs, seekSerial);
            continue;
        }
        if (s.Step == Session::Phase::Idle || s.Step == Session::Phase::Done) {
            WaitFor(s, std::chrono::hours(1));
            continue;
        }
        const auto now = std::chrono::steady_clock::now();
        if (m_ownedOutput->Failed()) {
            ReplaceOutput(s);
            continue;
        }
        if (s.Paused) {
            WaitFor(s, 100ms);
            continue;
        }
        // An output that neither takes nor plays sound has failed too.
        const int64_t played = m_ownedOutput->PlayedFrames();
        if (played != s.LastPlayed) {
            s.LastPlayed = played;
            s.LastProgress = now;
        } else if (now - s.LastProgress > StallLimit) {
            ReplaceOutput(s);
            continue;
        }
        if (s.Step == Session::Phase::Decoding) {
            if (now >= s.NextPresenceCheck) {
                s.NextPresenceCheck = now + PresenceCheckInterval;
                if (!s.Track->StillPresent()) {
                    m_ownedOutput->Close();
                    PublishEnd(s);
                    s.Step = Session::Phase::Done;
                    continue;
                }
            }
            Feed(s);
            if (s.Step == Session::Phase::Decoding) {
                WaitFor(s, std::clamp<std::chrono::nanoseconds>(m_ownedOutput->RetryAfter(), MinWait, MaxWait));
                continue;
            }
        }
        if (s.Step == Session::Phase::ChangingFormat) {
            if (m_ownedOutput->Drained())
                SwitchFormat(s);
            else
                WaitFor(s, std::clamp<std::chrono::nanoseconds>(m_ownedOutput->RetryAfter(), MinWait, 10ms));
            continue;
        }
        if (s.Step == Session::Phase::Draining) {
            if (m_ownedOutput->Drained()) {
                PublishEnd(s);
                s.Step = Session::Phase::Done;
                s.Track.reset();
                continue;
            }
            WaitFor(s, std::clamp<std::chrono::nanoseconds>(m_ownedOutput->RetryAfter(), MinWait, 10ms));
        }
    }
    m_ownedOutput->Close();
    std::unique_ptr<AudioOutput> old;
    {
        std::lock_guard lock(m_positionMutex);
        m_output = nullptr;
        old = std::move(m_ownedOutput);
    }
}

} // namespace decoder
