// The real program on the X display chooses its language before its first
// window: the Properties dialog opened with Ctrl+R is captioned in the
// language of LANG or of [Window] Language, which the program writes back,
// and the assists it starts are told the choice.
#include "ScreenSupport.h"

#include "platform/ProfileFile.h"

#include <algorithm>
#include <fstream>
#include <vector>

using namespace screentest;
namespace fs = std::filesystem;

namespace {

std::string FileText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

class LanguageProgramTest : public RunningProgramTest {
protected:
    // Starts the program with only LANG of the locale variables set.
    void Start(const ProgramFolder& folder, const QString& lang)
    {
        StartProgram(folder, {{"LANG", lang}}, {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "ZELKO_LANGUAGE"});
    }

    // Opens the Properties dialog as the user does (Ctrl+R on the main
    // window) and returns its caption as the X server holds it ("" when it
    // did not appear). The keys are pressed again until the dialog shows, as
    // the window may be mapped before the player reads keys.
    std::string PropertiesCaption()
    {
        const std::string main = WaitForWindow("--classname '^Zelko$'");
        if (main.empty()) return std::string();
        const std::string mainName = Output("xdotool getwindowname " + main);
        for (int attempt = 0; attempt < 50; ++attempt) {
            std::system(("xdotool windowfocus --sync " + main + " keydown ctrl key r keyup ctrl sleep 0.2").c_str());
            const std::string ids = Output("xdotool search --onlyvisible --pid " + Pid() + " 2>/dev/null");
            for (std::size_t start = 0; start < ids.size();) {
                const std::size_t end = std::min(ids.find('\n', start), ids.size());
                const std::string name = Output("xdotool getwindowname " + ids.substr(start, end - start));
                if (name != mainName && name.rfind("Zelko Deck ", 0) == 0) return name;
                start = end + 1;
            }
        }
        return std::string();
    }

    // Ends the program the normal way and returns the settings it wrote.
    platform::ProfileFile Stop(const ProgramFolder& folder)
    {
        EXPECT_TRUE(Terminate());
        return platform::ProfileFile::Load(folder.Ini().string());
    }
};

} // namespace

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
