#include "player/desktop/CoverArtCache.h"

#include "support/Id3PictureTag.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

testsupport::TagBytes FileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return testsupport::TagBytes((std::istreambuf_iterator<char>(in)), {});
}

// Named after its content: the same picture again (another track) is not
// written again, another one goes beside it, a cut file is written whole.
TEST(CoverArtCacheTest, APictureIsWrittenOnceUnderANameFromItsContent)
{
    testsupport::TempFolder folder;
    const desktop::CoverArtCache cache((folder.Path() / "art with space").string());
    const auto picture = testsupport::PngLikeBytes(1);
    const auto url = cache.Store("image/png", picture);
    ASSERT_TRUE(url);
    EXPECT_TRUE(url->starts_with("file:///")) << *url;
    EXPECT_NE(url->find("art%20with%20space/"), std::string::npos) << *url;
    EXPECT_TRUE(url->ends_with(".png")) << *url;
    const fs::path file = QUrl(QString::fromStdString(*url)).toLocalFile().toStdString();
    EXPECT_EQ(FileBytes(file), picture);

    const auto modified = fs::last_write_time(file) - std::chrono::hours(1);
    fs::last_write_time(file, modified);
    EXPECT_EQ(cache.Store("image/png", picture), url);
    EXPECT_EQ(fs::last_write_time(file), modified);

    const auto other = cache.Store("image/jpeg", testsupport::PngLikeBytes(2));
    ASSERT_TRUE(other);
    EXPECT_TRUE(other->ends_with(".jpg")) << *other;
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 2);

    fs::resize_file(file, 10);
    ASSERT_TRUE(cache.Store("image/png", picture));
    EXPECT_EQ(FileBytes(file), picture);
}

TEST(CoverArtCacheTest, NothingWhenThereIsNoPictureOrNoPlace)
{
    testsupport::TempFolder folder;
    EXPECT_FALSE(desktop::CoverArtCache(folder.Path().string()).Store("image/png", {}));
    std::ofstream(folder.Path() / "file") << "x";
    EXPECT_FALSE(desktop::CoverArtCache((folder.Path() / "file" / "art").string()).Store("image/png", testsupport::PngLikeBytes(4)));
}

TEST(CoverArtCacheTest, TheUsersCacheFolderByDefault)
{
    testsupport::ScopedEnvironment cache("XDG_CACHE_HOME", "/home/u/.cache");
    EXPECT_EQ(desktop::CoverArtCache().Folder(), "/home/u/.cache/zelko/art/");
}

} // namespace
