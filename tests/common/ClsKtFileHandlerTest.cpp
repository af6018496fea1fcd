#include "common/ClsKtFileHandler.h"

#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace common;

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
    std::vector<std::string> Listed(const std::string& folder, const std::string& pattern)
    {
        m_handler.FillFNameCollection(m_root + folder, pattern);
        std::vector<std::string> out;
        for (const auto& p : m_handler.coFiles())
            out.push_back(p.rfind(m_root, 0) == 0 ? p.substr(m_root.size()) : "OUTSIDE:" + p);
        return out;
    }

    QTemporaryDir m_dir;
    std::string m_root;
    ClsKtFileHandler m_handler;
};

} // namespace

TEST_F(ClsKtFileHandlerTest, ListsDepthFirstInNameOrderWhatThePatternMatchesCaseSensitively)
{
    for (const char* name : {"b.mp3", "A/z.mp3", "A/deep/er/x.mp3", "a.mp3", "c/readme.txt", "c/noext", ".hidden.mp3",
                             "LOUD.MP3", "album.mp3/inside.mp3", "track01.mp3"})
        File(name);
    // A folder whose name matches is entered, never listed.
    EXPECT_EQ(Listed("", "*.mp3"), (std::vector<std::string>{
                                       ".hidden.mp3",
                                       "A/deep/er/x.mp3",
                                       "A/z.mp3",
                                       "a.mp3",
                                       "album.mp3/inside.mp3",
                                       "b.mp3",
                                       "track01.mp3",
                                   }));
    EXPECT_EQ(Listed("", "track##.[m]p3"), (std::vector<std::string>{"track01.mp3"}));
    // An empty pattern lists every file; a trailing slash makes no difference.
    EXPECT_EQ(Listed("c", ""), (std::vector<std::string>{"c/noext", "c/readme.txt"}));
    EXPECT_EQ(Listed("c/", "*.*"), (std::vector<std::string>{"c/readme.txt"}));
    // Each fill starts empty, in the same collection.
    const auto& collection = m_handler.coFiles();
    EXPECT_TRUE(Listed("missing", "*.mp3").empty());
    EXPECT_TRUE(collection.empty());
}

TEST_F(ClsKtFileHandlerTest, LinkLoopsEndAndLinkedFoldersAreListedOnce)
{
    File("music/a.mp3");
    ASSERT_EQ(::symlink("..", (m_root + "music/up").c_str()), 0);
    ASSERT_EQ(::symlink("music", (m_root + "alias").c_str()), 0);
    // "alias" comes first by name and lists the folder; "music" is then the same folder.
    EXPECT_EQ(Listed("", "*.mp3"), (std::vector<std::string>{"alias/a.mp3"}));
}

TEST_F(ClsKtFileHandlerTest, UnreadableSubfolderIsSkipped)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser reads every folder";
    File("open/a.mp3");
    File("closed/b.mp3");
    ASSERT_EQ(::chmod((m_root + "closed").c_str(), 0), 0);
    const auto listed = Listed("", "*.mp3");
    ::chmod((m_root + "closed").c_str(), 0755);
    EXPECT_EQ(listed, (std::vector<std::string>{"open/a.mp3"}));
}

TEST_F(ClsKtFileHandlerTest, DeepTreeIsListedWhole)
{
    std::string path;
    for (int i = 0; i < 100; ++i)
        path += "d/";
    File(path + "bottom.mp3");
    EXPECT_EQ(Listed("", "*.mp3"), (std::vector<std::string>{path + "bottom.mp3"}));
}
