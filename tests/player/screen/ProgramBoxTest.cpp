// The real program's message box on the X display: shown when no skin at
// all can be loaded (then the program ends with an error), and closed by a
// signal, which ends the program the normal way.
#include "ScreenSupport.h"

#include "platform/ProfileFile.h"

#include <QProcess>

#include <csignal>
#include <cstdio>
#include <memory>

using namespace screentest;
namespace fs = std::filesystem;

namespace {

// Runs a shell command and returns what it printed, without the last newline.
std::string Output(const std::string& command)
{
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) return std::string();
    std::string text;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe.get())) text += buffer;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

class ProgramBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QApplication::instance()) GTEST_SKIP() << "no X display";
        if (!fs::exists(fs::path(ZELKO_PROGRAM_DIR) / "Zelko")) GTEST_SKIP() << "the program is not built";
        m_displayLock = std::make_unique<DisplayLock>();
    }
    void TearDown() override
    {
        if (m_player.state() != QProcess::NotRunning) {
            m_player.kill();
            m_player.waitForFinished(5000);
        }
        m_displayLock.reset();
    }

    // Starts the program in the folder on this display, as "/develop".
    void Start(const ProgramFolder& folder)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("ZELKO_AUDIO", "null");
        env.insert("ASAN_OPTIONS", "strict_string_checks=1:detect_leaks=0:suppressions=" ZELKO_SOURCE_DIR
                                   "/tests/player/screen/asan.supp");
        m_player.setProcessEnvironment(env);
        m_player.setWorkingDirectory(QString::fromStdString(folder.Path().string()));
        m_player.start(QString::fromUtf8(ZELKO_PROGRAM_DIR "/Zelko"), {"/develop"});
        ASSERT_TRUE(m_player.waitForStarted(5000));
    }

    // The X window of the program's message box once it is on the screen
    // (captioned with the application's title), or "" after half a minute.
    std::string WaitForBox()
    {
        return Output("timeout 30 xdotool search --sync --onlyvisible --pid " + std::to_string(m_player.processId()) +
                      " --name '^Zelko Deck$' 2>/dev/null | head -n 1");
    }

    std::unique_ptr<DisplayLock> m_displayLock;
    QProcess m_player;
};

TEST_F(ProgramBoxTest, WithoutAnySkinTheMessageIsShownAndTheProgramFails)
{
    ProgramFolder folder(false);  // an empty Skins folder, nothing configured
    Start(folder);
    const std::string box = WaitForBox();
    ASSERT_FALSE(box.empty()) << "no message box";
    // The user presses Enter on the box's OK button.
    std::system(("xdotool windowfocus --sync " + box + " key --clearmodifiers Return").c_str());
    ASSERT_TRUE(m_player.waitForFinished(30000));
    EXPECT_EQ(m_player.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(m_player.exitCode(), 0);
    const std::string err = m_player.readAllStandardError().toStdString();
    EXPECT_NE(err.find(folder.Folder() + "Skins/"), std::string::npos) << err;
    // Shut-down ran: the settings were written.
    EXPECT_TRUE(fs::exists(folder.Ini()));
}

TEST_F(ProgramBoxTest, ASignalClosesTheMessageBoxAndEndsTheProgramTheNormalWay)
{
    ProgramFolder folder;
    const std::vector<std::string> tracks = {Tones::Instance().Get(1.0, "Box 1"), Tones::Instance().Get(1.0, "Box 2")};
    folder.WriteList(tracks);
    folder.WriteIni("[Skin]\nPath=" + folder.Folder() + "Skins/Gone/\nFile=Gone.zks\n[PlayInfo]\nVolume=33\n");
    Start(folder);
    ASSERT_FALSE(WaitForBox().empty()) << "no message box";

    ::kill(static_cast<pid_t>(m_player.processId()), SIGTERM);
    ASSERT_TRUE(m_player.waitForFinished(30000)) << "the message box still waits for a click";
    EXPECT_EQ(m_player.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_player.exitCode(), 0);
    EXPECT_EQ(folder.ReadFile(folder.List()), tracks[0] + "\r\n" + tracks[1] + "\r\n");
    const platform::ProfileFile ini = platform::ProfileFile::Load(folder.Ini().string());
    EXPECT_EQ(ini.Value("PlayInfo", "Volume"), "33");
    EXPECT_EQ(ini.Value("Skin", "File"), "Gone.zks");
}

} // namespace
