// A full disk and a kill in mid-save: the files are always a whole old or new file.
#include "PlayerTestSupport.h"

#include "platform/MessageWindow.h"
#include "player/playback/PlayListFile.h"
#include "player/shell/ZelkoSettings.h"

#include <QProcess>

#include <csignal>
#include <fstream>
#include <random>
#include <set>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace playback;
using namespace shell;

namespace playertest {
namespace {

std::vector<std::string> StrayFiles(const fs::path& folder)
{
    std::vector<std::string> stray;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("Zelko.ini.") || name.starts_with("Zelko.m3u.")) stray.push_back(name);
    }
    return stray;
}

TEST(MachineFaultTest, AFullDiskAtExitKeepsTheOldFilesWholeLogsAndExitsNormally)
{
    if (!testsupport::PlayerProgram::Built())
        GTEST_SKIP() << "the program is not built";
    ProgramFolder folder;

    // Old files larger than the limit below; the run log stays within it.
    std::string ini = "[PlayInfo]\r\nVolume=33\r\n[Notes]\r\n";
    for (int i = 0; ini.size() < 6000; ++i)
        ini += "Line" + std::to_string(i) + "=kept as it was\r\n";
    folder.WriteIni(ini);
    std::vector<std::string> listed;
    for (int i = 0; i < 60; ++i) {
        // Distinct paths to the same few tones.
        const fs::path link = folder.Path() / ("track-" + std::to_string(i) + "-with-a-long-name-that-fills-the-list.mp3");
        fs::create_symlink(Tones::Instance().Get(1.0, "Full " + std::to_string(i % 3)), link);
        listed.push_back(link.string());
    }
    folder.WriteList(listed);
    const std::string oldList = folder.ReadFile(folder.List());
    ASSERT_GT(oldList.size(), 4096u);

    testsupport::PlayerProgram player(folder.Path(), {"/log"}, {}, [] {
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    platform::MessageWindow::OpenResult me = platform::MessageWindow::Open(
        [](const platform::WindowMessage&) { return 0; });
    ASSERT_TRUE(me.Window) << me.Error;
    const auto handle = static_cast<platform::WindowHandle>(player.Pid());
    ASSERT_TRUE(WaitFor([&] { return me.Window->IsWindow(handle); }, 15000));
    ::kill(static_cast<pid_t>(player.Pid()), SIGTERM);
    ASSERT_TRUE(player.Process().waitForFinished(15000));
    const std::string err = player.Process().readAllStandardError().toStdString();
    EXPECT_EQ(player.Process().exitStatus(), QProcess::NormalExit) << err;
    EXPECT_EQ(player.Process().exitCode(), 0) << err;

    EXPECT_EQ(folder.ReadFile(folder.Ini()), ini);
    EXPECT_EQ(folder.ReadFile(folder.List()), oldList);
    EXPECT_TRUE(StrayFiles(folder.Path()).empty());
    EXPECT_NE(err.find("Zelko.ini could not be written"), std::string::npos) << err;
    EXPECT_NE(err.find("Zelko.m3u could not be written"), std::string::npos) << err;
}

TEST(MachineFaultTest, KilledWhileSavingTheFilesAreAlwaysAWholeOldOrNewFile)
{
    ProgramFolder folder;
    const std::string iniPath = folder.Ini().string();
    const std::string listPath = folder.List().string();
    const std::string track = Tones::Instance().Get(1.0, "Saved");

    // Three versions of each file, of different sizes, written by the player's own save code.
    std::vector<ZelkoSettings> settings(3);
    std::vector<std::vector<std::string>> lists(3);
    for (int v = 0; v < 3; ++v) {
        settings[static_cast<std::size_t>(v)].Volume = 10 + v;
        settings[static_cast<std::size_t>(v)].LyricsFolder = std::string(static_cast<std::size_t>(200 * v), 'x');
        lists[static_cast<std::size_t>(v)].assign(static_cast<std::size_t>(1 + 40 * v), track);
    }
    std::set<std::string> wholeInis;
    std::set<std::string> wholeLists;
    for (int v = 0; v < 3; ++v) {
        ASSERT_TRUE(SettingsFile::Save(iniPath, settings[static_cast<std::size_t>(v)], {"RemoteZKA"}));
        ASSERT_TRUE(PlayListFile::Write(listPath, lists[static_cast<std::size_t>(v)]));
        wholeInis.insert(folder.ReadFile(iniPath));
        wholeLists.insert(folder.ReadFile(listPath));
    }
    ASSERT_EQ(wholeInis.size(), 3u);
    ASSERT_EQ(wholeLists.size(), 3u);

    std::mt19937 random(7);
    int killedMidWay = 0;
    // On a busy machine more kills, until one has landed inside a save.
    for (int kill = 0; kill < 200 || (killedMidWay == 0 && kill < 3000); ++kill) {
        int started[2];
        ASSERT_EQ(::pipe(started), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves as the player does at exit until killed; says once that it is inside the loop.
            ::close(started[0]);
            for (unsigned v = 0;; ++v) {
                (void)SettingsFile::Save(iniPath, settings[v % 3], {"RemoteZKA"});
                (void)PlayListFile::Write(listPath, lists[v % 3]);
                if (v == 0) {
                    (void)!::write(started[1], "s", 1);
                    ::close(started[1]);
                }
            }
        }
        ::close(started[1]);
        char byte = 0;
        ASSERT_EQ(::read(started[0], &byte, 1), 1);
        ::close(started[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        const std::string ini = folder.ReadFile(iniPath);
        const std::string list = folder.ReadFile(listPath);
        ASSERT_TRUE(wholeInis.count(ini)) << "kill " << kill << ": Zelko.ini is " << ini.size() << " bytes";
        ASSERT_TRUE(wholeLists.count(list)) << "kill " << kill << ": Zelko.m3u is " << list.size() << " bytes";
        killedMidWay += StrayFiles(folder.Path()).empty() ? 0 : 1;
        for (const std::string& stray : StrayFiles(folder.Path()))
            fs::remove(folder.Path() / stray);
    }
    // Most kills land inside a save, between the temporary file and the rename.
    EXPECT_GT(killedMidWay, 0);
}

} // namespace
} // namespace playertest
