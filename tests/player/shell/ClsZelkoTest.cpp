#include "player/shell/ClsZelko.h"

#include "common/KtError.h"

#include "support/FileBytes.h"
#include "support/ScopedEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <fstream>
#include <gtest/gtest.h>

using namespace shell;

namespace {

bool Exists(const std::string& path)
{
    return QFile::exists(QString::fromStdString(path));
}

class ClsZelkoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_program = m_dir.path().toStdString() + "/program";
        m_work = m_dir.path().toStdString() + "/work";
        m_config = m_dir.path().toStdString() + "/config/zelko/";
        QDir().mkpath(QString::fromStdString(m_program));
        QDir().mkpath(QString::fromStdString(m_work));
    }
    ClsZelko Make(std::string_view commandLine) const
    {
        return ClsZelko(commandLine, ClsZelko::Folders{m_program, m_work, m_config});
    }

    QTemporaryDir m_dir;
    std::string m_program;
    std::string m_work;
    std::string m_config;
};

} // namespace

TEST_F(ClsZelkoTest, SwitchesAreSubstringsOfTheLowerCasedCommandLine)
{
    // Each row: the command line and its switches log, debug, minimize, develop.
    const std::vector<std::pair<const char*, std::array<bool, 4>>> rows{
        {"/LOG /Minimize", {true, false, true, false}},
        {"x/debugx", {false, true, false, false}},
        {"", {false, false, false, false}},
        {"/logfile /develop", {true, false, false, true}},
        {"--help --version log", {false, false, false, false}},
    };
    for (const auto& [line, switches] : rows) {
        const ClsZelko app = Make(line);
        EXPECT_EQ((std::array<bool, 4>{app.bLog(), app.bDebug(), app.bMinimize(), app.bDevelop()}), switches) << line;
    }
}

TEST_F(ClsZelkoTest, AppPathIsTheProgramFolderOrTheWorkingFolderWithDevelop)
{
    EXPECT_EQ(Make("").AppPath(), m_program + "/");
    EXPECT_EQ(Make("/develop").AppPath(), m_work + "/");
    // A folder that already ends in "/" gets no second one.
    EXPECT_EQ(ClsZelko("", ClsZelko::Folders{"/", m_work, m_config}).AppPath(), "/");
}

TEST_F(ClsZelkoTest, DataPathIsAppPathWhenWritableElseTheConfigFolder)
{
    EXPECT_EQ(Make("").DataPath(), m_program + "/");
    // A program folder that cannot be written (here: one that does not exist).
    const std::string installed = m_dir.path().toStdString() + "/usr/lib/zelko";
    ClsZelko app("/log", ClsZelko::Folders{installed, m_work, m_config});
    EXPECT_EQ(app.AppPath(), installed + "/");
    EXPECT_EQ(app.DataPath(), m_config);
    EXPECT_TRUE(QDir(QString::fromStdString(m_config)).exists()); // created when needed
    app.WriteRunLog("line");
    EXPECT_EQ(testsupport::ReadFileBytes(m_config + "Zelko.log"), "line\r\n");
}

TEST_F(ClsZelkoTest, FormatTimeMsShowsMinutesSecondsAndHundredths)
{
    auto app = Make("");
    const std::vector<std::pair<std::int32_t, const char*>> rows{
        {0, "00:00:00"},
        {83456, "01:23:45"},
        {6000000, "100:00:00"},
        {59999, "00:59:99"},
        {90, "00:00:09"},
        {-5000, "00:00:00"},
        {2147483647, "35791:23:64"},
    };
    for (const auto& [ms, text] : rows)
        EXPECT_EQ(app.FormatTimeMs(ms), text) << ms;
}

// A log file whose place is taken by a folder is dropped, nothing thrown,
// and the folder in the way of the deletion at start is left alone.
TEST_F(ClsZelkoTest, RunLogIsDeletedAtStartAndWrittenOnlyWithLog)
{
    const std::string log = m_program + "/Zelko.log";
    std::ofstream(log) << "old run\r\n";
    {
        auto quiet = Make("");
        EXPECT_FALSE(Exists(log));
        quiet.WriteRunLog("not written");
        EXPECT_FALSE(Exists(log));
    }
    auto logging = Make("/log");
    EXPECT_EQ(logging.RunLogPath(), log);
    logging.WriteRunLog("- /skins/Blue/Blue.zks -");
    logging.WriteRunLog("coKey=body-main,Left=0,Top=0,Right=0,Bottom=10");
    EXPECT_EQ(testsupport::ReadFileBytes(log), "- /skins/Blue/Blue.zks -\r\ncoKey=body-main,Left=0,Top=0,Right=0,Bottom=10\r\n");

    QFile::remove(QString::fromStdString(log));
    QDir().mkdir(QString::fromStdString(log));
    EXPECT_NO_THROW(logging.WriteRunLog("line"));
    EXPECT_NO_THROW(Make("/log"));
}

TEST(ClsZelko, CommandLineFromArgumentsAndFolders)
{
    const char* argv[] = {"Zelko", "/log", "/Minimize", nullptr};
    EXPECT_EQ(ClsZelko::CommandLineFromArguments(3, argv), "/log /Minimize");
    EXPECT_EQ(ClsZelko::CommandLineFromArguments(1, argv), "");
    const std::string exe = ClsZelko::ExecutableFolder();
    EXPECT_EQ(exe.back(), '/');
    EXPECT_TRUE(QDir(QString::fromStdString(exe)).exists());
    EXPECT_NE(ClsZelko::UsageText().find("/minimize"), std::string::npos);
}

TEST(ClsZelko, DefaultConfigFolderFollowsXdg)
{
    {
        testsupport::ScopedEnvironment xdg("XDG_CONFIG_HOME", "/somewhere/config");
        EXPECT_EQ(ClsZelko::DefaultConfigFolder(), "/somewhere/config/zelko/");
    }
    // Only absolute values count.
    testsupport::ScopedEnvironment xdg("XDG_CONFIG_HOME", "relative");
    testsupport::ScopedEnvironment home("HOME", "/home/someone");
    EXPECT_EQ(ClsZelko::DefaultConfigFolder(), "/home/someone/.config/zelko/");
}
