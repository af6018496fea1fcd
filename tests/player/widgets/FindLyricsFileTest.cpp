#include "player/widgets/FindLyricsFile.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace widgets;

namespace {

class FindLyricsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_root = m_dir.path().toStdString();
        std::filesystem::create_directories(m_root + "/music");
        std::filesystem::create_directories(m_root + "/lyrics");
        Touch("music/Song.mp3");
    }

    void Touch(const std::string& relative) { std::ofstream(m_root + "/" + relative) << "x"; }

    // Runs the lookup with a decoder stand-in that accepts every file except
    // those listed in `refused`, recording each path it was handed.
    bool Find(std::string_view ext, std::string_view folder, std::vector<std::string> refused = {})
    {
        m_handed.clear();
        return FindLyricsFile(m_root + "/music/Song.mp3", ext, folder,
                              [&](const std::string& path) {
                                  m_handed.push_back(path);
                                  for (const auto& r : refused)
                                      if (path == r)
                                          return false;
                                  return true;
                              });
    }

    QTemporaryDir m_dir;
    std::string m_root;
    std::vector<std::string> m_handed;
};

} // namespace

TEST(LyricsExtensions, SplitsTrimsAndDefaultsToTxt)
{
    EXPECT_EQ(LyricsExtensions(""), std::vector<std::string>{"txt"});
    EXPECT_EQ(LyricsExtensions("lrc; txt"), (std::vector<std::string>{"lrc", "txt"}));
    EXPECT_EQ(LyricsExtensions(" lrc ;;txt;"), (std::vector<std::string>{"lrc", "txt"}));
}

TEST_F(FindLyricsFileTest, ExtensionOrderDecidesNextToTheMp3AndAnEmptySettingMeansTxt)
{
    Touch("music/Song.lrc");
    EXPECT_FALSE(Find("", ""));
    EXPECT_TRUE(m_handed.empty());
    Touch("music/Song.txt");
    EXPECT_TRUE(Find("lrc; txt", ""));
    EXPECT_EQ(m_handed, std::vector<std::string>{m_root + "/music/Song.lrc"});
    EXPECT_TRUE(Find("", ""));
    EXPECT_EQ(m_handed, std::vector<std::string>{m_root + "/music/Song.txt"});
}

TEST_F(FindLyricsFileTest, LyricsFolderWinsAndRefusalFallsBack)
{
    Touch("music/Song.txt");
    Touch("lyrics/Song.txt");
    EXPECT_TRUE(Find("txt", m_root + "/lyrics/"));
    EXPECT_EQ(m_handed, std::vector<std::string>{m_root + "/lyrics/Song.txt"});
    // The decoder refuses the folder's file: the one next to the MP3 is tried.
    EXPECT_TRUE(Find("txt", m_root + "/lyrics/", {m_root + "/lyrics/Song.txt"}));
    EXPECT_EQ(m_handed, (std::vector<std::string>{m_root + "/lyrics/Song.txt", m_root + "/music/Song.txt"}));
    // Refused everywhere: false.
    EXPECT_FALSE(Find("txt", "", {m_root + "/music/Song.txt"}));
}

TEST_F(FindLyricsFileTest, FoldersAndShortPathsAreNotLyrics)
{
    std::filesystem::create_directories(m_root + "/music/Song.txt");
    EXPECT_FALSE(Find("txt", ""));
    EXPECT_TRUE(m_handed.empty());
    EXPECT_FALSE(FindLyricsFile("a.b", "txt", "", [](const std::string&) { return true; }));
}

TEST_F(FindLyricsFileTest, AnyLetterCaseIsFoundTheExactSpellingFirst)
{
    Touch("music/Song.LRC");
    Touch("music/SONG.TXT");
    EXPECT_TRUE(Find("lrc; txt", ""));
    EXPECT_EQ(m_handed, std::vector<std::string>{m_root + "/music/Song.LRC"});
    EXPECT_TRUE(Find("txt", ""));
    EXPECT_EQ(m_handed, std::vector<std::string>{m_root + "/music/SONG.TXT"});
    // A folder given without the final separator works the same.
    Touch("lyrics/song.txt");
    EXPECT_TRUE(Find("txt", m_root + "/lyrics"));
    EXPECT_EQ(m_handed, std::vector<std::string>{m_root + "/lyrics/song.txt"});
    // Where two spellings exist, the exact one wins.
    Touch("music/Song.txt");
    EXPECT_TRUE(Find("txt", ""));
    EXPECT_EQ(m_handed, std::vector<std::string>{m_root + "/music/Song.txt"});
    // A hidden file is never a lyrics file, whatever its case.
    EXPECT_FALSE(FindLyricsFile(m_root + "/music/.Song.mp3", "txt", "", [](const std::string&) { return true; }));
}
