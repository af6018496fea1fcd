#pragma once
// The player's application state: the command-line switches, the program and
// data folders, the current skin, the settings restored at start-up, the state
// the widget controllers read (a WidgetState it owns and hands to them: the
// now-playing names, the switches and drawers), two constants, the time
// formatter and the run log. The text colours and the peak-position table are
// the skin's own.
//
// Exactly one instance lives as long as the main window, which hands it on by
// reference. Setting a property only stores the value: nothing is redrawn or
// written. Colours are 0x00BBGGRR values (red in the lowest byte). Times are
// milliseconds, positions and sizes pixels.
//
// Folders (all end in "/"):
// - AppPath: the folder of the running executable; with "/develop" the
//   current working folder instead. Skins/ and Assist/ are found here, and
//   "$(apppath)" in the settings means this folder.
// - DataPath: where the settings file Zelko.ini, the saved play list
//   Zelko.m3u and the run log Zelko.log live. It is AppPath when that folder
//   is writable (a build folder, a portable copy); otherwise (an installed
//   program) $XDG_CONFIG_HOME/zelko/, by default ~/.config/zelko/, created at
//   start when missing.
//
// Command line: the whole text, lower-cased; each switch is on when its text
// occurs anywhere in it ("/develop", "/debug", "/log", "/minimize"; so
// "/logfile" also turns on "/log"). The long options --help and --version are
// the main program's business and contain no "/".
#include "player/shell/ZelkoSettings.h"
#include "player/widgets/WidgetState.h"
#include "platform/RunLog.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace shell {

class ClsZelko {
public:
    struct Folders {
        std::string programFolder; // the executable's folder
        std::string workingFolder; // the current working folder ("/develop")
        std::string configFolder;  // the per-user data folder if AppPath is read-only
    };

    // The running program: folders from /proc/self/exe, the working folder and
    // the environment.
    explicit ClsZelko(std::string_view commandLine);
    // A given program folder (tests); working and config folders as above.
    ClsZelko(std::string_view commandLine, std::string_view programFolder);
    ClsZelko(std::string_view commandLine, const Folders& folders);

    // The running executable's folder, ending in "/".
    static std::string ExecutableFolder();
    // $XDG_CONFIG_HOME/zelko/ (absolute values only), else $HOME/.config/zelko/.
    static std::string DefaultConfigFolder();
    // The text that --help prints.
    static std::string UsageText();

    bool bDevelop() const { return m_bDevelop; }
    bool bDebug() const { return m_bDebug; }
    bool bLog() const { return m_bLog; }
    bool bMinimize() const { return m_bMinimize; }
    const std::string& AppPath() const { return m_appPath; }
    const std::string& DataPath() const { return m_dataPath; }

    // The settings kept between runs, as read at start-up and changed since.
    // The play modes, the volume and the current track live in the transport
    // while the player runs; these fields hold what was read.
    const ZelkoSettings& Settings() const { return m_settings; }
    void SetSettings(ZelkoSettings settings) { m_settings = std::move(settings); }

    const std::string& SkinPath() const { return m_settings.SkinPath; }
    void SetSkinPath(std::string v) { m_settings.SkinPath = std::move(v); }
    const std::string& SkinFile() const { return m_settings.SkinFile; }
    void SetSkinFile(std::string v) { m_settings.SkinFile = std::move(v); }
    bool SkinWithMusic() const { return m_settings.SkinWithMusic; }
    void SetSkinWithMusic(bool v) { m_settings.SkinWithMusic = v; }
    bool SearchChildFolder() const { return m_settings.SearchChildFolder; }
    void SetSearchChildFolder(bool v) { m_settings.SearchChildFolder = v; }
    bool AnalyzeProc() const { return m_widgets.AnalyzeProc(); }
    void SetAnalyzeProc(bool v) { m_widgets.SetAnalyzeProc(v); }
    bool LyricsProc() const { return m_widgets.LyricsProc(); }
    void SetLyricsProc(bool v) { m_widgets.SetLyricsProc(v); }
    bool LyricsEnabled() const { return m_lyricsEnabled; }
    void SetLyricsEnabled(bool v) { m_lyricsEnabled = v; }
    const std::string& TrackName() const { return m_widgets.TrackName(); }
    void SetTrackName(std::string v) { m_widgets.SetTrackName(std::move(v)); }
    const std::string& ArtistName() const { return m_widgets.ArtistName(); }
    void SetArtistName(std::string v) { m_widgets.SetArtistName(std::move(v)); }
    // Percent of the track played, 0..100.
    std::int32_t SeekPosition() const { return m_widgets.SeekPosition(); }
    void SetSeekPosition(std::int32_t v) { m_widgets.SetSeekPosition(v); }
    bool PlayListShow() const { return m_widgets.PlayListShow(); }
    void SetPlayListShow(bool v) { m_widgets.SetPlayListShow(v); }
    bool LyricsShow() const { return m_widgets.LyricsShow(); }
    void SetLyricsShow(bool v) { m_widgets.SetLyricsShow(v); }
    bool PlayListShowAlway() const { return m_settings.PlayListShowAlway; }
    void SetPlayListShowAlway(bool v) { m_settings.PlayListShowAlway = v; }
    bool LyricsShowAlway() const { return m_settings.LyricsShowAlway; }
    void SetLyricsShowAlway(bool v) { m_settings.LyricsShowAlway = v; }
    // Height of one text line of the play-list and lyrics boxes, pixels.
    std::int32_t CharHeight() const { return widgets::WidgetState::CharHeight; }
    std::int32_t WindowLeft() const { return m_settings.WindowLeft; }
    void SetWindowLeft(std::int32_t v) { m_settings.WindowLeft = v; }
    std::int32_t WindowTop() const { return m_settings.WindowTop; }
    void SetWindowTop(std::int32_t v) { m_settings.WindowTop = v; }
    // 0: chosen from the screen at start-up; 1..3: that scale.
    std::int32_t WindowScale() const { return m_settings.WindowScale; }
    void SetWindowScale(std::int32_t v) { m_settings.WindowScale = v; }
    const std::string& LyricsExt() const { return m_settings.LyricsExt; }
    void SetLyricsExt(std::string v) { m_settings.LyricsExt = std::move(v); }
    const std::string& LyricsFolder() const { return m_settings.LyricsFolder; }
    void SetLyricsFolder(std::string v) { m_settings.LyricsFolder = std::move(v); }
    // Interval of the play timer, milliseconds.
    std::int32_t TimerInterval() const { return 10; }

    // MM:SS:hh, as WidgetState::FormatTimeMs.
    std::string FormatTimeMs(std::int32_t ms) const { return widgets::WidgetState::FormatTimeMs(ms); }

    // What the widget controllers read; the setters above store into it.
    const widgets::WidgetState& Widgets() const { return m_widgets; }
    // The run log, which the widgets are handed too.
    const platform::RunLog& Log() const { return m_runLog; }

    // With "/log", appends text and CR LF to DataPath() + "Zelko.log" (one
    // line per call, no time stamp); without it, does nothing. A line that
    // cannot be written is dropped: the log never stops the player.
    void WriteRunLog(std::string_view text) const;
    // A failure the user should hear of even without the run log (a file
    // that could not be saved): one line on stderr, and the run log's line.
    void ReportFailure(std::string_view text) const;

    std::string RunLogPath() const { return m_dataPath + "Zelko.log"; }

private:
    // The settings before the file is read: no lyrics extension yet.
    static ZelkoSettings NothingRead()
    {
        ZelkoSettings s;
        s.LyricsExt.clear();
        return s;
    }
    void ReadCommandLine(std::string_view commandLine);
    void ChooseFolders(const Folders& folders);

    bool m_bDevelop = false;
    bool m_bDebug = false;
    bool m_bLog = false;
    bool m_bMinimize = false;
    std::string m_appPath;
    std::string m_dataPath;
    ZelkoSettings m_settings = NothingRead();
    bool m_lyricsEnabled = false;
    widgets::WidgetState m_widgets;
    platform::RunLog m_runLog;
};

} // namespace shell
