// The real program on the X display chooses its language before its first
// window: the Properties dialog opened with Ctrl+R is captioned in the
// language of LANG or of [Window] Language, which the program writes back,
// and the assists it starts are told the choice.
#include "ScreenSupport.h"

#include "platform/ProfileFile.h"

#include <QProcess>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <algorithm>
#include <memory>
#include <vector>

using namespace screentest;
namespace fs = std::filesystem;

namespace {

std::string Output(const std::string& command)
{
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe)
        return std::string();
    std::string text;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe.get()))
        text += buffer;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

std::string FileText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

class LanguageProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QApplication::instance())
            GTEST_SKIP() << "no X display";
        if (!fs::exists(fs::path(ZELKO_PROGRAM_DIR) / "Zelko"))
            GTEST_SKIP() << "the program is not built";
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

    // Starts the program in the folder ("/develop") with only LANG of the
    // locale variables set.
    void Start(const ProgramFolder& folder, const QString& lang)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "ZELKO_LANGUAGE"})
            env.remove(name);
        env.insert("LANG", lang);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("ZELKO_AUDIO", "null");
        env.insert("ASAN_OPTIONS", "strict_string_checks=1:detect_leaks=0:suppressions=" ZELKO_SOURCE_DIR "/tests/player/screen/asan.supp");
        m_player.setProcessEnvironment(env);
        m_player.setWorkingDirectory(QString::fromStdString(folder.Path().string()));
        m_player.start(QString::fromUtf8(ZELKO_PROGRAM_DIR "/Zelko"), {"/develop"});
        ASSERT_TRUE(m_player.waitForStarted(5000));
    }

    std::string Pid() const { return std::to_string(m_player.processId()); }

    // The names of the program's visible windows.
    std::vector<std::string> WindowNames()
    {
        std::vector<std::string> names;
        const std::string ids = Output("xdotool search --onlyvisible --pid " + Pid() + " 2>/dev/null");
        std::size_t start = 0;
        while (start < ids.size()) {
            const std::size_t end = std::min(ids.find('\n', start), ids.size());
            names.push_back(Output("xdotool getwindowname " + ids.substr(start, end - start)));
            start = end + 1;
        }
        return names;
    }

    // Opens the Properties dialog as the user does (Ctrl+R on the main
    // window) and returns its caption as the X server holds it ("" when it
    // did not appear). The keys are pressed again until the dialog shows, as
    // the window may be mapped before the player reads keys.
    std::string PropertiesCaption()
    {
        const std::string main = Output("timeout 30 xdotool search --sync --onlyvisible --pid " + Pid() +
                                        " --classname '^Zelko$' 2>/dev/null | head -n 1");
        if (main.empty()) return std::string();
        const std::string mainName = Output("xdotool getwindowname " + main);
        for (int attempt = 0; attempt < 50; ++attempt) {
            std::system(("xdotool windowfocus --sync " + main + " keydown ctrl key r keyup ctrl sleep 0.2").c_str());
            for (const std::string& name : WindowNames())
                if (name != mainName && name.rfind("Zelko Deck ", 0) == 0) return name;
        }
        return std::string();
    }

    // Ends the program the normal way and returns the settings it wrote.
    platform::ProfileFile Stop(const ProgramFolder& folder)
    {
        ::kill(static_cast<pid_t>(m_player.processId()), SIGTERM);
        EXPECT_TRUE(m_player.waitForFinished(30000));
        EXPECT_EQ(m_player.exitCode(), 0);
        return platform::ProfileFile::Load(folder.Ini().string());
    }

    std::unique_ptr<DisplayLock> m_displayLock;
    QProcess m_player;
};

TEST_F(LanguageProgramTest, AnEnglishLocaleGivesEnglishAndAnOlderSettingsFileKeepsItsKeys)
{
    ProgramFolder folder;
    folder.WriteIni("[PlayInfo]\nVolume=44\n[Window]\nLeft=40\nTop=30\n");
    Start(folder, "en_US.UTF-8");
    EXPECT_EQ(PropertiesCaption(), "Zelko Deck Properties");
    const platform::ProfileFile ini = Stop(folder);
    EXPECT_FALSE(ini.Value("Window", "Language").has_value());
    EXPECT_EQ(ini.Value("PlayInfo", "Volume"), "44");
}

TEST_F(LanguageProgramTest, AJapaneseLocaleKeepsTheJapaneseCaption)
{
    ProgramFolder folder;
    folder.WriteIni("[Window]\nLeft=40\nTop=30\n");
    Start(folder, "ja_JP.UTF-8");
    EXPECT_EQ(PropertiesCaption(), "Zelko Deck のﾌﾟﾛﾊﾟﾃｨ");
    Stop(folder);
}

// Under the C locale the setting alone gives English, and the assist the
// player starts is told so.
TEST_F(LanguageProgramTest, TheSettingOverridesTheLocaleAndIsHandedToTheAssists)
{
    ProgramFolder folder;
    fs::create_directories(folder.Path() / "Assist");
    fs::create_symlink(fs::path(ZELKO_PROGRAM_DIR) / "Assist" / "ScopeZKA", folder.Path() / "Assist" / "ScopeZKA");
    folder.WriteIni("[Assist]\nExecuteFile=ScopeZKA\n[Window]\nLeft=40\nTop=30\nLanguage=en\n");
    Start(folder, "C.UTF-8");
    EXPECT_EQ(PropertiesCaption(), "Zelko Deck Properties");

    // The assist runs detached from the player; its window names its process.
    const std::string scope = Output("timeout 30 xdotool search --sync --onlyvisible --name '^Visual - ZKAssist$' "
                                     "2>/dev/null | head -n 1");
    ASSERT_FALSE(scope.empty()) << "the assist did not show its window";
    const std::string assist = Output("xdotool getwindowpid " + scope);
    ASSERT_FALSE(assist.empty());
    const std::string environment = FileText(fs::path("/proc") / assist / "environ");
    EXPECT_NE(environment.find(std::string("ZELKO_LANGUAGE=en") + '\0'), std::string::npos);

    EXPECT_EQ(Stop(folder).Value("Window", "Language"), "en");
    // The player closes its assists as it ends; one left behind is ended here.
    if (FileText(fs::path("/proc") / assist / "cmdline").find("ScopeZKA") != std::string::npos)
        ::kill(static_cast<pid_t>(std::stol(assist)), SIGTERM);
}

} // namespace
