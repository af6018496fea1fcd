#pragma once
// The play loop: every 10 ms while a track has been started, one tick runs a
// short fixed list of steps (PlayTimer_Timer): read the play position and the
// spectrum, send them to the assists, redraw what changed (analyser, time
// digits, seek bar; nothing while minimised), poll the lyrics, and see
// whether the track has ended.
//
// The loop owns the play timer, the AnalyzeRecord (the analyser's data, sent
// to the assists each tick), the lyrics record and the redraw counters. It
// observes the transport: the timer starts when a track starts and stops when
// it stops. All on the user-interface thread; times are milliseconds.
#include "decoder/DecoderRecords.h"
#include "player/playback/Transport.h"
#include "protocol/AnalyzeRecord.h"

#include <QTimer>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace widgets {
class ClsZelkoBodyAction;
class ClsZelkoLyricsAction;
} // namespace widgets
namespace skin {
class SkinWindow;
}
namespace decoder {
class Decoder;
}

namespace shell {

class ClsZelko;

// What the loop needs from the main window.
class PlayLoopHost {
public:
    virtual ~PlayLoopHost() = default;
    virtual bool IsMinimized() const = 0;
    // Whether the lyrics box may be drawn (its drawer, if any, is out).
    virtual bool LyricsBoxVisible() const = 0;
    // Sends the analyser record to the linked assists.
    virtual void SendAnalyze(const protocol::AnalyzeRecord& record) = 0;
    // At the end of a track, before the next one starts: the skin that
    // changes with the music.
    virtual void BeforeNextTrack() = 0;
    // While the seek bar is dragged, the percent it shows instead of the play position.
    virtual std::optional<std::int32_t> SeekBarDragPercent() const { return std::nullopt; }
};

class PlayLoop : public playback::TransportObserver {
public:
    // The number of redraws of each kind since start-up.
    struct RedrawCounts {
        std::array<int, 5> timeDigits{}; // MM, M, colon, SS, S
        int seekBar = 0;
        int spectrum = 0;
        int lyrics = 0;
    };

    PlayLoop(ClsZelko& app, decoder::Decoder& decoder, playback::Transport& transport, skin::SkinWindow& window,
             PlayLoopHost& host);
    PlayLoop(const PlayLoop&) = delete;
    PlayLoop& operator=(const PlayLoop&) = delete;

    // The widgets the loop redraws; set once they exist, before the first tick.
    void SetWidgets(widgets::ClsZelkoBodyAction& body, widgets::ClsZelkoLyricsAction& lyrics);

    // One tick.
    void PlayTimer_Timer();
    // The painter of one position of the shown time MM:SS: 0 tens of minutes,
    // 1 minutes, 2 colon, 3 tens of seconds, 4 seconds.
    void RedrawTimeDigit(int position);

    void StartTimer();
    void StopTimer();
    bool TimerActive() const { return m_timer.isActive(); }

    protocol::AnalyzeRecord& Analyze() { return m_analyze; }
    const protocol::AnalyzeRecord& Analyze() const { return m_analyze; }
    decoder::LyricsRecord& Lyrics() { return m_lyricsRecord; }
    std::int32_t TotalMs() const { return m_analyze.TotalMs; }
    const RedrawCounts& Redraws() const { return m_redraws; }

    // TransportObserver
    void TrackOpened(const playback::ClsZelkoMp3File& track, std::int32_t totalMs) override;
    void Happened(playback::TransportEvent event) override;

private:
    // The steps, in tick order.
    void ReadPlayPosition();
    void SendAnalyzeToAssists();
    void FormatShownTime();
    void RefreshAnalyser();
    void RefreshChangedTimeDigits();
    void RefreshChangedSeekBar();
    void RememberShownTime();
    void PollLyrics();
    void PollEndOfTrack();

    ClsZelko& m_app;
    decoder::Decoder& m_decoder;
    playback::Transport& m_transport;
    skin::SkinWindow& m_window;
    PlayLoopHost& m_host;
    widgets::ClsZelkoBodyAction* m_body = nullptr;
    widgets::ClsZelkoLyricsAction* m_lyrics = nullptr;

    QTimer m_timer;
    protocol::AnalyzeRecord m_analyze{};
    decoder::LyricsRecord m_lyricsRecord{};
    std::int32_t m_playMs = 0;
    std::string m_lastTimeText = "\x01\x01\x01\x01\x01";
    std::string m_timeText;             // "MM:SS" of m_timeTextSecond
    std::int32_t m_timeTextSecond = -1; // whole second formatted last, -1 before the first tick
    std::int32_t m_lastLyricsLine = -1;
    RedrawCounts m_redraws;
};

} // namespace shell
