#include "protocol/AnalyzeRecord.h"
#include "protocol/CommandWords.h"
#include "protocol/PlayStateRecord.h"
#include "protocol/RecordPayload.h"
#include "protocol/SongInfoRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace protocol;

namespace {
template <typename Record>
std::vector<unsigned> BytesOf(const Record& r)
{
    std::vector<unsigned> out;
    for (std::byte b : PayloadOf(r))
        out.push_back(static_cast<unsigned>(b));
    return out;
}
} // namespace

// The offsets are pinned where the records are declared; here, what a field holds.
TEST(PlayStateRecord, FlagsAreSixteenBitBooleansAndAFreshRecordIsStopped)
{
    PlayStateRecord r;
    r.bRepeat = ToVbBool(true);
    r.Volume = 80;
    const std::vector<unsigned> expected{0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 80, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(BytesOf(r), expected);
    EXPECT_FALSE(FromVbBool(ToVbBool(false)));
    EXPECT_TRUE(FromVbBool(1)); // any non-zero value reads as true
}

TEST(SongInfoRecord, FieldsReadUpToTheFirstNul)
{
    SongInfoRecord r;
    SetSongFieldAnsi(r.ArtistName, "Artist", platform::AnsiCharset::Utf8);
    EXPECT_EQ(BytesOf(r)[6], 0u);

    // A shorter text leaves the old bytes after its NUL; they are not part of the value.
    SetSongFieldAnsi(r.ArtistName, "Ab", platform::AnsiCharset::Utf8);
    EXPECT_EQ(SongFieldBytes(r.ArtistName), "Ab");
    EXPECT_EQ(r.ArtistName[3], 'i');
    // Empty text is a NUL at the first byte.
    SetSongFieldAnsi(r.TrackName, "", platform::AnsiCharset::Utf8);
    EXPECT_EQ(r.TrackName[0], '\0');
    EXPECT_EQ(SongFieldBytes(r.TrackName), "");
    // A field without any NUL reads as all 256 bytes.
    r.Mp3File.fill('x');
    EXPECT_EQ(SongFieldBytes(r.Mp3File).size(), 256u);
}

TEST(SongInfoRecord, LongTextsAreCutAtACharacterBoundary)
{
    SongInfoRecord r;
    const std::string exact(255, 'a');
    EXPECT_EQ(SetSongFieldAnsi(r.TrackName, exact, platform::AnsiCharset::Utf8), 255u);
    EXPECT_EQ(SongFieldBytes(r.TrackName), exact);
    EXPECT_EQ(r.TrackName[255], '\0');

    EXPECT_EQ(SetSongFieldAnsi(r.TrackName, std::string(300, 'b'), platform::AnsiCharset::Utf8), 255u);
    EXPECT_EQ(r.TrackName[255], '\0');

    // CP932: 254 single bytes then a double-byte character would need 256.
    const std::string cp932 = std::string(254, 'c') + "\x93\xFA";
    EXPECT_EQ(SetSongFieldAnsi(r.ArtistName, cp932, platform::AnsiCharset::Cp932), 254u);
    EXPECT_EQ(SongFieldBytes(r.ArtistName), std::string(254, 'c'));

    // UTF-8 text written in the CP932 set and read back.
    SetSongFieldText(r.Mp3File, "\xE6\x97\xA5\xE6\x9C\xAC.mp3", platform::AnsiCharset::Cp932);
    EXPECT_EQ(SongFieldBytes(r.Mp3File), "\x93\xFA\x96\x7B.mp3");
    EXPECT_EQ(SongFieldText(r.Mp3File, platform::AnsiCharset::Cp932), "\xE6\x97\xA5\xE6\x9C\xAC.mp3");
}

TEST(RecordPayload, OnlyAPayloadOfTheRecordsExactSizeIsCopied)
{
    PlayStateRecord source;
    source.Volume = 55;
    PlayStateRecord target;
    const auto bytes = PayloadOf(source);
    EXPECT_TRUE(CopyPayload(target, bytes.data(), bytes.size()));
    EXPECT_EQ(target.Volume, 55);

    PlayStateRecord untouched;
    std::vector<std::byte> longer(bytes.begin(), bytes.end());
    longer.push_back(std::byte{1});
    EXPECT_FALSE(CopyPayload(untouched, longer.data(), longer.size()));
    EXPECT_FALSE(CopyPayload(untouched, bytes.data(), 12));
    EXPECT_FALSE(CopyPayload(untouched, nullptr, 20));
    EXPECT_EQ(untouched.Volume, 0);
}

TEST(CommandWords, CommandAndArgumentHalves)
{
    EXPECT_EQ(CommandOf(0x0F04FFFFu), CmdAnnounce);
    EXPECT_EQ(ArgumentOf(0x0F060050u), 0x50u);
    EXPECT_EQ(MakeCommand(CmdVolume, 80), 0x0F060050u);
    EXPECT_EQ(MakeCommand(CmdAnnounce, 0x12345), 0x0F042345u); // the argument keeps 16 bits
}
