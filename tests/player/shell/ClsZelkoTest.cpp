#include "player/shell/ClsZelko.h"

#include "common/KtError.h"

#include "support/FileBytes.h"
#include "support/ScopedEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>

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
    auto a = Make("/LOG /Minimize");
    EXPECT_TRUE(a.bLog());
    EXPECT_TRUE(a.bMinimize());
    EXPECT_FALSE(a.bDebug());
    EXPECT_FALSE(a.bDevelop());

    auto b = Make("x/debugx");
    EXPECT_TRUE(b.bDebug());
    EXPECT_FALSE(b.bLog());

    auto c = Make("");
    EXPECT_FALSE(c.bLog() || c.bDebug() || c.bMinimize() || c.bDevelop());

    EXPECT_TRUE(Make("/logfile").bLog());
    EXPECT_FALSE(Make("--help --version log").bLog());
}

TEST_F(ClsZelkoTest, AppPathIsTheProgramFolderOrTheWorkingFolderWithDevelop)
{
    EXPECT_EQ(Make("").AppPath(), m_program + "/");
    EXPECT_EQ(Make("/develop").AppPath(), m_work + "/");
    // A folder that already ends in "/" gets no second one.
    EXPECT_EQ(ClsZelko("", ClsZelko::Folders{"/", m_work, m_config}).AppPath(), "/");
    EXPECT_EQ(ClsZelko("", ClsZelko::Folders{m_program + "/", m_work, m_config}).AppPath(), m_program + "/");
}

TEST_F(ClsZelkoTest, DataPathIsAppPathWhenWritableElseTheConfigFolder)
{
    EXPECT_EQ(Make("").DataPath(), m_program + "/");
    // A program folder that cannot be written (here: one that does not exist).
    const std::string installed = m_dir.path().toStdString() + "/usr/lib/zelko";
    ClsZelko app("/log", ClsZelko::Folders{installed, m_work, m_config});
    EXPECT_EQ(app.AppPath(), installed + "/");
    EXPECT_EQ(app.DataPath(), m_config);
    EXPECT_TRUE(QDir(QString::fromStdString(m_config)).exists());   // created when needed
    app.WriteRunLog("line");
    EXPECT_EQ(testsupport::ReadFileBytes(m_config + "Zelko.log"), "line\r\n");
}

TEST_F(ClsZelkoTest, StartValues)
{
    auto app = Make("");
    EXPECT_TRUE(app.AnalyzeProc());
    EXPECT_TRUE(app.LyricsProc());
    EXPECT_EQ(app.CharHeight(), 14);
    EXPECT_EQ(app.TimerInterval(), 10);
    EXPECT_FALSE(app.LyricsEnabled());
    EXPECT_EQ(app.SkinPath(), "");
    EXPECT_EQ(app.LyricsExt(), "");
}

TEST_F(ClsZelkoTest, FormatTimeMs)
{
    auto app = Make("");
    EXPECT_EQ(app.FormatTimeMs(0), "00:00:00");
    EXPECT_EQ(app.FormatTimeMs(83456), "01:23:45");
    EXPECT_EQ(app.FormatTimeMs(61005), "01:01:00");
    EXPECT_EQ(app.FormatTimeMs(6000000), "100:00:00");
    EXPECT_EQ(app.FormatTimeMs(999), "00:00:99");
    EXPECT_EQ(app.FormatTimeMs(59999), "00:59:99");
    EXPECT_EQ(app.FormatTimeMs(60000), "01:00:00");
    EXPECT_EQ(app.FormatTimeMs(90), "00:00:09");
    EXPECT_EQ(app.FormatTimeMs(-5000), "00:00:00");
    EXPECT_EQ(app.FormatTimeMs(2147483647), "35791:23:64");
}

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
}

TEST_F(ClsZelkoTest, RunLogThatCannotBeWrittenIsDropped)
{
    // The log's place is taken by a folder: the line is dropped, nothing thrown.
    auto app = Make("/log");
    QDir().mkdir(QString::fromStdString(app.RunLogPath()));
    EXPECT_NO_THROW(app.WriteRunLog("line"));
    // And a folder in the way of the deletion at start is left alone.
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
