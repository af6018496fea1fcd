#include "common/ClsKtini.h"

#include "support/FileBytes.h"
#include "support/ScopedEnvironment.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace common;

namespace {

// The class is a library of the first design that the player does not use
// (its settings go through ProfileFile, tested with the platform): the
// profile rules are not checked again here.
class ClsKtiniTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    std::string Path(const char* name) const { return m_dir.filePath(name).toStdString(); }

    QTemporaryDir m_dir;
    const std::string m_file = Path("Zelko.ini");
    ClsKtini m_ini;
};

} // namespace

TEST_F(ClsKtiniTest, ReadsKeysAndMapsNonToEmpty)
{
    testsupport::WriteFileBytes(m_file, "[PlayInfo]\nVolume = 70\nA=Non\nB=non\n");
    EXPECT_EQ(m_ini.vbGetPrivateProfileString("PlayInfo", "Volume", m_file), "70");
    EXPECT_EQ(m_ini.vbGetPrivateProfileString("playinfo", "VOLUME", m_file), "70");
    EXPECT_EQ(m_ini.vbGetPrivateProfileString("PlayInfo", "A", m_file), "");
    EXPECT_EQ(m_ini.vbGetPrivateProfileString("PlayInfo", "B", m_file), "non");
    EXPECT_EQ(m_ini.vbGetPrivateProfileString("Missing", "Volume", m_file), "");
    EXPECT_EQ(m_ini.vbGetPrivateProfileString("PlayInfo", "Volume", Path("none.ini")), "");
}

TEST_F(ClsKtiniTest, WriteCreatesFileSectionAndKey)
{
    ASSERT_TRUE(m_ini.vbWritePrivateProfileString("Skin", "File", "Blue.zks", m_file));
    ASSERT_TRUE(m_ini.vbWritePrivateProfileString("Skin", "WithMusic", "-1", m_file));
    ASSERT_TRUE(m_ini.vbWritePrivateProfileString("Window", "Left", "10", m_file));
    EXPECT_EQ(testsupport::ReadFileBytes(m_file), "[Skin]\nFile=Blue.zks\nWithMusic=-1\n\n[Window]\nLeft=10\n");
}

TEST_F(ClsKtiniTest, SectionEntryByEntry)
{
    testsupport::WriteFileBytes(m_file, "[Assist]\nExecuteFile=RemoteZKA\nExecuteFile=ScopeZKA\n[Other]\nx=1\n");
    EXPECT_EQ(m_ini.vbNextPrivateProfileSection(), ""); // nothing read yet
    EXPECT_EQ(m_ini.vbFirstPrivateProfileSection("assist", m_file), "ExecuteFile=RemoteZKA");
    EXPECT_EQ(m_ini.vbNextPrivateProfileSection(), "ExecuteFile=ScopeZKA");
    EXPECT_EQ(m_ini.vbNextPrivateProfileSection(), "");
    EXPECT_EQ(m_ini.vbNextPrivateProfileSection(), "");
    EXPECT_EQ(m_ini.vbFirstPrivateProfileSection("Missing", m_file), "");
    EXPECT_EQ(m_ini.vbFirstPrivateProfileSection("Assist", Path("none.ini")), "");
}

TEST_F(ClsKtiniTest, WriteSectionReplacesItAsAWhole)
{
    testsupport::WriteFileBytes(m_file, "[Skin]\nFile=a.zks\n\n[Assist]\nExecuteFile=Old\n\n[Window]\nLeft=5\n");
    ASSERT_TRUE(m_ini.vbWritePrivateProfileSection("Assist", std::string("ExecuteFile=RemoteZKA\0ExecuteFile=ScopeZKA\0", 44), m_file));
    EXPECT_EQ(testsupport::ReadFileBytes(m_file), "[Skin]\nFile=a.zks\n\n[Assist]\nExecuteFile=RemoteZKA\nExecuteFile=ScopeZKA\n\n[Window]\nLeft=5\n");
    ASSERT_TRUE(m_ini.vbWritePrivateProfileSection("Assist", "", m_file));
    EXPECT_EQ(m_ini.vbFirstPrivateProfileSection("Assist", m_file), "");
    EXPECT_EQ(m_ini.vbGetPrivateProfileString("Window", "Left", m_file), "5");
}

TEST_F(ClsKtiniTest, BatchWritesTheFileOnce)
{
    testsupport::WriteFileBytes(m_file, "[Window]\nLeft=1\n");
    m_ini.BeginBatch(m_file);
    EXPECT_EQ(m_ini.vbGetPrivateProfileString("Window", "Left", m_file), "1");
    ASSERT_TRUE(m_ini.vbWritePrivateProfileString("Window", "Left", "2", m_file));
    ASSERT_TRUE(m_ini.vbWritePrivateProfileSection("Assist", "ExecuteFile=ScopeZKA", m_file));
    // Reads inside the batch see the batch; the file is not yet written.
    EXPECT_EQ(m_ini.vbGetPrivateProfileString("Window", "Left", m_file), "2");
    EXPECT_EQ(m_ini.vbFirstPrivateProfileSection("Assist", m_file), "ExecuteFile=ScopeZKA");
    EXPECT_EQ(testsupport::ReadFileBytes(m_file), "[Window]\nLeft=1\n");
    // Other files are not part of the batch.
    ASSERT_TRUE(m_ini.vbWritePrivateProfileString("A", "k", "v", Path("other.ini")));
    EXPECT_EQ(testsupport::ReadFileBytes(Path("other.ini")), "[A]\nk=v\n");

    EXPECT_TRUE(m_ini.CommitBatch());
    EXPECT_EQ(testsupport::ReadFileBytes(m_file), "[Window]\nLeft=2\n\n[Assist]\nExecuteFile=ScopeZKA\n");
    EXPECT_TRUE(m_ini.CommitBatch()); // nothing open any more
}

TEST_F(ClsKtiniTest, UncommittedBatchIsWrittenWhenTheObjectEnds)
{
    {
        ClsKtini ini2;
        ini2.BeginBatch(m_file);
        ASSERT_TRUE(ini2.vbWritePrivateProfileString("PlayInfo", "Volume", "40", m_file));
    }
    EXPECT_EQ(testsupport::ReadFileBytes(m_file), "[PlayInfo]\nVolume=40\n");
}

TEST_F(ClsKtiniTest, SystemFolders)
{
    {
        testsupport::ScopedEnvironment tmp("TMPDIR", "/var/tmp");
        EXPECT_EQ(m_ini.vbGetTempPath(), "/var/tmp/");
    }
    {
        testsupport::ScopedEnvironment tmp("TMPDIR", nullptr);
        EXPECT_EQ(m_ini.vbGetTempPath(), "/tmp/");
    }
    {
        testsupport::ScopedEnvironment xdg("XDG_CONFIG_HOME", m_dir.path().toUtf8().constData());
        EXPECT_EQ(m_ini.vbGetWindowsDirectory(), m_dir.path().toStdString());
        // A bare file name lives in that folder.
        EXPECT_EQ(m_ini.ResolvePath("win.ini"), m_dir.path().toStdString() + "/win.ini");
        ASSERT_TRUE(m_ini.vbWritePrivateProfileString("A", "k", "v", "bare.ini"));
        EXPECT_EQ(testsupport::ReadFileBytes(Path("bare.ini")), "[A]\nk=v\n");
    }
    {
        testsupport::ScopedEnvironment xdg("XDG_CONFIG_HOME", "relative/ignored");
        testsupport::ScopedEnvironment home("HOME", "/home/someone");
        EXPECT_EQ(m_ini.vbGetWindowsDirectory(), "/home/someone/.config");
    }
}
