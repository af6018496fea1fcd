// Lengths, stream information and tags through dec_getFileInfo and dec_open.
#include "TestMedia.h"

#include "decoder/Decoder.h"
#include "decoder/Mp3Probe.h"

#include <gtest/gtest.h>

#include <cstring>

namespace decoder::test {
namespace {

namespace fs = std::filesystem;

class DecoderFileInfoTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new TempDir();
        s_plain = new fs::path(MakeMp3(*s_dir, "plain", Tone{1000, 1.0, 44100, 2, 0.3}, "-b 128"));
    }
    static void TearDownTestSuite()
    {
        delete s_plain;
        delete s_dir;
    }

    static fs::path Copy(const std::string& name)
    {
        const auto path = s_dir->Path(name);
        fs::copy_file(*s_plain, path, fs::copy_options::overwrite_existing);
        return path;
    }

    struct Info {
        bool Ok = false;
        FileTagRecord Tags;
        FileInfoRecord Stream;
    };
    static Info Read(const fs::path& path)
    {
        Decoder d(DecoderOptions{"null", 1.0});
        Info info;
        std::memset(static_cast<void*>(&info.Tags), 0x55, sizeof info.Tags); // stale bytes must be cleared
        std::memset(static_cast<void*>(&info.Stream), 0x55, sizeof info.Stream);
        info.Ok = d.dec_getFileInfo(path.string(), info.Tags, info.Stream);
        return info;
    }

    static inline TempDir* s_dir = nullptr;
    static inline fs::path* s_plain = nullptr;
};

TEST_F(DecoderFileInfoTest, LengthIsExactWithAVbrHeaderAndForConstantBitRatesAndMeasuredWithout)
{
    struct Case {
        const char* Name;
        Tone Sound;
        const char* Lame;
        int32_t Ms;
        int32_t Tolerance;
        int32_t Rate;
        int32_t Channels;
        int32_t Version;
        int32_t Mode;
    };
    const Case cases[] = {
        {"vbr-xing", Tone{440, 3.0, 44100, 2, 0.5}, "-V 2", 3000, 1, 44100, 2, 10, 1},
        {"cbr-info", Tone{440, 3.0, 44100, 2, 0.5}, "-b 128", 3000, 1, 44100, 2, 10, 0},
        {"cbr-no-header", Tone{440, 3.0, 44100, 2, 0.5}, "-b 128 -t", 3000, 60, 44100, 2, 10, 0},
        {"vbr-mono-32k", Tone{1000, 2.0, 32000, 1, 0.5}, "-V 4 -m m", 2000, 1, 32000, 1, 10, 1},
        {"mpeg2-22k", Tone{500, 2.0, 22050, 2, 0.5}, "-b 64", 2000, 1, 22050, 2, 20, 0},
        {"resampled", Tone{500, 2.0, 44100, 2, 0.5}, "--resample 32 -b 96", 2000, 1, 32000, 2, 10, 0},
        // No room for the encoder's delay record: the length includes delay and padding.
        {"mpeg25-8k", Tone{300, 2.0, 8000, 1, 0.5}, "-m m -b 16", 2000, 200, 8000, 1, 25, 0},
        {"mpeg25-11k", Tone{300, 2.0, 11025, 1, 0.5}, "-m m -b 24", 2000, 200, 11025, 1, 25, 0},
        // Free format: the headers state no bit rate, and no header counts the frames.
        {"free-format", Tone{440, 3.0, 44100, 2, 0.5}, "--freeformat -b 320 -t", 3000, 60, 44100, 2, 10, 0},
        // Measured from the frame headers; tone and silence make the frame sizes vary.
        {"vbr-no-header", Tone{700, 2.0, 44100, 2, 0.7, 0, 2.0}, "-V 0 -t", 4000, 60, 44100, 2, 10, 1},
    };
    for (const auto& c : cases) {
        const auto path = MakeMp3(*s_dir, c.Name, c.Sound, c.Lame);
        const auto info = Read(path);
        ASSERT_TRUE(info.Ok) << c.Name;
        EXPECT_NEAR(info.Stream.TotalMs, c.Ms, c.Tolerance) << c.Name;
        EXPECT_EQ(info.Stream.TotalSec, c.Ms / 1000) << c.Name;
        EXPECT_EQ(info.Stream.SampleRate, c.Rate) << c.Name;
        EXPECT_EQ(info.Stream.Channels, c.Channels) << c.Name;
        EXPECT_EQ(info.Stream.MpegVersion, c.Version) << c.Name;
        EXPECT_EQ(info.Stream.Layer, 3) << c.Name;
        EXPECT_EQ(info.Stream.BitrateMode, c.Mode) << c.Name;
        EXPECT_EQ(info.Stream.FileBytes, static_cast<int32_t>(fs::file_size(path))) << c.Name;
    }
}

TEST_F(DecoderFileInfoTest, LongVariableBitRateFilesWithoutHeaderAreEstimatedFromSamples)
{
    // Copies of a short headerless file make one big enough to be sampled rather than walked.
    Tone sound{700, 2.0, 44100, 2, 0.7};
    sound.SilentSeconds = 1.0;
    const auto piece = MakeMp3(*s_dir, "vbr-piece", sound, "-V 0 -t");
    const auto pieceProbe = Mp3Probe::Probe(piece.string());
    ASSERT_TRUE(pieceProbe);
    const std::string bytes = ReadFileBytes(piece);
    std::string chained;
    int copies = 0;
    while (chained.size() < 2500u * 1024) {
        chained += bytes;
        ++copies;
    }
    const auto big = s_dir->Path("vbr-long.mp3");
    WriteFileBytes(big, chained);
    const auto probe = Mp3Probe::Probe(big.string());
    ASSERT_TRUE(probe);
    EXPECT_EQ(probe->Source, Mp3StreamInfo::LengthSource::Sampled);
    const double expected = static_cast<double>(pieceProbe->TotalMs) * copies;
    EXPECT_NEAR(static_cast<double>(probe->TotalMs), expected, expected * 0.03);
}

TEST_F(DecoderFileInfoTest, TitleAndArtistComeFromId3v2InAnyEncodingElseId3v1)
{
    struct Case {
        const char* Name;
        std::vector<Id3v2Frame> V2;
        int Version;
        const char* V1Title;
        const char* V1Artist;
        const char* Title;
        const char* Artist;
    };
    const std::string cp932Title = "\x93\xfa\x96\x7b\x8c\xea"; // 日本語 in CP932
    const std::string cp932Artist = "\x89\xcc\x8e\xe8";        // 歌手
    const Case cases[] = {
        {"v2-latin1", {{"TIT2", 0, "Caf\xe9"}, {"TPE1", 0, "Bj\xf6rk"}}, 3, nullptr, nullptr, "Café", "Björk"},
        {"v2-utf16", {{"TIT2", 1, Utf16LeWithBom(u"日本語")}, {"TPE1", 1, Utf16LeWithBom(u"歌手")}}, 3, nullptr, nullptr, "日本語", "歌手"},
        {"v24-utf8", {{"TIT2", 3, "日本語"}, {"TPE1", 3, "Ärtist"}}, 4, nullptr, nullptr, "日本語", "Ärtist"},
        {"v22-utf16", {{"TT2", 1, Utf16LeWithBom(u"歌の題")}, {"TP1", 0, "Band"}}, 2, nullptr, nullptr, "歌の題", "Band"},
        {"v2-latin1-cp932", {{"TIT2", 0, cp932Title}, {"TPE1", 0, cp932Artist}}, 3, nullptr, nullptr, "日本語", "歌手"},
        {"v1-cp932", {}, 3, cp932Title.c_str(), cp932Artist.c_str(), "日本語", "歌手"},
        {"v2-title-v1-artist", {{"TIT2", 0, "Title2"}}, 3, "Title1", "Artist1", "Title2", "Artist1"},
        {"none", {}, 3, nullptr, nullptr, "", ""},
    };
    for (const auto& c : cases) {
        const auto path = Copy(std::string(c.Name) + ".mp3");
        if (c.V1Title)
            AppendId3v1(path, c.V1Title, c.V1Artist);
        if (!c.V2.empty())
            PrependId3v2(path, c.V2, c.Version);
        const auto info = Read(path);
        ASSERT_TRUE(info.Ok) << c.Name;
        EXPECT_STREQ(info.Tags.Title, c.Title) << c.Name;
        EXPECT_STREQ(info.Tags.Artist, c.Artist) << c.Name;
        EXPECT_EQ(info.Stream.HasId3v1, c.V1Title ? 1 : 0) << c.Name;
        EXPECT_EQ(info.Stream.HasId3v2, c.V2.empty() ? 0 : 1) << c.Name;
        // The tags do not change the length.
        EXPECT_NEAR(info.Stream.TotalMs, 1000, 1) << c.Name;
    }
    // Opening the track reads the same tags.
    Decoder d(DecoderOptions{"null", 1.0});
    TrackOpenRecord open;
    ASSERT_TRUE(d.dec_open(s_dir->Path("v2-title-v1-artist.mp3").string(), open));
    EXPECT_STREQ(open.Title, "Title2");
    EXPECT_STREQ(open.Artist, "Artist1");
}

TEST_F(DecoderFileInfoTest, OtherTagFieldsAndLongTextsCutAtACharacterBoundary)
{
    const auto path = Copy("fields.mp3");
    AppendId3v1(path, "T", "A", "Album1", "1999", 17);
    std::u16string longTitle;
    for (int i = 0; i < 100; ++i)
        longTitle += u'語';
    PrependId3v2(path, {{"TIT2", 1, Utf16LeWithBom(longTitle)}, {"TCON", 0, "(13)Pop"}});
    const auto info = Read(path);
    ASSERT_TRUE(info.Ok);
    // 42 three-byte characters fit in 127 bytes.
    EXPECT_EQ(std::strlen(info.Tags.Title), 126u);
    EXPECT_EQ(info.Tags.Title[127], '\0');
    EXPECT_STREQ(info.Tags.Album, "Album1");
    EXPECT_STREQ(info.Tags.Year, "1999");
    EXPECT_EQ(info.Tags.Genre, 13);
    EXPECT_STREQ(info.Tags.GenreName, "(13)Pop");
    // The padding between the comment and the genre number is zero.
    const auto* bytes = reinterpret_cast<const unsigned char*>(&info.Tags);
    EXPECT_EQ(bytes[517] | bytes[518] | bytes[519], 0);
}

TEST_F(DecoderFileInfoTest, UnreadableFilesGiveZeroRecords)
{
    WriteFileBytes(s_dir->Path("empty.mp3"), "");
    WriteFileBytes(s_dir->Path("text.mp3"), "This is not an MP3 file.\n");
    WriteFileBytes(s_dir->Path("only-tag.mp3"), std::string("ID3\x03\0\0\0\0\0\x10", 10) + std::string(16, '\0'));
    fs::create_directories(s_dir->Path("folder.mp3"));
    for (const char* name : {"empty.mp3", "text.mp3", "only-tag.mp3", "missing.mp3", "folder.mp3"}) {
        const auto info = Read(s_dir->Path(name));
        EXPECT_FALSE(info.Ok) << name;
        const FileTagRecord zeroTags{};
        const FileInfoRecord zeroInfo{};
        EXPECT_EQ(std::memcmp(&info.Tags, &zeroTags, sizeof zeroTags), 0) << name;
        EXPECT_EQ(std::memcmp(&info.Stream, &zeroInfo, sizeof zeroInfo), 0) << name;
    }
}

} // namespace
} // namespace decoder::test
