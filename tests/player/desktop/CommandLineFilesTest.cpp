#include "player/desktop/CommandLineFiles.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QUrl>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// Existing paths (relative ones, folders and file URIs too) are files; the
// switches and missing paths stay arguments; --enqueue chooses the mode.
TEST(CommandLineFilesTest, ExistingPathsAreFilesAndTheRestStayArguments)
{
    testsupport::TempFolder dir;
    fs::create_directories(dir.Path("develop/log"));
    const std::string song = dir.Path("develop/log/a song.mp3").string();
    std::ofstream(song) << "x";
    std::ofstream(dir.Path("b.mp3")) << "x";
    const auto split = desktop::SplitCommandLine({"/debug", song, "/minimize"}, "/");
    EXPECT_EQ(split.files, std::vector<std::string>{song});
    EXPECT_EQ(desktop::JoinArguments(split.remaining), "/debug /minimize");
    EXPECT_EQ(split.mode, desktop::AddMode::Play);

    const std::string uri = QUrl::fromLocalFile(QString::fromStdString(song)).toString(QUrl::FullyEncoded).toStdString();
    ASSERT_NE(uri.find("%20"), std::string::npos);
    const auto resolved = desktop::SplitCommandLine({"b.mp3", "develop", uri, "--enqueue"}, dir.Path().string());
    EXPECT_EQ(resolved.files, (std::vector<std::string>{dir.Path("b.mp3").string(), dir.Path("develop").string(), song}));
    EXPECT_TRUE(resolved.remaining.empty());
    EXPECT_EQ(resolved.mode, desktop::AddMode::Enqueue);

    const auto missing = desktop::SplitCommandLine({"/develop", "no-such.mp3", "file:///no/such.mp3", "/log"}, dir.Path().string());
    EXPECT_TRUE(missing.files.empty());
    EXPECT_EQ(missing.remaining.size(), 4u);
}

} // namespace
