// The real program ends the normal way on a termination signal while its
// message box waits for the user: the box is closed and the settings saved.
#include "ScreenSupport.h"

#include "platform/ProfileFile.h"

#include <QProcess>

#include <csignal>

using namespace screentest;

TEST(ProgramBoxTest, ASignalClosesTheMessageBoxAndEndsTheProgramTheNormalWay)
{
    if (!QApplication::instance())
        GTEST_SKIP() << "no X display";
    if (!testsupport::PlayerProgram::Built())
        GTEST_SKIP() << "the program is not built";
    const DisplayLock lock;
    ProgramFolder folder;
    folder.WriteIni("[Skin]\nPath=" + folder.Folder() + "Skins/Gone/\nFile=Gone.zks\n[PlayInfo]\nVolume=33\n");
    testsupport::PlayerProgram program(folder.Path(), QStringList(),
                                       {{"QT_QPA_PLATFORM", "xcb"},
                                        {"ASAN_OPTIONS", "strict_string_checks=1:detect_leaks=0:suppressions=" ZELKO_SOURCE_DIR "/tests/player/screen/asan.supp"}});
    // The box is captioned with the application's title.
    QProcess search;
    search.start("timeout", {"30", "xdotool", "search", "--sync", "--onlyvisible", "--pid", QString::number(program.Pid()), "--name", "^Zelko Deck$"});
    ASSERT_TRUE(search.waitForFinished(40000) && !search.readAllStandardOutput().isEmpty()) << "no message box";
    ::kill(static_cast<pid_t>(program.Pid()), SIGTERM);
    ASSERT_TRUE(program.Process().waitForFinished(30000)) << "the message box still waits for a click";
    EXPECT_EQ(program.Process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.Process().exitCode(), 0);
    EXPECT_EQ(platform::ProfileFile::Load(folder.Ini().string()).Value("PlayInfo", "Volume"), "33");
}
