#include "platform/DirectorySearch.h"

#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace platform;

namespace {

std::vector<std::string> Names(const std::vector<DirectoryEntry>& entries)
{
    std::vector<std::string> names;
    for (const auto& e : entries)
        names.push_back(e.name);
    return names;
}

} // namespace

TEST(DirectorySearch, PatternIsCaseInsensitiveWithStarAndQuestionMark)
{
    EXPECT_TRUE(DirectorySearch::MatchesPattern("Song.MP3", "*.mp3"));
    EXPECT_TRUE(DirectorySearch::MatchesPattern("song.mp3", "*.MP3"));
    EXPECT_TRUE(DirectorySearch::MatchesPattern("a1.zks", "a?.ZKS"));
    EXPECT_FALSE(DirectorySearch::MatchesPattern("a12.zks", "a?.zks"));
    EXPECT_FALSE(DirectorySearch::MatchesPattern("song.mp3x", "*.mp3"));
    EXPECT_TRUE(DirectorySearch::MatchesPattern("README", "*.*")); // every name, as the desktop does
    EXPECT_TRUE(DirectorySearch::MatchesPattern("x", ""));
    // Case folding beyond ASCII: full-width letters.
    EXPECT_TRUE(DirectorySearch::MatchesPattern("\xEF\xBC\xA1.txt", "\xEF\xBD\x81.TXT"));
    // Many stars stay fast: a matcher that backtracked without bound would never end.
    EXPECT_FALSE(DirectorySearch::MatchesPattern(std::string(5000, 'a'), std::string(200, '*') + "b"));
}

TEST(DirectorySearch, ListingsSkipHiddenEntriesUnlessAskedFollowLinksAndSortByName)
{
    testsupport::TempFolder dir;
    for (const char* n : {"b.mp3", "A.mp3", "c.MP3", ".hidden.mp3", "notes.txt", "a.mp3"})
        testsupport::WriteFileBytes(dir.Path(n), "x");
    std::filesystem::create_directory(dir.Path("folder.mp3"));
    std::filesystem::create_directory(dir.Path(".git"));
    ASSERT_EQ(::symlink("b.mp3", dir.Path("link.mp3").c_str()), 0);
    ASSERT_EQ(::symlink("folder.mp3", dir.Path("linkdir").c_str()), 0);
    ASSERT_EQ(::symlink("nothing", dir.Path("dangling.mp3").c_str()), 0);
    const std::string folder = dir.Path().string();

    const auto files = DirectorySearch::List(folder, "*.mp3");
    EXPECT_EQ(Names(files), (std::vector<std::string>{"A.mp3", "a.mp3", "b.mp3", "c.MP3", "link.mp3"}));
    for (const auto& e : files)
        EXPECT_EQ(e.kind, EntryKind::File) << e.name;
    EXPECT_EQ(DirectorySearch::List(folder, "l*", SearchScope::FilesAndFolders),
              (std::vector<DirectoryEntry>{{"link.mp3", EntryKind::File}, {"linkdir", EntryKind::Folder}}));
    EXPECT_EQ(Names(DirectorySearch::List(folder, "*", SearchScope::FilesAndFolders, HiddenEntries::Include)),
              (std::vector<std::string>{".git", ".hidden.mp3", "A.mp3", "a.mp3", "b.mp3", "c.MP3", "folder.mp3",
                                        "link.mp3", "linkdir", "notes.txt"}));

    // A missing folder, or a file, gives an empty list.
    EXPECT_TRUE(DirectorySearch::List("/no/such/folder/anywhere").empty());
    EXPECT_TRUE(DirectorySearch::List(dir.Path("notes.txt")).empty());
}

TEST(DirectorySearch, NameOrderIsTotalAndIgnoresCaseFirst)
{
    EXPECT_TRUE(DirectorySearch::NameLess("apple", "Banana"));
    EXPECT_TRUE(DirectorySearch::NameLess("A", "a"));
    EXPECT_FALSE(DirectorySearch::NameLess("a", "A"));
    EXPECT_TRUE(DirectorySearch::NameLess("ab", "abc"));
    EXPECT_FALSE(DirectorySearch::NameLess("same", "same"));
}

TEST(DirectorySearch, FindFileTakesTheExactNameFirstThenAnyLetterCase)
{
    testsupport::TempFolder dir;
    const std::string folder = dir.Path().string() + "/";
    testsupport::WriteFileBytes(folder + "Main.rgn", "x");
    testsupport::WriteFileBytes(folder + "Ünïcode.TXT", "x");
    std::filesystem::create_directory(folder + "Folder.bmp");
    EXPECT_EQ(DirectorySearch::FindFile(folder + "Main.rgn"), folder + "Main.rgn");
    EXPECT_EQ(DirectorySearch::FindFile(folder + "main.RGN"), folder + "Main.rgn");
    EXPECT_EQ(DirectorySearch::FindFile(folder + "üNÏcode.txt"), folder + "Ünïcode.TXT");
    EXPECT_EQ(DirectorySearch::FindFile(folder + "folder.bmp"), std::nullopt) << "folders are not files";
    EXPECT_EQ(DirectorySearch::FindFile(folder + "Main"), std::nullopt) << "the whole name must match";
    EXPECT_EQ(DirectorySearch::FindFile(folder + "M?in.rgn"), std::nullopt) << "no wildcards";
    EXPECT_EQ(DirectorySearch::FindFile(folder), std::nullopt);
    // The folder part is taken as written, not in any letter case.
    std::string upper = folder;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    EXPECT_EQ(DirectorySearch::FindFile(upper + "Main.rgn"), std::nullopt);
    testsupport::WriteFileBytes(folder + "main.rgn", "x");
    EXPECT_EQ(DirectorySearch::FindFile(folder + "main.rgn"), folder + "main.rgn");
    EXPECT_EQ(DirectorySearch::FindFile(folder + "MAIN.rgn"), folder + "Main.rgn") << "the first in listing order";
}
