// The real program: its long options, and its orderly end on SIGTERM while
// it plays (play list and settings saved, as closing the window does).
#include "PlayerTestSupport.h"

#include "platform/MessageWindow.h"
#include "platform/ProfileFile.h"
#include "protocol/CommandWords.h"

#include <QProcess>

#include <csignal>
#include <fstream>

namespace playertest {
namespace {

struct RunResult {
    int exitCode = -1;
    std::string out;
};

RunResult RunProgram(const QStringList& arguments)
{
    QProcess process;
    process.start(QString::fromUtf8(ZELKO_PROGRAM_DIR "/Zelko"), arguments);
    process.waitForFinished(20000);
    return {process.exitCode(), process.readAllStandardOutput().toStdString()};
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        if (!testsupport::PlayerProgram::Built())
            GTEST_SKIP() << "the program is not built";
    }
};

TEST_F(ProgramTest, LongOptionsPrintAndExitAndCheckSkinJudgesASkin)
{
    const RunResult version = RunProgram({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("Zelko ", 0), 0u);
    EXPECT_NE(RunProgram({"--no-such-option"}).exitCode, 0);

    const RunResult good = RunProgram({"--check-skin", QString::fromUtf8(ZELKO_PROGRAM_DIR "/Skins/Carbon")});
    EXPECT_EQ(good.exitCode, 0) << good.out;
    ProgramFolder folder(false);
    const fs::path broken = folder.Path() / "Broken";
    fs::create_directories(broken);
    std::ofstream(broken / "Broken.zks") << "[body]\nmain=addrect(0,0,10)\n";
    const RunResult bad = RunProgram({"--check-skin", QString::fromStdString(broken.string())});
    EXPECT_NE(bad.exitCode, 0);
    EXPECT_NE(bad.out.find("Broken.zks"), std::string::npos) << bad.out;
}

TEST_F(ProgramTest, SigtermWhilePlayingSavesListAndSettings)
{
    ProgramFolder folder;
    const std::vector<std::string> tracks = {Tones::Instance().Get(3.0, "Signal 1"),
                                             Tones::Instance().Get(3.0, "Signal 2")};
    folder.WriteList(tracks);
    folder.WriteIni("[PlayInfo]\nVolume=33\n[PlayListWindow]\nPosition=2\n");
    const fs::path wav = folder.Path() / "heard.wav";
    testsupport::PlayerProgram player(folder.Path(), {}, {{"ZELKO_AUDIO", QString::fromStdString("wav:" + wav.string())}});
    const auto handle = static_cast<platform::WindowHandle>(player.Pid());

    // Start playback as an assist would: a play command to the player's window.
    platform::MessageWindow::OpenResult me = platform::MessageWindow::Open(
        [](const platform::WindowMessage&) { return 0; });
    ASSERT_TRUE(me.Window) << me.Error;
    ASSERT_TRUE(WaitFor([&] { return me.Window->IsWindow(handle); }, 10000));
    // The endpoint listens before the player's event loop first turns; on a loaded machine a send may
    // time out until it does, so the command is sent again until one is delivered.
    EXPECT_TRUE(WaitFor(
        [&] { return me.Window->SendMessage(handle, platform::WM_USER, protocol::CmdPlay, 0).Delivered(); },
        10000));
    ASSERT_TRUE(WaitFor([&] { return fs::exists(wav) && fs::file_size(wav) > 44; }, 5000));

    ::kill(static_cast<pid_t>(player.Pid()), SIGTERM);
    ASSERT_TRUE(player.Process().waitForFinished(10000));
    EXPECT_EQ(player.Process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(player.Process().exitCode(), 0);

    EXPECT_EQ(folder.ReadFile(folder.List()), tracks[0] + "\r\n" + tracks[1] + "\r\n");
    const platform::ProfileFile ini = platform::ProfileFile::Load(folder.Ini().string());
    EXPECT_EQ(ini.Value("PlayInfo", "Volume"), "33");
    EXPECT_EQ(ini.Value("PlayListWindow", "Position"), "2");
    EXPECT_EQ(ini.Value("Skin", "File"), "Carbon.zks");
}

} // namespace
} // namespace playertest
