#include "player/playback/PlayListFile.h"

#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace playback;

namespace fs = std::filesystem;

namespace {

class PlayListFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
            ("zelko-m3u-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Touch(const std::string& name)
    {
        const fs::path p = m_dir / name;
        std::ofstream(p) << "x";
        return p.string();
    }
    void WriteBytes(const std::string& bytes)
    {
        std::ofstream(m_dir / "Zelko.m3u", std::ios::binary) << bytes;
    }
    std::string ListPath() const { return (m_dir / "Zelko.m3u").string(); }

    fs::path m_dir;
};

TEST_F(PlayListFileTest, RoundTripKeepsOrderAndDuplicates)
{
    const std::string a = Touch("a.mp3"), b = Touch("b.mp3");
    EXPECT_TRUE(PlayListFile::Read(ListPath()).empty()); // no file yet
    ASSERT_TRUE(PlayListFile::Write(ListPath(), {b, a, b}));
    EXPECT_EQ(PlayListFile::Read(ListPath()), (std::vector<std::string>{b, a, b}));
    std::ifstream in(ListPath(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, b + "\r\n" + a + "\r\n" + b + "\r\n");
    // A failed write keeps the old list.
    EXPECT_FALSE(PlayListFile::Write((m_dir / "no-such-folder" / "Zelko.m3u").string(), {a}));
    EXPECT_EQ(PlayListFile::Read(ListPath()), (std::vector<std::string>{b, a, b}));
}

TEST_F(PlayListFileTest, SkipsMissingEmptyFolderAndHiddenLines)
{
    const std::string a = Touch("a.mp3"), c = Touch("c.mp3");
    Touch(".hidden.mp3");
    WriteBytes(a + "\r\n\r\n" + (m_dir / "deleted.mp3").string() + "\r\n" + m_dir.string() +
               "\r\n" + (m_dir / ".hidden.mp3").string() + "\n" + c);
    EXPECT_EQ(PlayListFile::Read(ListPath()), (std::vector<std::string>{a, c}));
}

TEST_F(PlayListFileTest, Cp932ListFromTheWindowsProgramLoads)
{
    const std::string name = "\xe6\x9b\xb2.mp3"; // "曲.mp3" in UTF-8
    const std::string path = Touch(name);
    WriteBytes(platform::CodePage::ToCp932(path) + "\r\n");
    EXPECT_EQ(PlayListFile::Read(ListPath()), (std::vector<std::string>{path}));
}

} // namespace
