#include "player/shell/ClsZelko.h"

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

class ClsZelkoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir().mkpath(QString::fromStdString(m_program));
        QDir().mkpath(QString::fromStdString(m_work));
    }
    ClsZelko Make(std::string_view commandLine, const std::string& program = "") const
    {
        return ClsZelko(commandLine, ClsZelko::Folders{program.empty() ? m_program : program, m_work, m_config});
    }

    QTemporaryDir m_dir;
    std::string m_program = m_dir.path().toStdString() + "/program";
    std::string m_work = m_dir.path().toStdString() + "/work";
    std::string m_config = m_dir.path().toStdString() + "/config/zelko/";
};

TEST_F(ClsZelkoTest, SwitchesAreSubstringsOfTheLowerCasedCommandLine)
{
    // Each row: the command line and its switches log, debug, minimize, develop.
    const std::vector<std::pair<const char*, std::array<bool, 4>>> rows{
        {"/LOG /Minimize", {true, false, true, false}},
        {"x/debugx", {false, true, false, false}},
        {"/logfile /develop", {true, false, false, true}},
        {"--help --version log", {false, false, false, false}},
    };
    for (const auto& [line, switches] : rows) {
        const ClsZelko app = Make(line);
        EXPECT_EQ((std::array<bool, 4>{app.bLog(), app.bDebug(), app.bMinimize(), app.bDevelop()}), switches) << line;
    }
}

// The data go beside the program when it can be written there, else to the configuration folder.
TEST_F(ClsZelkoTest, AppPathAndDataPathFollowTheDevelopSwitchAndAWritableProgramFolder)
{
    EXPECT_EQ(Make("").AppPath(), m_program + "/");
    EXPECT_EQ(Make("").DataPath(), m_program + "/");
    EXPECT_EQ(Make("/develop").AppPath(), m_work + "/");
    EXPECT_EQ(Make("", "/").AppPath(), "/");
    const std::string installed = m_dir.path().toStdString() + "/usr/lib/zelko";
    ClsZelko app = Make("/log", installed);
    EXPECT_EQ(app.AppPath(), installed + "/");
    EXPECT_EQ(app.DataPath(), m_config);
    app.WriteRunLog("line");
    EXPECT_EQ(testsupport::ReadFileBytes(m_config + "Zelko.log"), "line\r\n");
}

TEST_F(ClsZelkoTest, FormatTimeMsShowsMinutesSecondsAndHundredths)
{
    const std::vector<std::pair<std::int32_t, const char*>> rows{
        {0, "00:00:00"},
        {83456, "01:23:45"},
        {6000000, "100:00:00"},
        {59999, "00:59:99"},
        {-5000, "00:00:00"},
        {2147483647, "35791:23:64"},
    };
    for (const auto& [ms, text] : rows)
        EXPECT_EQ(Make("").FormatTimeMs(ms), text) << ms;
}

// A log file whose place is taken by a folder is dropped, nothing thrown.
TEST_F(ClsZelkoTest, RunLogIsDeletedAtStartAndWrittenOnlyWithLog)
{
    const std::string log = m_program + "/Zelko.log";
    std::ofstream(log) << "old run\r\n";
    Make("").WriteRunLog("not written");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(log)));
    auto logging = Make("/log");
    logging.WriteRunLog("- /skins/Blue/Blue.zks -");
    logging.WriteRunLog("coKey=body-main");
    EXPECT_EQ(testsupport::ReadFileBytes(log), "- /skins/Blue/Blue.zks -\r\ncoKey=body-main\r\n");

    QFile::remove(QString::fromStdString(log));
    QDir().mkdir(QString::fromStdString(log));
    EXPECT_NO_THROW(logging.WriteRunLog("line"));
    EXPECT_NO_THROW(Make("/log"));
}

TEST(ClsZelko, DefaultConfigFolderFollowsAnAbsoluteXdgConfigHome)
{
    {
        testsupport::ScopedEnvironment xdg("XDG_CONFIG_HOME", "/somewhere/config");
        EXPECT_EQ(ClsZelko::DefaultConfigFolder(), "/somewhere/config/zelko/");
    }
    testsupport::ScopedEnvironment xdg("XDG_CONFIG_HOME", "relative");
    testsupport::ScopedEnvironment home("HOME", "/home/someone");
    EXPECT_EQ(ClsZelko::DefaultConfigFolder(), "/home/someone/.config/zelko/");
}

} // namespace
