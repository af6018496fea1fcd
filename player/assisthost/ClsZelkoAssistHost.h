#pragma once
// The player's side of the assists: finds the programs in Assist/, lists them
// in the assist menu, starts and closes them, remembers across runs which ran
// ([Assist] section), receives their commands through a replacement window
// procedure (HookWndProc) on the player's window, and sends them the play
// state, the song information and the analyser data.
//
// The host owns the player's message window (handle = process id), the
// SongInfoRecord and the AnalyzeRecord; the player owns the PlayStateRecord
// and reaches its handlers through AssistHostPlayer. All on the UI thread.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/MessageWindow.h"
#include "player/assisthost/AssistHostPlayer.h"
#include "player/assisthost/ClsZelkoAssist.h"
#include "protocol/AnalyzeRecord.h"
#include "protocol/SongInfoRecord.h"

class QAction;
class QMenu;

class ClsZelkoAssistHost {
public:
    struct Options {
        // The wait of ExecuteAssist: so many rounds of processing events and
        // waiting up to RoundWait for the announcement.
        int WaitRounds = 11;
        std::chrono::milliseconds RoundWait { 500 };
        // Where endpoints live; empty means the default folder.
        std::filesystem::path EndpointDirectory;
        std::chrono::milliseconds SendTimeout = platform::DefaultSendTimeout;
    };

    // appPath: the application folder, ending in "/". assistMenu: the menu
    // mnuP1Assist, which the host fills (it holds "<なし>" while no assist is
    // found). Opening the message window may fail (endpoint folder refused);
    // the host then lists assists but cannot link any (WindowError()).
    ClsZelkoAssistHost(AssistHostPlayer& player, QMenu& assistMenu, std::filesystem::path appPath);
    ClsZelkoAssistHost(AssistHostPlayer& player, QMenu& assistMenu, std::filesystem::path appPath, Options options);
    ~ClsZelkoAssistHost();
    ClsZelkoAssistHost(const ClsZelkoAssistHost&) = delete;
    ClsZelkoAssistHost& operator=(const ClsZelkoAssistHost&) = delete;

    // Start-up, in this order: EnumAssists; SelectAssistFromIni for each line
    // of [Assist]; InstallHook (window hook); ExecuteSelectedAssists last.
    void EnumAssists();
    void SelectAssistFromIni(std::string_view line);
    void ExecuteSelectedAssists();
    // Starts path with "HANDLE POSITION" and waits for its announcement while
    // processing events. Returns false, at once and changing nothing, when the
    // executable is gone or cannot be started.
    bool ExecuteAssist(const std::string& path, std::int32_t position);

    // Shut-down, in this order: AssistSectionLines (write [Assist]);
    // RemoveHook; ClearAssists.
    std::vector<std::string> AssistSectionLines() const; // "ExecuteFile=NAME" per selected entry
    std::string AssistSectionData() const;               // the same, each ended by NUL, plus one NUL
    void ClearAssists();

    // The window procedure: HookWndProc replaces the window's procedure and
    // keeps the previous one in the user-data slot; RemoveHook puts it back.
    void InstallHook();
    void RemoveHook();
    bool HookInstalled() const { return m_hookInstalled; }
    std::int32_t HookWndProc(platform::WindowHandle hwnd, std::uint32_t msg, std::uint32_t wParam,
                             std::intptr_t lParam);

    // The wheel goes through the window procedure as a wheel message; delta
    // is the wheel's signed step (negative towards the user).
    void DispatchMouseWheel(int delta);

    // Menu and commands.
    void mnuP1AEnum_Click(int index);
    void CloseAssist(platform::WindowHandle hwnd);
    void SetVolumeFromAssist(std::int32_t volume);

    // Notifications. NotifyAssists reads the decoder state into the play-state
    // record first; NotifyVolume (volume buttons, keys, SetVolumeFromAssist)
    // does not. SendAnalyze sends the AnalyzeRecord (each play-timer tick).
    void NotifyAssists(std::uint32_t code);
    void NotifyVolume();
    void SendAnalyze();

    // Song information: field is "mp3file", "trackname" or "artistname" (any
    // case); any other name does nothing. The text is UTF-8.
    void SetSongInfo(std::string_view field, std::string_view text);
    // The same, reading Mp3File(), TrackName() or ArtistName() of source by
    // the field's name (a track, or the application state).
    template <typename Source>
        requires(!std::is_convertible_v<const Source&, std::string_view>)
    void SetSongInfo(std::string_view field, const Source& source);

    protocol::AnalyzeRecord& Analyze() { return m_analyze; }
    const protocol::SongInfoRecord& SongInfo() const { return m_songInfo; }

    const std::vector<ClsZelkoAssist>& Assists() const { return m_assists; }
    bool AssistReady() const { return m_assistReady; }
    bool InHook() const { return m_inHook; }
    // The player's window handle (0 when no message window could be opened).
    platform::WindowHandle Handle() const;
    platform::MessageWindow* Window() { return m_window.get(); }
    const std::string& WindowError() const { return m_windowError; }
    // Processes pending events and requests (DoEvents).
    void ProcessPendingEvents();

private:
    ClsZelkoAssist* FindByKey(std::string_view key);
    ClsZelkoAssist* FindByCaption(const QAction& item);
    QAction* MenuItem(std::int32_t menuIndex) const;
    void SetItemChecked(std::int32_t menuIndex, bool checked);
    void SendPlayState(std::uint32_t dwData);
    void SendToAssist(ClsZelkoAssist& entry, std::uint32_t wParam, std::uint32_t dwData,
                      std::span<const std::byte> payload);
    void HandleCommand(std::uint32_t word, std::int32_t lParam);
    void ReplyPlayInfo(platform::WindowHandle to);
    void ReplySongInfo(platform::WindowHandle to);
    void CloseAssistWindow(ClsZelkoAssist& entry);

    AssistHostPlayer& m_player;
    QMenu& m_menu;
    std::filesystem::path m_appPath;
    Options m_options;
    std::unique_ptr<platform::MessageWindow> m_window;
    std::string m_windowError;
    std::vector<ClsZelkoAssist> m_assists;
    std::vector<QAction*> m_items; // mnuP1AEnum; item 0 always exists
    protocol::SongInfoRecord m_songInfo {};
    protocol::AnalyzeRecord m_analyze {};
    bool m_inHook = false;
    bool m_assistReady = false;
    bool m_hookInstalled = false;
};

template <typename Source>
    requires(!std::is_convertible_v<const Source&, std::string_view>)
void ClsZelkoAssistHost::SetSongInfo(std::string_view field, const Source& source)
{
    std::string lower(field);
    for (char& c : lower)
        c = static_cast<char>((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c);
    if (lower == "mp3file") {
        if constexpr (requires { source.Mp3File(); })
            SetSongInfo(lower, std::string_view(source.Mp3File()));
    } else if (lower == "trackname") {
        if constexpr (requires { source.TrackName(); })
            SetSongInfo(lower, std::string_view(source.TrackName()));
    } else if (lower == "artistname") {
        if constexpr (requires { source.ArtistName(); })
            SetSongInfo(lower, std::string_view(source.ArtistName()));
    }
}
