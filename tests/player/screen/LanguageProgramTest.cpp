// The real program on the X display chooses its language before its first
// window, from LANG or from [Window] Language: the Properties dialog opened
// with Ctrl+R is captioned in it on the X server, and the assists the player
// starts are told the choice.
#include "ScreenSupport.h"

#include <fstream>
#include <sstream>

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
    // Starts the program with only LANG of the locale variables set, opens
    // the Properties dialog as the user does (Ctrl+R on the main window) and
    // returns its caption as the X server holds it ("" when it did not
    // appear). The keys are pressed again until the dialog shows, as the
    // window may be mapped before the player reads keys.
    std::string PropertiesCaption(const ProgramFolder& folder, const QString& lang)
    {
        StartProgram(folder, {{"LANG", lang}, {"LANGUAGE", ""}, {"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"ZELKO_LANGUAGE", ""}});
        const std::string main = WaitForWindow("--classname '^Zelko$'");
        const std::string mainName = Output("xdotool getwindowname " + main);
        for (int attempt = 0; attempt < 50 && !main.empty(); ++attempt) {
            std::system(("xdotool windowfocus --sync " + main + " keydown ctrl key r keyup ctrl sleep 0.2").c_str());
            std::istringstream ids(Output("xdotool search --onlyvisible --pid " + Pid() + " 2>/dev/null"));
            for (std::string id; std::getline(ids, id);) {
                const std::string name = Output("xdotool getwindowname " + id);
                if (name != mainName && name.starts_with("Zelko Deck "))
                    return name;
            }
        }
        return std::string();
    }
};

} // namespace

TEST_F(LanguageProgramTest, AnEnglishLocaleGivesEnglish)
{
    ProgramFolder folder;
    folder.WriteIni("[Window]\nLeft=40\nTop=30\n");
    EXPECT_EQ(PropertiesCaption(folder, "en_US.UTF-8"), "Zelko Deck Properties");
    EXPECT_TRUE(Terminate());
}

// Under the C locale the setting alone gives English, and the assist the
// player starts is told so.
TEST_F(LanguageProgramTest, TheSettingOverridesTheLocaleAndIsHandedToTheAssists)
{
    ProgramFolder folder;
    fs::create_directories(folder.Path() / "Assist");
    fs::create_symlink(fs::path(ZELKO_PROGRAM_DIR) / "Assist" / "ScopeZKA", folder.Path() / "Assist" / "ScopeZKA");
    folder.WriteIni("[Assist]\nExecuteFile=ScopeZKA\n[Window]\nLeft=40\nTop=30\nLanguage=en\n");
    EXPECT_EQ(PropertiesCaption(folder, "C.UTF-8"), "Zelko Deck Properties");

    // The assist runs detached from the player; its window names its process.
    const std::string scope = Output("timeout 30 xdotool search --sync --onlyvisible --name '^Visual - ZKAssist$' "
                                     "2>/dev/null | head -n 1");
    ASSERT_FALSE(scope.empty()) << "the assist did not show its window";
    const std::string assist = Output("xdotool getwindowpid " + scope);
    ASSERT_FALSE(assist.empty());
    const std::string environment = FileText(fs::path("/proc") / assist / "environ");
    EXPECT_NE(environment.find(std::string("ZELKO_LANGUAGE=en") + '\0'), std::string::npos);
    EXPECT_TRUE(Terminate());
    // The player closes its assists as it ends; one left behind is ended here.
    if (FileText(fs::path("/proc") / assist / "cmdline").find("ScopeZKA") != std::string::npos)
        ::kill(static_cast<pid_t>(std::stol(assist)), SIGTERM);
}
