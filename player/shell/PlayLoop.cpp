#include "player/shell/PlayLoop.h"

#include "decoder/Decoder.h"
#include "player/shell/ClsZelko.h"
#include "player/skin/SkinWindow.h"
#include "player/widgets/ClsZelkoBodyAction.h"
#include "player/widgets/ClsZelkoLyricsAction.h"

#include <algorithm>
#include <cmath>

namespace shell {

PlayLoop::PlayLoop(ClsZelko& app, decoder::Decoder& decoder, playback::Transport& transport, skin::SkinWindow& window,
                   PlayLoopHost& host)
    : m_app(app)
    , m_decoder(decoder)
    , m_transport(transport)
    , m_window(window)
    , m_host(host)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.callOnTimeout([this] { PlayTimer_Timer(); });
}

void PlayLoop::SetWidgets(widgets::ClsZelkoBodyAction& body, widgets::ClsZelkoLyricsAction& lyrics)
{
    m_body = &body;
    m_lyrics = &lyrics;
}

void PlayLoop::StartTimer() { m_timer.start(m_app.TimerInterval()); }

void PlayLoop::StopTimer() { m_timer.stop(); }

void PlayLoop::TrackOpened(const playback::ClsZelkoMp3File&, std::int32_t totalMs)
{
    m_analyze.TotalMs = totalMs;
    m_lastLyricsLine = -1;
}

void PlayLoop::Happened(playback::TransportEvent event)
{
    if (event == playback::TransportEvent::Started)
        StartTimer();
    else if (event == playback::TransportEvent::Stopped)
        StopTimer();
}

void PlayLoop::PlayTimer_Timer()
{
    const skin::SkinWindow::PaintScope paintOnce(m_window);
    ReadPlayPosition();
    SendAnalyzeToAssists();
    FormatShownTime();
    if (!m_host.IsMinimized()) {
        RefreshAnalyser();
        RefreshChangedTimeDigits();
        RefreshChangedSeekBar();
    }
    RememberShownTime();
    PollLyrics();
    PollEndOfTrack();
}

void PlayLoop::ReadPlayPosition()
{
    m_playMs = m_decoder.dec_getPlayMs();
    m_analyze.PlayMs = m_playMs;
    m_decoder.dec_getSpectrum(m_analyze.Spectrum1, m_analyze.Spectrum2);
}

void PlayLoop::SendAnalyzeToAssists() { m_host.SendAnalyze(m_analyze); }

void PlayLoop::FormatShownTime()
{
    // The digits shown ("MM:SS") change only with the whole second, so the
    // text is formatted again only then.
    const std::int32_t second = std::max<std::int32_t>(m_playMs, 0) / 1000;
    if (second != m_timeTextSecond) {
        m_timeText = m_app.FormatTimeMs(m_playMs).substr(0, 5);
        m_timeTextSecond = second;
    }
}

void PlayLoop::RefreshAnalyser()
{
    m_body->RefreshSpectrumData();
    ++m_redraws.spectrum;
}

void PlayLoop::RedrawTimeDigit(int position)
{
    switch (position) {
    case 0: m_body->RefreshTimeMM(); break;
    case 1: m_body->RefreshTimeM(); break;
    case 2: m_body->RefreshTimeColon(); break;
    case 3: m_body->RefreshTimeSS(); break;
    case 4: m_body->RefreshTimeS(); break;
    default: return;
    }
    ++m_redraws.timeDigits[static_cast<std::size_t>(position)];
}

void PlayLoop::RefreshChangedTimeDigits()
{
    for (int i = 0; i < 5; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const char shown = at < m_lastTimeText.size() ? m_lastTimeText[at] : '\0';
        const char now = at < m_timeText.size() ? m_timeText[at] : '\0';
        if (shown != now) RedrawTimeDigit(i);
    }
}

void PlayLoop::RefreshChangedSeekBar()
{
    // A track whose length reads as 0 shows a seek position of 0.
    const std::int32_t totalMs = TotalMs();
    const std::optional<std::int32_t> dragged = m_host.SeekBarDragPercent();
    const std::int32_t percent =
        dragged        ? *dragged
        : totalMs <= 0 ? 0
                       : static_cast<std::int32_t>(std::nearbyint(static_cast<double>(m_playMs) / totalMs * 100.0));
    if (percent != m_app.SeekPosition()) {
        m_app.SetSeekPosition(percent);
        m_body->RefreshSeekBar();
        ++m_redraws.seekBar;
    }
}

void PlayLoop::RememberShownTime() { m_lastTimeText = m_timeText; }

void PlayLoop::PollLyrics()
{
    if (!m_app.LyricsEnabled()) return;
    m_decoder.dec_getLyrics(m_lyricsRecord);
    if (m_lyricsRecord.CurrentLine != m_lastLyricsLine) {
        if (m_app.LyricsProc() && !m_host.IsMinimized()) {
            if (m_host.LyricsBoxVisible()) m_lyrics->RefreshLyricsRect();
            ++m_redraws.lyrics;
        }
        m_lastLyricsLine = m_lyricsRecord.CurrentLine;
    }
}

void PlayLoop::PollEndOfTrack()
{
    if (m_transport.bStop()) return;
    if (m_transport.ReadDecoderState() == playback::DecoderState::Stopped)
        m_transport.EndOfTrack([this] { m_host.BeforeNextTrack(); });
}

} // namespace shell
