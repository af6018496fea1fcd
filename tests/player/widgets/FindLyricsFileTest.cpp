#include "player/widgets/FindLyricsFile.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
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
        m_root = m_dir.path().toStdString() + "/";
        std::filesystem::create_directories(m_root + "music");
        std::filesystem::create_directories(m_root + "lyrics");
    }

    void Touch(const std::string& relative) { std::ofstream(m_root + relative) << "x"; }

    // The paths handed to a decoder stand-in that refuses those listed, in
    // order; empty when the lookup found nothing.
    std::vector<std::string> Find(std::string_view ext, std::string_view folder, const std::vector<std::string>& refused = {})
    {
        std::vector<std::string> handed;
        const bool found = FindLyricsFile(m_root + "music/Song.mp3", ext, folder, [&](const std::string& path) {
            handed.push_back(path.substr(m_root.size()));
            return std::find(refused.begin(), refused.end(), path.substr(m_root.size())) == refused.end();
        });
        EXPECT_EQ(found, !handed.empty() && std::find(refused.begin(), refused.end(), handed.back()) == refused.end());
        return handed;
    }

    QTemporaryDir m_dir;
    std::string m_root;
};

using Paths = std::vector<std::string>;

} // namespace

TEST(LyricsExtensions, SplitsTrimsAndDefaultsToTxt)
{
    EXPECT_EQ(LyricsExtensions(""), std::vector<std::string>{"txt"});
    EXPECT_EQ(LyricsExtensions(" lrc ;;txt;"), (std::vector<std::string>{"lrc", "txt"}));
}

TEST_F(FindLyricsFileTest, ExtensionOrderDecidesNextToTheMp3AndTheLyricsFolderWinsUnlessRefused)
{
    Touch("music/Song.lrc");
    EXPECT_EQ(Find("", ""), Paths{}) << "an empty setting means txt";
    Touch("music/Song.txt");
    EXPECT_EQ(Find("lrc; txt", ""), Paths{"music/Song.lrc"});
    EXPECT_EQ(Find("", ""), Paths{"music/Song.txt"});
    Touch("lyrics/Song.txt");
    EXPECT_EQ(Find("txt", m_root + "lyrics/"), Paths{"lyrics/Song.txt"});
    EXPECT_EQ(Find("txt", m_root + "lyrics/", {"lyrics/Song.txt"}), (Paths{"lyrics/Song.txt", "music/Song.txt"}));
    EXPECT_EQ(Find("txt", "", {"music/Song.txt"}), Paths{"music/Song.txt"});
}

TEST_F(FindLyricsFileTest, AnyLetterCaseIsFoundTheExactSpellingFirst)
{
    Touch("music/Song.LRC");
    Touch("music/SONG.TXT");
    EXPECT_EQ(Find("lrc; txt", ""), Paths{"music/Song.LRC"});
    EXPECT_EQ(Find("txt", ""), Paths{"music/SONG.TXT"});
    // A folder given without the final separator works the same.
    Touch("lyrics/song.txt");
    EXPECT_EQ(Find("txt", m_root + "lyrics"), Paths{"lyrics/song.txt"});
    Touch("music/Song.txt");
    EXPECT_EQ(Find("txt", ""), Paths{"music/Song.txt"});
}

TEST_F(FindLyricsFileTest, FoldersHiddenFilesAndShortPathsAreNotLyrics)
{
    std::filesystem::create_directories(m_root + "music/Song.txt");
    EXPECT_EQ(Find("txt", ""), Paths{});
    Touch("music/.Song.txt");
    auto any = [](const std::string&) { return true; };
    EXPECT_FALSE(FindLyricsFile(m_root + "music/.Song.mp3", "txt", "", any));
    EXPECT_FALSE(FindLyricsFile("a.b", "txt", "", any));
}
