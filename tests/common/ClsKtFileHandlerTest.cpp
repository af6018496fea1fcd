#include "common/ClsKtFileHandler.h"

#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class ClsKtFileHandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_root = m_dir.path().toStdString() + "/";
    }
    void File(const std::string& relative)
    {
        QDir().mkpath(QString::fromStdString(m_root + relative).section('/', 0, -2));
        std::ofstream(m_root + relative) << "x";
    }
    void Folder(const std::string& relative) { QDir().mkpath(QString::fromStdString(m_root + relative)); }
    std::vector<std::string> Relative(const std::vector<std::string>& paths) const
    {
        std::vector<std::string> out;
        for (const auto& p : paths)
            out.push_back(p.rfind(m_root, 0) == 0 ? p.substr(m_root.size()) : "OUTSIDE:" + p);
        return out;
    }

    QTemporaryDir m_dir;
    std::string m_root;
    ClsKtFileHandler m_handler;
};

} // namespace

TEST_F(ClsKtFileHandlerTest, ListsRecursivelyDepthFirstInNameOrder)
{
    File("b.mp3");
    File("A/z.mp3");
    File("A/deep/er/x.mp3");
    File("a.mp3");
    File("c/readme.txt");
    File(".hidden.mp3");
    m_handler.FillFNameCollection(m_root, "*.mp3");
    EXPECT_EQ(Relative(m_handler.coFiles()),
              (std::vector<std::string>{".hidden.mp3", "A/deep/er/x.mp3", "A/z.mp3", "a.mp3", "b.mp3"}));
}

TEST_F(ClsKtFileHandlerTest, PatternIsCaseSensitiveAndFoldersAreNeverMatched)
{
    File("song.mp3");
    File("LOUD.MP3");
    File("album.mp3/inside.mp3");   // a folder whose name matches
    File("track01.mp3");
    m_handler.FillFNameCollection(m_root, "*.mp3");
    EXPECT_EQ(Relative(m_handler.coFiles()),
              (std::vector<std::string>{"album.mp3/inside.mp3", "song.mp3", "track01.mp3"}));
    m_handler.FillFNameCollection(m_root, "track##.[m]p3");
    EXPECT_EQ(Relative(m_handler.coFiles()), (std::vector<std::string>{"track01.mp3"}));
}

TEST_F(ClsKtFileHandlerTest, TrailingSlashMakesNoDifferenceAndEachFillStartsEmpty)
{
    File("x/1.mp3");
    File("x/2.mp3");
    m_handler.FillFNameCollection(m_root + "x", "*.mp3");
    const auto without = m_handler.coFiles();
    m_handler.FillFNameCollection(m_root + "x/", "*.mp3");
    EXPECT_EQ(m_handler.coFiles(), without);
    EXPECT_EQ(without, (std::vector<std::string>{m_root + "x/1.mp3", m_root + "x/2.mp3"}));
    // The reference stays the same collection.
    const auto& ref = m_handler.coFiles();
    m_handler.FillFNameCollection(m_root + "missing", "*.mp3");
    EXPECT_TRUE(ref.empty());
}

TEST_F(ClsKtFileHandlerTest, EmptyPatternListsEveryFile)
{
    File("noext");
    File("a.b");
    m_handler.FillFNameCollection(m_root, "");
    EXPECT_EQ(Relative(m_handler.coFiles()), (std::vector<std::string>{"a.b", "noext"}));
    m_handler.FillFNameCollection(m_root, "*.*");
    EXPECT_EQ(Relative(m_handler.coFiles()), (std::vector<std::string>{"a.b"}));
}

TEST_F(ClsKtFileHandlerTest, LinkLoopsEndAndLinkedFoldersAreListedOnce)
{
    File("music/a.mp3");
    ASSERT_EQ(::symlink("..", (m_root + "music/up").c_str()), 0);
    ASSERT_EQ(::symlink("music", (m_root + "alias").c_str()), 0);
    m_handler.FillFNameCollection(m_root, "*.mp3");
    // "alias" comes first by name and lists the folder; "music" is then the same folder.
    EXPECT_EQ(Relative(m_handler.coFiles()), (std::vector<std::string>{"alias/a.mp3"}));
}

TEST_F(ClsKtFileHandlerTest, UnreadableSubfolderIsSkipped)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser reads every folder";
    File("open/a.mp3");
    File("closed/b.mp3");
    ASSERT_EQ(::chmod((m_root + "closed").c_str(), 0), 0);
    m_handler.FillFNameCollection(m_root, "*.mp3");
    ::chmod((m_root + "closed").c_str(), 0755);
    EXPECT_EQ(Relative(m_handler.coFiles()), (std::vector<std::string>{"open/a.mp3"}));
}

TEST_F(ClsKtFileHandlerTest, DeepTreeIsListedWhole)
{
    std::string path;
    for (int i = 0; i < 100; ++i)
        path += "d/";
    File(path + "bottom.mp3");
    m_handler.FillFNameCollection(m_root, "*.mp3");
    ASSERT_EQ(m_handler.coFiles().size(), 1u);
    EXPECT_EQ(Relative(m_handler.coFiles())[0], path + "bottom.mp3");
    m_handler.ClearFNameCollection();
    EXPECT_TRUE(m_handler.coFiles().empty());
}
