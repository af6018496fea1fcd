#pragma once
// What the widget controllers show besides the skin and the play state: the
// names of the track now playing, the seek position, the analyser and lyrics
// switches, which drawers are out, the text colours and the peak-position
// table. It sits below the widgets so that they read it without knowing the
// application that owns it (ClsZelko keeps one and hands it out by reference).
//
// Setting a property only stores the value: nothing is redrawn. Colours are
// 0x00BBGGRR values (red in the lowest byte), 0 until set. Positions and sizes
// are pixels. Used on the GUI thread only.
#include <array>
#include <cstdint>
#include <string>

class WidgetState {
public:
    static constexpr std::int32_t PeekPositionCount = 24;
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

    std::int32_t RGBPlayListFore() const { return m_rgbPlayListFore; }
    void SetRGBPlayListFore(std::int32_t v) { m_rgbPlayListFore = v; }
    std::int32_t RGBPlayListPlaying() const { return m_rgbPlayListPlaying; }
    void SetRGBPlayListPlaying(std::int32_t v) { m_rgbPlayListPlaying = v; }
    std::int32_t RGBLyricsPPrev() const { return m_rgbLyricsPPrev; }
    void SetRGBLyricsPPrev(std::int32_t v) { m_rgbLyricsPPrev = v; }
    std::int32_t RGBLyricsPrev() const { return m_rgbLyricsPrev; }
    void SetRGBLyricsPrev(std::int32_t v) { m_rgbLyricsPrev = v; }
    std::int32_t RGBLyricsCurrent() const { return m_rgbLyricsCurrent; }
    void SetRGBLyricsCurrent(std::int32_t v) { m_rgbLyricsCurrent = v; }
    std::int32_t RGBLyricsNext() const { return m_rgbLyricsNext; }
    void SetRGBLyricsNext(std::int32_t v) { m_rgbLyricsNext = v; }
    std::int32_t RGBLyricsNNext() const { return m_rgbLyricsNNext; }
    void SetRGBLyricsNNext(std::int32_t v) { m_rgbLyricsNNext = v; }
    std::int32_t RGBTitleFore() const { return m_rgbTitleFore; }
    void SetRGBTitleFore(std::int32_t v) { m_rgbTitleFore = v; }

    // The peak-position table; index 0..PeekPositionCount-1 (callers check).
    std::int32_t PeekPosition(std::int32_t index) const { return m_peekPositions[static_cast<std::size_t>(index)]; }
    void SetPeekPosition(std::int32_t index, std::int32_t v) { m_peekPositions[static_cast<std::size_t>(index)] = v; }

private:
    bool m_bDebug = false;
    bool m_analyzeProc = true;
    bool m_lyricsProc = true;
    std::string m_trackName;
    std::string m_artistName;
    std::int32_t m_seekPosition = 0;
    bool m_playListShow = false;
    bool m_lyricsShow = false;
    std::int32_t m_rgbPlayListFore = 0;
    std::int32_t m_rgbPlayListPlaying = 0;
    std::int32_t m_rgbLyricsPPrev = 0;
    std::int32_t m_rgbLyricsPrev = 0;
    std::int32_t m_rgbLyricsCurrent = 0;
    std::int32_t m_rgbLyricsNext = 0;
    std::int32_t m_rgbLyricsNNext = 0;
    std::int32_t m_rgbTitleFore = 0;
    std::array<std::int32_t, PeekPositionCount> m_peekPositions{};
};
