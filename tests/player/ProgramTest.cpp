// The real program's orderly end on SIGTERM while it plays: play list and
// settings saved, as closing the window does.
#include "PlayerTestSupport.h"

#include "platform/MessageWindow.h"
#include "platform/ProfileFile.h"
#include "protocol/CommandWords.h"

#include <QProcess>

#include <csignal>

namespace playertest {
namespace {

TEST(ProgramTest, SigtermWhilePlayingSavesListAndSettings)
{
    if (!testsupport::PlayerProgram::Built())
        GTEST_SKIP() << "the program is not built";
    ProgramFolder folder;
    const std::vector<std::string> tracks = {Tones::Instance().Get(3.0, "Signal 1"),
                                             Tones::Instance().Get(3.0, "Signal 2")};
    folder.WriteList(tracks);
    folder.WriteIni("[PlayInfo]\nVolume=33\n[PlayListWindow]\nPosition=2\n");
    const fs::path wav = folder.Path() / "heard.wav";
    testsupport::PlayerProgram player(folder.Path(), {}, {{"ZELKO_AUDIO", QString::fromStdString("wav:" + wav.string())}});
    const auto handle = static_cast<platform::WindowHandle>(player.Pid());

    // Playback started as an assist would: a play command to the player's window.
    platform::MessageWindow::OpenResult me = platform::MessageWindow::Open(
        [](const platform::WindowMessage&) { return 0; });
    ASSERT_TRUE(me.Window) << me.Error;
    ASSERT_TRUE(WaitFor([&] { return me.Window->IsWindow(handle); }, 10000));
    // On a loaded machine a send may time out until the player's event loop first turns.
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
