#pragma once
// The player's side of the assists: it owns the player's message window
// (handle = process id) and three parts with one job each: the catalogue
// (the programs in Assist/, the assist menu, the [Assist] lines), the
// command decoder (command words → the player's handlers) and the
// broadcaster (records to the assists; it observes the transport). The host
// itself starts and closes assists and installs the window procedure
// (HookWndProc) through which the assists' commands arrive.
//
// The player is reached through AssistHostPlayer. All on the UI thread.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/MessageWindow.h"
#include "player/assisthost/AssistBroadcaster.h"
#include "player/assisthost/AssistCatalogue.h"
#include "player/assisthost/AssistCommandDecoder.h"
#include "player/assisthost/AssistHostPlayer.h"
#include "player/assisthost/ClsZelkoAssist.h"

class QMenu;

namespace assisthost {

class ClsZelkoAssistHost {
public:
    struct Options {
        // The wait of ExecuteAssist: so many rounds of processing events and
        // waiting up to RoundWait for the announcement.
        int WaitRounds = 11;
        std::chrono::milliseconds RoundWait{500};
        // Where endpoints live; empty means the default folder.
        std::filesystem::path EndpointDirectory;
        std::chrono::milliseconds SendTimeout = platform::DefaultSendTimeout;
    };

    // appPath: the application folder, ending in "/". assistMenu: the menu
    // mnuP1Assist, which the catalogue fills (it holds "<なし>" while no
    // assist is found). Opening the message window may fail (endpoint folder
    // refused); the host then lists assists but cannot link any (WindowError()).
    ClsZelkoAssistHost(AssistHostPlayer& player, QMenu& assistMenu, std::filesystem::path appPath);
    ClsZelkoAssistHost(AssistHostPlayer& player, QMenu& assistMenu, std::filesystem::path appPath, Options options);
    ~ClsZelkoAssistHost();
    ClsZelkoAssistHost(const ClsZelkoAssistHost&) = delete;
    ClsZelkoAssistHost& operator=(const ClsZelkoAssistHost&) = delete;

    AssistCatalogue& Catalogue() { return m_catalogue; }
    AssistBroadcaster& Broadcaster() { return *m_broadcaster; }

    // Start-up, in this order: EnumAssists; SelectAssistFromIni for each line
    // of [Assist]; InstallHook (window hook); ExecuteSelectedAssists last.
    void EnumAssists() { m_catalogue.EnumAssists(m_appPath / "Assist"); }
    void SelectAssistFromIni(std::string_view line) { m_catalogue.SelectAssistFromIni(line); }
    void ExecuteSelectedAssists();
    // Starts path with "HANDLE POSITION" and waits for its announcement while
    // processing events. Returns false, at once and changing nothing, when the
    // executable is gone or cannot be started.
    bool ExecuteAssist(const std::string& path, std::int32_t position);

    // Shut-down, in this order: AssistNames (write [Assist]); RemoveHook;
    // ClearAssists.
    std::vector<std::string> AssistNames() const { return m_catalogue.AssistNames(); }
    std::vector<std::string> AssistSectionLines() const { return m_catalogue.AssistSectionLines(); }
    std::string AssistSectionData() const { return m_catalogue.AssistSectionData(); }
    void ClearAssists();

    // The window procedure: HookWndProc replaces the window's procedure and
    // keeps the previous one, which it calls on; RemoveHook puts it back.
    void InstallHook();
    void RemoveHook();
    // The procedure under the hook, which gets every message the hook passes
    // on (other programs' messages than the assists' commands); returns the
    // one it replaces. Does nothing and returns nothing without a window.
    platform::WindowProcedure SetBaseProcedure(platform::WindowProcedure procedure);
    std::int32_t HookWndProc(const platform::WindowMessage& message);

    // Menu and commands.
    void mnuP1AEnum_Click(int index);
    void CloseAssist(platform::WindowHandle hwnd) { m_catalogue.MarkClosed(hwnd); }
    void SetVolumeFromAssist(std::int32_t volume) { m_decoder->SetVolumeFromAssist(volume); }

    // Notifications (see AssistBroadcaster).
    void NotifyAssists(std::uint32_t code) { m_broadcaster->NotifyAssists(code); }
    void NotifyVolume() { m_broadcaster->NotifyVolume(); }
    void SendAnalyze(const protocol::AnalyzeRecord& record) { m_broadcaster->SendAnalyze(record); }
    void SetSongInfo(SongInfoField field, std::string_view text) { m_broadcaster->SetSongInfo(field, text); }
    const protocol::SongInfoRecord& SongInfo() const { return m_broadcaster->SongInfo(); }

    const std::vector<ClsZelkoAssist>& Assists() const { return m_catalogue.Assists(); }
    bool AssistReady() const { return m_assistReady; }
    bool InHook() const { return m_inHook; }
    // The player's window handle (0 when no message window could be opened).
    platform::WindowHandle Handle() const;
    platform::MessageWindow* Window() { return m_window.get(); }
    const std::string& WindowError() const { return m_windowError; }
    // Processes pending events and requests (DoEvents).
    void ProcessPendingEvents();

private:
    void CloseAssistWindow(ClsZelkoAssist& entry);

    std::filesystem::path m_appPath;
    Options m_options;
    std::unique_ptr<platform::MessageWindow> m_window;
    std::string m_windowError;
    AssistCatalogue m_catalogue;
    std::unique_ptr<AssistBroadcaster> m_broadcaster;
    std::unique_ptr<AssistCommandDecoder> m_decoder;
    platform::WindowProcedure m_previousProcedure;
    bool m_inHook = false;
    bool m_assistReady = false;
    bool m_hookInstalled = false;
};

} // namespace assisthost
