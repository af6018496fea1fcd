// The handshake with the real assist programs, started by the host as the
// player starts them.
#include "player/assisthost/ClsZelkoAssistHost.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <cstdlib>
#include <sys/types.h>

#include "platform/MessagingTestSupport.h"
#include "player/assisthost/AssistHostTestSupport.h"
#include "support/ScopedEnvironment.h"

using namespace std::chrono_literals;
using testsupport::FakePlayer;
using testsupport::TempEndpointDir;

namespace {

// Running, and not merely an ended process that its new parent (the
// system's first process) has not collected yet.
bool ProcessAlive(pid_t pid)
{
    if (pid <= 0 || ::kill(pid, 0) != 0)
        return false;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const auto close = line.rfind(')');
    return close == std::string::npos || close + 2 >= line.size() || line[close + 2] != 'Z';
}

// Ends whatever assist processes a test leaves behind.
class ProcessReaper {
public:
    void Add(pid_t pid) { m_pids.push_back(pid); }
    ~ProcessReaper()
    {
        for (pid_t pid : m_pids)
            if (ProcessAlive(pid))
                ::kill(pid, SIGKILL);
    }

private:
    std::vector<pid_t> m_pids;
};

template <typename Condition>
bool PumpUntil(ClsZelkoAssistHost& host, Condition done, std::chrono::milliseconds limit)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        host.ProcessPendingEvents();
        host.Window()->WaitAndDispatch(20ms);
    }
    return true;
}

} // namespace

// RemoteZKA and ScopeZKA started as the player starts them, with endpoints in
// a runtime folder of the test's own.
TEST(AssistProcess, RealAssistsLinkTakeCommandsCloseAndSurviveAKill)
{
    testsupport::TestApp();
    TempEndpointDir runtimeDir;
    testsupport::ScopedEnvironment runtime("XDG_RUNTIME_DIR", runtimeDir.Path().c_str());
    TempEndpointDir appDir;
    const std::filesystem::path assistDir = appDir.Path() / "Assist";
    std::filesystem::create_directory(assistDir);
    for (const char* name : { "RemoteZKA", "ScopeZKA" }) {
        const std::filesystem::path built = std::filesystem::path(ZELKO_PROGRAM_DIR) / "Assist" / name;
        ASSERT_TRUE(std::filesystem::exists(built)) << built;
        std::filesystem::create_symlink(built, assistDir / name);
    }

    FakePlayer player;
    player.State.Volume = 80;
    QMenu menu;
    // The wait for each announcement ends when it arrives; a machine busy
    // with the rest of the suite may need far longer than the usual 5.5 s
    // to start an instrumented assist.
    ClsZelkoAssistHost::Options options;
    options.WaitRounds = 60;
    ClsZelkoAssistHost host(player, menu, appDir.Path().string() + "/", options);
    ASSERT_NE(host.Window(), nullptr) << host.WindowError();
    player.Host = &host;
    host.EnumAssists();
    host.SelectAssistFromIni("ExecuteFile=RemoteZKA");
    host.SelectAssistFromIni("ExecuteFile=ScopeZKA");
    host.InstallHook();
    ProcessReaper reaper;

    host.ExecuteSelectedAssists();
    ASSERT_EQ(host.Assists().size(), 2u);
    const pid_t remote = host.Assists()[0].hwnd();
    const pid_t scope = host.Assists()[1].hwnd();
    reaper.Add(remote);
    reaper.Add(scope);
    ASSERT_TRUE(host.Assists()[0].Enabled());
    ASSERT_TRUE(host.Assists()[1].Enabled());
    EXPECT_TRUE(ProcessAlive(remote));
    EXPECT_TRUE(ProcessAlive(scope));

    // RemoteZKA asks for the play state at once; its volume bar then moves to
    // 80 and reports it back, which the busy hook does not act on.
    ASSERT_TRUE(PumpUntil(host, [&] { return player.State.DecoderState == 1; }, 5000ms));
    player.State.DecoderState = 0;
    EXPECT_TRUE(PumpUntil(host, [] { return false; }, 200ms) == false);
    EXPECT_EQ(player.Count("Volume 80"), 0);

    // A volume change of the player's own is reported back once and acted on.
    player.State.Volume = 30;
    host.NotifyVolume();
    PumpUntil(host, [&] { return player.Count("Volume 30") > 0; }, 2000ms);
    EXPECT_EQ(player.Count("Volume 30"), 1);

    // Every tick reaches both.
    host.NotifyAssists(protocol::NotifyPlay);
    protocol::AnalyzeRecord analyze {};
    for (int i = 0; i < 20; ++i) {
        analyze.PlayMs = i * 10;
        analyze.Spectrum1.fill(i * 8);
        host.SendAnalyze(analyze);
    }
    EXPECT_TRUE(host.Assists()[0].Enabled());
    EXPECT_TRUE(host.Assists()[1].Enabled());

    // Choosing RemoteZKA in the menu closes it; it reports its close while
    // the close command is being sent. Chosen again, it starts again.
    host.mnuP1AEnum_Click(0);
    EXPECT_FALSE(host.Assists()[0].Selected());
    EXPECT_FALSE(host.Assists()[0].Enabled());
    EXPECT_FALSE(menu.actions()[0]->isChecked());
    EXPECT_TRUE(PumpUntil(host, [&] { return !ProcessAlive(remote); }, 5000ms));
    menu.actions()[0]->trigger();
    ASSERT_TRUE(host.Assists()[0].Enabled());
    const pid_t again = host.Assists()[0].hwnd();
    reaper.Add(again);
    EXPECT_TRUE(menu.actions()[0]->isChecked());

    // A killed ScopeZKA costs the player nothing; it stays selected and linked.
    ::kill(scope, SIGKILL);
    PumpUntil(host, [&] { return !ProcessAlive(scope); }, 5000ms);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 50; ++i)
        host.SendAnalyze(analyze);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 200ms);
    EXPECT_TRUE(host.Assists()[1].Selected());

    // Shut-down order: section taken, hook out, then the running assists closed.
    EXPECT_EQ(host.AssistSectionLines(), (std::vector<std::string>{"ExecuteFile=RemoteZKA", "ExecuteFile=ScopeZKA"}));
    host.RemoveHook();
    host.ClearAssists();
    EXPECT_TRUE(host.Assists().empty());
    EXPECT_TRUE(PumpUntil(
        host, [&] { return !ProcessAlive(again); }, 5000ms));
}
