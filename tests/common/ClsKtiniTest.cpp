#include "common/ClsKtini.h"

#include "support/FileBytes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace common;

namespace {

// The player's settings go through ProfileFile, tested with the platform; of
// this class nothing uses, only its own reading, writing and batching are checked.
class ClsKtiniTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    std::string Path(const char* name) const { return m_dir.filePath(name).toStdString(); }

    QTemporaryDir m_dir;
    const std::string m_file = Path("Zelko.ini");
    ClsKtini m_ini;
};

} // namespace

TEST_F(ClsKtiniTest, KeysAndSectionsAreReadWrittenAndReplacedAndNonReadsAsEmpty)
{
    testsupport::WriteFileBytes(m_file, "[PlayInfo]\nVolume = 70\nA=Non\nB=non\n\n[Assist]\nExecuteFile=Old\nExecuteFile=Two\n");
    EXPECT_EQ(m_ini.vbGetPrivateProfileString("playinfo", "VOLUME", m_file), "70");
    EXPECT_EQ(m_ini.vbGetPrivateProfileString("PlayInfo", "A", m_file), "");
    EXPECT_EQ(m_ini.vbGetPrivateProfileString("PlayInfo", "B", m_file), "non");
    EXPECT_EQ(m_ini.vbGetPrivateProfileString("PlayInfo", "Volume", Path("none.ini")), "");
    EXPECT_EQ(m_ini.vbFirstPrivateProfileSection("assist", m_file), "ExecuteFile=Old");
    EXPECT_EQ(m_ini.vbNextPrivateProfileSection(), "ExecuteFile=Two");
    EXPECT_EQ(m_ini.vbNextPrivateProfileSection(), "");

    ASSERT_TRUE(m_ini.vbWritePrivateProfileSection("Assist", std::string("ExecuteFile=RemoteZKA\0ExecuteFile=ScopeZKA\0", 44), m_file));
    ASSERT_TRUE(m_ini.vbWritePrivateProfileString("Window", "Left", "10", m_file));
    EXPECT_EQ(testsupport::ReadFileBytes(m_file),
              "[PlayInfo]\nVolume = 70\nA=Non\nB=non\n\n[Assist]\nExecuteFile=RemoteZKA\nExecuteFile=ScopeZKA\n\n[Window]\nLeft=10\n");
}

TEST_F(ClsKtiniTest, ABatchWritesTheFileOnceAtCommitOrWhenTheObjectEnds)
{
    testsupport::WriteFileBytes(m_file, "[Window]\nLeft=1\n");
    m_ini.BeginBatch(m_file);
    ASSERT_TRUE(m_ini.vbWritePrivateProfileString("Window", "Left", "2", m_file));
    // Reads inside the batch see the batch; the file is not yet written, other files are.
    EXPECT_EQ(m_ini.vbGetPrivateProfileString("Window", "Left", m_file), "2");
    EXPECT_EQ(testsupport::ReadFileBytes(m_file), "[Window]\nLeft=1\n");
    ASSERT_TRUE(m_ini.vbWritePrivateProfileString("A", "k", "v", Path("other.ini")));
    EXPECT_EQ(testsupport::ReadFileBytes(Path("other.ini")), "[A]\nk=v\n");
    EXPECT_TRUE(m_ini.CommitBatch());
    EXPECT_EQ(testsupport::ReadFileBytes(m_file), "[Window]\nLeft=2\n");
    {
        ClsKtini ini2;
        ini2.BeginBatch(m_file);
        ASSERT_TRUE(ini2.vbWritePrivateProfileString("Window", "Left", "3", m_file));
    }
    EXPECT_EQ(testsupport::ReadFileBytes(m_file), "[Window]\nLeft=3\n");
}
