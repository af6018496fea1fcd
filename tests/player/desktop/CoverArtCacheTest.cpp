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

fs::path PathOf(const std::string& url)
{
    const QUrl parsed(QString::fromStdString(url));
    EXPECT_TRUE(parsed.isLocalFile()) << url;
    return parsed.toLocalFile().toStdString();
}

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
    const fs::path file = PathOf(*url);
    EXPECT_EQ(FileBytes(file), picture);

    // The same picture again (another track): the same file, not written again.
    const auto modified = fs::last_write_time(file);
    fs::last_write_time(file, modified - std::chrono::hours(1));
    const auto again = cache.Store("image/png", picture);
    ASSERT_TRUE(again);
    EXPECT_EQ(*again, *url);
    EXPECT_EQ(fs::last_write_time(file), modified - std::chrono::hours(1));

    // Another picture: another file beside it.
    const auto other = cache.Store("image/jpeg", testsupport::PngLikeBytes(2));
    ASSERT_TRUE(other);
    EXPECT_NE(*other, *url);
    EXPECT_TRUE(other->ends_with(".jpg")) << *other;
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 2);

    // A cut file of that name is written whole.
    fs::resize_file(file, 10);
    ASSERT_TRUE(cache.Store("image/png", picture));
    EXPECT_EQ(FileBytes(file), picture);
}

TEST(CoverArtCacheTest, NothingWhenThereIsNoPictureOrNoPlace)
{
    testsupport::TempFolder folder;
    EXPECT_FALSE(desktop::CoverArtCache(folder.Path().string()).Store("image/png", {}));
    std::ofstream(folder.Path() / "file") << "x";
    EXPECT_FALSE(desktop::CoverArtCache((folder.Path() / "file" / "art").string())
                     .Store("image/png", testsupport::PngLikeBytes(4)));
}

TEST(CoverArtCacheTest, TheUsersCacheFolderByDefault)
{
    testsupport::TempFolder folder;
    testsupport::ScopedEnvironment cache("XDG_CACHE_HOME", folder.Path().c_str());
    EXPECT_EQ(desktop::CoverArtCache().Folder(), (folder.Path() / "zelko" / "art").string() + "/");
}

} // namespace
