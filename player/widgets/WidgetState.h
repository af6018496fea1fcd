#pragma once
// What the widget controllers show besides the skin and the play state: the
// names of the track now playing, the seek position, the analyser and lyrics
// switches and which drawers are out (the colours and the peak-position table
// are the skin's). It sits below the widgets so that they read it without
// knowing the application that owns it (ClsZelko keeps one and hands it out
// by reference).
//
// Setting a property only stores the value: nothing is redrawn. Sizes are
// pixels. Used on the GUI thread only.
#include <cstdint>
#include <string>
#include <utility>

namespace widgets {

class WidgetState {
public:
    // Height of one text line of the play-list and lyrics boxes, pixels.
    static constexpr std::int32_t CharHeight = 14;

    // MM:SS:hh (minutes at least two digits, hundredths of a second):
    // 83456 gives "01:23:45", 6000000 gives "100:00:00". Negative positions
    // count as 0.
    static std::string FormatTimeMs(std::int32_t ms);

    // With "/debug" the painters frame what they draw.
    bool bDebug() const { return m_bDebug; }
    void SetDebug(bool v) { m_bDebug = v; }

    bool AnalyzeProc() const { return m_analyzeProc; }
    void SetAnalyzeProc(bool v) { m_analyzeProc = v; }
    bool LyricsProc() const { return m_lyricsProc; }
    void SetLyricsProc(bool v) { m_lyricsProc = v; }
    const std::string& TrackName() const { return m_trackName; }
    void SetTrackName(std::string v) { m_trackName = std::move(v); }
    const std::string& ArtistName() const { return m_artistName; }
    void SetArtistName(std::string v) { m_artistName = std::move(v); }
    // Percent of the track played, 0..100.
    std::int32_t SeekPosition() const { return m_seekPosition; }
    void SetSeekPosition(std::int32_t v) { m_seekPosition = v; }
    bool PlayListShow() const { return m_playListShow; }
    void SetPlayListShow(bool v) { m_playListShow = v; }
    bool LyricsShow() const { return m_lyricsShow; }
    void SetLyricsShow(bool v) { m_lyricsShow = v; }

private:
    bool m_bDebug = false;
    bool m_analyzeProc = true;
    bool m_lyricsProc = true;
    std::string m_trackName;
    std::string m_artistName;
    std::int32_t m_seekPosition = 0;
    bool m_playListShow = false;
    bool m_lyricsShow = false;
};

} // namespace widgets
