#include "platform/DirectorySearch.h"

#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

void Touch(const QTemporaryDir& dir, const char* name)
{
    std::ofstream(dir.filePath(name).toStdString()) << "x";
}

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
    EXPECT_TRUE(DirectorySearch::MatchesPattern("README", "*.*"));   // every name, as the desktop does
    EXPECT_TRUE(DirectorySearch::MatchesPattern("x", ""));
    // Case folding beyond ASCII: full-width letters.
    EXPECT_TRUE(DirectorySearch::MatchesPattern("\xEF\xBC\xA1.txt", "\xEF\xBD\x81.TXT"));
}

TEST(DirectorySearch, ManyStarsStayFast)
{
    const std::string name(5000, 'a');
    const std::string pattern = std::string(200, '*') + "b";
    EXPECT_FALSE(DirectorySearch::MatchesPattern(name, pattern));
}

TEST(DirectorySearch, FilesOnlySkipsFoldersAndHiddenFilesAndSortsByName)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* n : {"b.mp3", "A.mp3", "c.MP3", ".hidden.mp3", "notes.txt", "a.mp3"})
        Touch(dir, n);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.mp3"));

    auto files = DirectorySearch::List(dir.path().toStdString(), "*.mp3");
    EXPECT_EQ(Names(files), (std::vector<std::string>{"A.mp3", "a.mp3", "b.mp3", "c.MP3"}));
    for (const auto& e : files)
        EXPECT_EQ(e.kind, EntryKind::File);
}

TEST(DirectorySearch, FilesAndFoldersOnRequest)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Touch(dir, "z.txt");
    Touch(dir, ".dot");
    ASSERT_TRUE(QDir(dir.path()).mkdir("Blue"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(".git"));

    auto all = DirectorySearch::List(dir.path().toStdString(), "*", SearchScope::FilesAndFolders);
    EXPECT_EQ(all, (std::vector<DirectoryEntry>{{"Blue", EntryKind::Folder}, {"z.txt", EntryKind::File}}));

    auto withHidden = DirectorySearch::List(dir.path().toStdString(), "*", SearchScope::FilesAndFolders,
                                            HiddenEntries::Include);
    EXPECT_EQ(Names(withHidden), (std::vector<std::string>{".dot", ".git", "Blue", "z.txt"}));
}

TEST(DirectorySearch, LinksAreListedAsWhatTheyPointToAndDanglingOnesAreLeftOut)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Touch(dir, "real.mp3");
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    const std::string base = dir.path().toStdString() + "/";
    ASSERT_EQ(::symlink("real.mp3", (base + "link.mp3").c_str()), 0);
    ASSERT_EQ(::symlink("sub", (base + "linkdir").c_str()), 0);
    ASSERT_EQ(::symlink("nothing", (base + "dangling.mp3").c_str()), 0);

    auto all = DirectorySearch::List(base, "*", SearchScope::FilesAndFolders);
    EXPECT_EQ(all, (std::vector<DirectoryEntry>{{"link.mp3", EntryKind::File},
                                                 {"linkdir", EntryKind::Folder},
                                                 {"real.mp3", EntryKind::File},
                                                 {"sub", EntryKind::Folder}}));
}

TEST(DirectorySearch, MissingOrUnreadableFolderGivesAnEmptyList)
{
    EXPECT_TRUE(DirectorySearch::List("/no/such/folder/anywhere").empty());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Touch(dir, "file.txt");
    // A file is not a folder.
    EXPECT_TRUE(DirectorySearch::List(dir.filePath("file.txt").toStdString()).empty());
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
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string folder = dir.path().toStdString() + "/";
    Touch(dir, "Main.rgn");
    Touch(dir, "Ünïcode.TXT");
    ASSERT_TRUE(QDir(dir.path()).mkdir("Folder.bmp"));
    EXPECT_EQ(DirectorySearch::FindFile(folder + "Main.rgn"), folder + "Main.rgn");
    EXPECT_EQ(DirectorySearch::FindFile(folder + "main.RGN"), folder + "Main.rgn");
    EXPECT_EQ(DirectorySearch::FindFile(folder + "üNÏcode.txt"), folder + "Ünïcode.TXT");
    EXPECT_EQ(DirectorySearch::FindFile(folder + "folder.bmp"), std::nullopt) << "folders are not files";
    EXPECT_EQ(DirectorySearch::FindFile(folder + "Main"), std::nullopt) << "the whole name must match";
    EXPECT_EQ(DirectorySearch::FindFile(folder + "M?in.rgn"), std::nullopt) << "no wildcards";
    EXPECT_EQ(DirectorySearch::FindFile(folder), std::nullopt);
    // The folder part is taken as written.
    const std::string upperFolder = dir.path().toUpper().toStdString() + "/";
    if (upperFolder != folder) {
        EXPECT_EQ(DirectorySearch::FindFile(upperFolder + "Main.rgn"), std::nullopt);
    }
    Touch(dir, "main.rgn");
    EXPECT_EQ(DirectorySearch::FindFile(folder + "main.rgn"), folder + "main.rgn");
    EXPECT_EQ(DirectorySearch::FindFile(folder + "MAIN.rgn"), folder + "Main.rgn") << "the first in listing order";
}
