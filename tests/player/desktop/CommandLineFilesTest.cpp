#include "player/desktop/CommandLineFiles.h"

#include <gtest/gtest.h>

#include <QUrl>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class CommandLineFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("zelko-args-" + std::to_string(::getpid()));
        fs::create_directories(m_dir / "develop" / "log");
        std::ofstream(m_dir / "develop" / "log" / "a song.mp3") << "x";
        std::ofstream(m_dir / "b.mp3") << "x";
    }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path m_dir;
};

TEST_F(CommandLineFilesTest, ExistingPathsAreFilesAndSwitchNothing)
{
    const std::string song = (m_dir / "develop" / "log" / "a song.mp3").string();
    const auto split = desktop::SplitCommandLine({"/debug", song, "/minimize"}, "/");
    ASSERT_EQ(split.files.size(), 1u);
    EXPECT_EQ(split.files[0], song);
    EXPECT_EQ(split.remaining, (std::vector<std::string>{"/debug", "/minimize"}));
    EXPECT_EQ(desktop::JoinArguments(split.remaining), "/debug /minimize");
    EXPECT_EQ(split.mode, desktop::AddMode::Play);
}

TEST_F(CommandLineFilesTest, RelativePathsFoldersAndFileUrisAreResolvedAndMissingOnesStayArguments)
{
    const std::string uri = QUrl::fromLocalFile(QString::fromStdString((m_dir / "develop/log/a song.mp3").string()))
                                .toString(QUrl::FullyEncoded)
                                .toStdString();
    ASSERT_NE(uri.find("%20"), std::string::npos);
    const auto split = desktop::SplitCommandLine({"b.mp3", "develop", uri, "--enqueue"}, m_dir.string());
    ASSERT_EQ(split.files.size(), 3u);
    EXPECT_EQ(split.files[0], (m_dir / "b.mp3").string());
    EXPECT_EQ(split.files[1], (m_dir / "develop").string());
    EXPECT_EQ(split.files[2], (m_dir / "develop/log/a song.mp3").string());
    EXPECT_TRUE(split.remaining.empty());
    EXPECT_EQ(split.mode, desktop::AddMode::Enqueue);

    // Missing paths stay arguments.
    const auto missing = desktop::SplitCommandLine({"/develop", "no-such.mp3", "file:///no/such.mp3", "/log"},
                                                   m_dir.string());
    EXPECT_TRUE(missing.files.empty());
    EXPECT_EQ(missing.remaining.size(), 4u);
}

} // namespace
