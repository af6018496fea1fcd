#include "player/playback/PlayListFile.h"

#include "platform/CodePage.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace playback;

namespace {

class PlayListFileTest : public ::testing::Test {
protected:
    std::string Touch(const std::string& name)
    {
        std::ofstream(m_dir.Path(name)) << "x";
        return m_dir.Path(name).string();
    }

    testsupport::TempFolder m_dir;
    const std::string m_list = m_dir.Path("Zelko.m3u").string();
};

TEST_F(PlayListFileTest, RoundTripKeepsOrderAndDuplicates)
{
    const std::string a = Touch("a.mp3"), b = Touch("b.mp3");
    EXPECT_TRUE(PlayListFile::Read(m_list).empty()); // no file yet
    ASSERT_TRUE(PlayListFile::Write(m_list, {b, a, b}));
    EXPECT_EQ(testsupport::ReadFileBytes(m_list), b + "\r\n" + a + "\r\n" + b + "\r\n");
    EXPECT_EQ(PlayListFile::Read(m_list), (std::vector<std::string>{b, a, b}));
    EXPECT_FALSE(PlayListFile::Write(m_dir.Path("no-such-folder/Zelko.m3u").string(), {a}));
}

TEST_F(PlayListFileTest, SkipsMissingEmptyFolderAndHiddenLines)
{
    const std::string a = Touch("a.mp3"), c = Touch("c.mp3");
    testsupport::WriteFileBytes(m_list, a + "\r\n\r\n" + m_dir.Path("deleted.mp3").string() + "\r\n" + m_dir.Path().string() + "\r\n" + Touch(".hidden.mp3") + "\n" + c);
    EXPECT_EQ(PlayListFile::Read(m_list), (std::vector<std::string>{a, c}));
}

TEST_F(PlayListFileTest, Cp932ListFromTheWindowsProgramLoads)
{
    const std::string path = Touch("\xe6\x9b\xb2.mp3"); // "曲.mp3" in UTF-8
    testsupport::WriteFileBytes(m_list, platform::CodePage::ToCp932(path) + "\r\n");
    EXPECT_EQ(PlayListFile::Read(m_list), (std::vector<std::string>{path}));
}

} // namespace
