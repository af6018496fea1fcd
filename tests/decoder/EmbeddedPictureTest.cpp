#include "decoder/EmbeddedPicture.h"

#include "support/Id3PictureTag.h"
#include "support/TempFolder.h"
#include "support/ToneMp3.h"

#include <gtest/gtest.h>

namespace {

using decoder::EmbeddedPicture;
using namespace testsupport;

class EmbeddedPictureTest : public ::testing::Test {
protected:
    // A short tone MP3 with the tag (if any) in front.
    std::filesystem::path Mp3With(const std::string& name, const TagBytes& tag)
    {
        Tone tone;
        tone.Seconds = 0.5;
        const auto mp3 = MakeToneMp3(m_folder.Path(), name, tone, "-b 64");
        PrependTag(mp3, tag);
        return mp3;
    }

    TempFolder m_folder;
};

TEST_F(EmbeddedPictureTest, APictureFrameOfEachVersionIsFound)
{
    const TagBytes png = PngLikeBytes(1);
    TagPicture mime{3, "image/png", 0, "cover", png};
    TagPicture letters{3, "PNG", 0, "cover", png};
    for (const int version : {2, 3, 4}) {
        const TagPicture& picture = version == 2 ? letters : mime;
        const auto mp3 = Mp3With("v" + std::to_string(version),
                                 Tag(version, {TextFrame(version, "Title"), PictureFrame(version, picture)}));
        const auto read = EmbeddedPicture::Read(mp3.string());
        ASSERT_TRUE(read) << "version 2." << version;
        EXPECT_EQ(read->Data, png) << "version 2." << version;
        EXPECT_EQ(read->MimeType, "image/png") << "version 2." << version;
    }
}

TEST_F(EmbeddedPictureTest, UnsynchronisedTagsAndFramesAreRestored)
{
    const TagBytes png = PngLikeBytes(2);
    const TagPicture picture{3, "image/png", 0, "", png};
    const auto v3 = EmbeddedPicture::FromTag(Tag(3, {PictureFrame(3, picture)}, true));
    ASSERT_TRUE(v3);
    EXPECT_EQ(v3->Data, png);
    const auto v4 = EmbeddedPicture::FromTag(Tag(4, {PictureFrame(4, picture, true)}));
    ASSERT_TRUE(v4);
    EXPECT_EQ(v4->Data, png);
}

TEST_F(EmbeddedPictureTest, TheFrontCoverIsPreferredAndAWideDescriptionIsSkipped)
{
    const TagBytes back = PngLikeBytes(3);
    const TagBytes front = PngLikeBytes(4);
    // "ab" in UTF-16 with its byte-order mark.
    const std::string wide{'\xFF', '\xFE', 'a', '\0', 'b', '\0'};
    const auto read = EmbeddedPicture::FromTag(Tag(3, {PictureFrame(3, TagPicture{4, "image/png", 1, wide, back}), PictureFrame(3, TagPicture{3, "image/png", 1, wide, front})}));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Data, front);
    const auto first = EmbeddedPicture::FromTag(Tag(3, {PictureFrame(3, TagPicture{4, "", 0, "x", back}), PictureFrame(3, TagPicture{8, "", 0, "y", front})}));
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Data, back);
    // No MIME text: the bytes tell.
    EXPECT_EQ(first->MimeType, "image/png");
}

TEST_F(EmbeddedPictureTest, NoTagOrNoPictureGivesNothing)
{
    EXPECT_FALSE(EmbeddedPicture::Read(Mp3With("plain", {}).string()));
    const auto titled = Mp3With("titled", Tag(3, {TextFrame(3, "Only a title")}));
    EXPECT_FALSE(EmbeddedPicture::Read(titled.string()));
    EXPECT_FALSE(EmbeddedPicture::Read((m_folder.Path() / "missing.mp3").string()));
    // A frame that claims more bytes than the tag holds is not read past the tag.
    TagBytes cut = Tag(3, {PictureFrame(3, TagPicture{3, "image/png", 0, "", PngLikeBytes(5)})});
    cut.resize(cut.size() - 200);
    cut[9] = static_cast<std::uint8_t>((cut.size() - 10) & 0x7F);
    cut[8] = static_cast<std::uint8_t>(((cut.size() - 10) >> 7) & 0x7F);
    EXPECT_FALSE(EmbeddedPicture::FromTag(cut));
}

} // namespace
