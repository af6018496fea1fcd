// The real program ends in order on SIGTERM while it plays: play list and
// settings saved, as closing the window does.
#include "PlayerTestSupport.h"

#include "platform/MessageWindow.h"
#include "platform/ProfileFile.h"
#include "protocol/CommandWords.h"

#include <QProcess>

#include <csignal>

namespace playertest {
namespace {

TEST(SignalTest, SigtermWhilePlayingSavesListAndSettings) {
    EnsureApplication();
    const fs::path program = fs::path(ZELKO_PROGRAM_DIR) / "Zelko";
    if (!fs::exists(program)) GTEST_SKIP() << "the program is not built: " << program;

    ProgramFolder folder;
    const std::vector<std::string> tracks = {Tones::Instance().Get(3.0, "Signal 1"),
                                             Tones::Instance().Get(3.0, "Signal 2")};
    folder.WriteList(tracks);
    folder.WriteIni("[PlayInfo]\nVolume=33\n[PlayListWindow]\nPosition=2\n");
    const fs::path wav = folder.Path() / "heard.wav";

    QProcess player;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ZELKO_AUDIO", QString::fromStdString("wav:" + wav.string()));
    player.setProcessEnvironment(env);
    player.setWorkingDirectory(QString::fromStdString(folder.Path().string()));
    player.start(QString::fromStdString(program.string()), {"/develop"});
    ASSERT_TRUE(player.waitForStarted(5000));
    const auto handle = static_cast<platform::WindowHandle>(player.processId());

    // Start playback as an assist would: a play command to the player's window.
    platform::MessageWindow::OpenResult me = platform::MessageWindow::Open(
        [](platform::WindowHandle, std::uint32_t, std::uint32_t, std::intptr_t) { return 0; });
    ASSERT_TRUE(me.Window) << me.Error;
    ASSERT_TRUE(WaitFor([&] { return me.Window->IsWindow(handle); }, 10000));
    const platform::SendOutcome sent = me.Window->SendMessage(handle, platform::WM_USER, protocol::CmdPlay, 0);
    EXPECT_TRUE(sent.Delivered());
    ASSERT_TRUE(WaitFor([&] { return fs::exists(wav) && fs::file_size(wav) > 44; }, 5000));

    ::kill(static_cast<pid_t>(player.processId()), SIGTERM);
    ASSERT_TRUE(player.waitForFinished(10000));
    EXPECT_EQ(player.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(player.exitCode(), 0);

    EXPECT_EQ(folder.ReadFile(folder.List()), tracks[0] + "\r\n" + tracks[1] + "\r\n");
    const platform::ProfileFile ini = platform::ProfileFile::Load(folder.Ini().string());
    EXPECT_EQ(ini.Value("PlayInfo", "Volume"), "33");
    EXPECT_EQ(ini.Value("PlayListWindow", "Position"), "2");
    EXPECT_EQ(ini.Value("Skin", "File"), "Carbon.zks");
    // No temporary files of the atomic replacement are left behind.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder.Path())) ++entries;
    EXPECT_EQ(entries, 4);  // Skins, Zelko.ini, Zelko.m3u, heard.wav
}

} // namespace
} // namespace playertest
