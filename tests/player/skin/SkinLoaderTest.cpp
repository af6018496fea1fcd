#include "player/skin/SkinLoader.h"
#include "SkinTestSupport.h"

#include <gtest/gtest.h>

using namespace skin;

using platform::Rect;
using platform::Region;

namespace {

const char* const kMinimalSkin = "[body]\nmain=addrect value(0,0,40,30)\n";

void WriteRequiredPictures(const TempFolder& folder)
{
    folder.WritePicture("Body.bmp", 40, 30, QColor(1, 2, 3));
    folder.WritePicture("SysButtons.bmp", 8, 8, QColor(4, 5, 6));
    folder.WritePicture("PlayButtons.bmp", 8, 8, QColor(7, 8, 9));
    folder.WritePicture("Title.bmp", 8, 8, QColor(10, 11, 12));
}

} // namespace

TEST(SkinLoaderTest, SeparatingGivesTheOverlapToTheLaterRegionAndNeverCutsBody)
{
    ParsedSkinFile skin = ParseSkinText(
        "[body]\nmain=addrect value(0,0,100,100)\n[playbuttons]\nplay=addrect value(0,0,20,20)\n"
        "stop=addrect value(10,10,20,20)\n[sysbuttons]\nclose=addrect value(15,15,2,2)\n",
        "t.zks", SkinRegionContext{});
    SeparateSkinRegions(skin.coRgns);
    const Region play = *skin.coRgns.Find("playbuttons-play")->Rgn();
    const Region stop = *skin.coRgns.Find("playbuttons-stop")->Rgn();
    const Region close = *skin.coRgns.Find("sysbuttons-close")->Rgn();
    EXPECT_EQ(play, Region(Rect{0, 0, 20, 20}).Subtracted(Region(Rect{10, 10, 30, 30})));
    EXPECT_EQ(stop, Region(Rect{10, 10, 30, 30}).Subtracted(Region(Rect{15, 15, 17, 17})));
    EXPECT_EQ(close, Region(Rect{15, 15, 17, 17}));
    EXPECT_EQ(*skin.coRgns.Find("body-main")->Rgn(), Region(Rect{0, 0, 100, 100}));
}

TEST(SkinLoaderTest, BmpIsPreferredOverJpegAndNamesMatchInAnyCase)
{
    TempFolder folder;
    folder.Write("a.zks", kMinimalSkin);
    WriteRequiredPictures(folder);
    folder.WritePicture("Body.jpg", 40, 30, QColor(250, 250, 250), "JPG");
    EXPECT_EQ(FindSkinPicture(folder.Path(), "Body"), folder.Path() + "Body.bmp");
    std::filesystem::remove(folder.Path() + "Body.bmp");
    EXPECT_EQ(FindSkinPicture(folder.Path(), "Body"), folder.Path() + "Body.jpg");
    std::filesystem::rename(folder.Path() + "Title.bmp", folder.Path() + "TITLE.BMP");
    EXPECT_EQ(FindSkinPicture(folder.Path(), "Title"), folder.Path() + "TITLE.BMP");
    const SkinLoadResult result = LoadSkin(folder.Path(), "a.zks");
    ASSERT_TRUE(result.skin.has_value());
    EXPECT_GT(qRed(result.skin->pictures.picBody.pixel(5, 5)), 240) << "the JPEG body was read";
}

TEST(SkinLoaderTest, ASkinWithoutMainOrARequiredPictureIsRejected)
{
    TempFolder folder;
    folder.Write("nomain.zks", "[body]\nother=addrect value(0,0,5,5)\n");
    folder.Write("a.zks", std::string(kMinimalSkin) + "lyricsshow=addrect value(40,0,10,10)\n");
    WriteRequiredPictures(folder);
    EXPECT_FALSE(LoadSkin(folder.Path(), "nomain.zks").skin.has_value());

    EXPECT_FALSE(LoadSkin(folder.Path(), "a.zks").skin.has_value()) << "LyricsShow is required with body-lyricsshow";
    folder.WritePicture("LyricsShow.bmp", 50, 30, QColor(0, 255, 0));
    EXPECT_TRUE(LoadSkin(folder.Path(), "a.zks").skin.has_value()) << "LyricsHide stays optional";

    folder.Write("PlayButtons.bmp", "not a picture");
    EXPECT_FALSE(LoadSkin(folder.Path(), "a.zks").skin.has_value()) << "an unreadable picture counts as missing";

    const SkinLoadResult missing = LoadSkin(folder.Path(), "gone.zks");
    EXPECT_FALSE(missing.fileFound);
    EXPECT_FALSE(missing.skin.has_value());
}

TEST(SkinLoaderTest, BadLinesAreLoggedAndARejectedSkinNamesItsFolderAndTheFirstReason)
{
    TempFolder folder;
    folder.Write("a.zks", std::string(kMinimalSkin) + "[time]\nmm=addrect value(1,2)\n");
    WriteRequiredPictures(folder);
    std::vector<std::string> log;
    const SkinLoadResult loaded = LoadSkin(folder.Path(), "a.zks", [&](const std::string& line) { log.push_back(line); });
    ASSERT_TRUE(loaded.skin.has_value());
    ASSERT_EQ(loaded.problems.size(), 1u);
    EXPECT_EQ(loaded.problems[0].line, 4);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "- " + folder.Path() + "a.zks -");
    EXPECT_NE(log[1].find("a.zks(4)"), std::string::npos);
    EXPECT_EQ(SkinFailureText(folder.Path(), loaded), "");

    // A missing picture: which one, after the skipped line that did not reject the skin.
    std::filesystem::remove(folder.Path() + "PlayButtons.bmp");
    std::filesystem::remove(folder.Path() + "Title.bmp");
    const SkinLoadResult noPictures = LoadSkin(folder.Path(), "a.zks");
    ASSERT_FALSE(noPictures.skin.has_value());
    EXPECT_EQ(SkinFailureText(folder.Path(), noPictures),
              "skin " + folder.Path() + " not loaded: " + folder.Path() +
                  "PlayButtons.bmp: required picture missing (neither .bmp nor .jpg) (first skipped line: " +
                  folder.Path() + "a.zks:4: too few numbers for the operation in region time-mm (\"addrect value(1,2)\"))");
}
