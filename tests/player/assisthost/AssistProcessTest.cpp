#include "player/assisthost/ClsZelkoAssistHost.h"

#include <QMenu>

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <cstdlib>
#include <sys/types.h>

#include "platform/MessagingTestSupport.h"
#include "player/assisthost/AssistHostTestSupport.h"
#include "support/ScopedEnvironment.h"

using namespace assisthost;

using namespace std::chrono_literals;
using testsupport::FakePlayer;
using testsupport::TempEndpointDir;

namespace {

// Running, and not a zombie that its new parent has not collected yet.
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

TEST(AssistProcess, RealAssistsStartLinkAndCloseAtShutDown)
{
    testsupport::TestApp();
    TempEndpointDir runtimeDir;
    testsupport::ScopedEnvironment runtime("XDG_RUNTIME_DIR", runtimeDir.Path().c_str());
    TempEndpointDir appDir;
    const std::filesystem::path assistDir = appDir.Path() / "Assist";
    std::filesystem::create_directory(assistDir);
    for (const char* name : {"RemoteZKA", "ScopeZKA"}) {
        const std::filesystem::path built = std::filesystem::path(ZELKO_PROGRAM_DIR) / "Assist" / name;
        ASSERT_TRUE(std::filesystem::exists(built)) << built;
        std::filesystem::create_symlink(built, assistDir / name);
    }

    FakePlayer player;
    QMenu menu;
    // A busy machine may need far longer than the usual wait to start an instrumented assist.
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

    // RemoteZKA asks for the play state at once, which reads the decoder.
    ASSERT_TRUE(PumpUntil(
        host, [&] { return player.State.DecoderState == 1; }, 5000ms));

    // Shut-down order: section taken, hook out, then the running assists closed.
    EXPECT_EQ(host.AssistSectionLines(), (std::vector<std::string>{"ExecuteFile=RemoteZKA", "ExecuteFile=ScopeZKA"}));
    host.RemoveHook();
    host.ClearAssists();
    EXPECT_TRUE(host.Assists().empty());
    EXPECT_TRUE(PumpUntil(
        host, [&] { return !ProcessAlive(remote) && !ProcessAlive(scope); }, 5000ms));
}
