// One file per kind of damage: no crash or hang, the list goes on and is saved as it was.
#include "PlayerTestSupport.h"
#include "support/Id3PictureTag.h"

#include <fstream>
#include <random>

namespace playertest {
namespace {

constexpr const char* CannotPlay = "を再生できません";

void WriteBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

testsupport::Tone ToneOf(double seconds, int rate, int channels)
{
    return {330.0, seconds, rate, channels, 6000.0 / 32767.0, 440.0};
}

fs::path Encode(const fs::path& dir, const std::string& name, double seconds, int rate, int channels,
                const std::string& lameArguments)
{
    return testsupport::MakeToneMp3(dir, name, ToneOf(seconds, rate, channels), lameArguments + " --tt '" + name + "'");
}

// An ID3v2.3 tag holding a title, padded to realSize, whose header claims declaredSize.
std::string Id3v2Tag(std::uint32_t declaredSize, std::size_t realSize)
{
    testsupport::TagBytes tag = testsupport::Tag(3, {testsupport::TextFrame(3, "Tagged title")});
    tag.resize(10 + realSize, 0);
    testsupport::TagBytes size;
    testsupport::id3detail::SyncSafe(size, declaredSize);
    std::copy(size.begin(), size.end(), tag.begin() + 6);
    return std::string(tag.begin(), tag.end());
}

enum class Outcome { Refused,
                     Played };

struct Medium {
    std::string name;
    fs::path path;
    Outcome expected;
};

using BadMediaTest = PlayerTest;

TEST_F(BadMediaTest, ThePlayerGoesThroughAListOfBadFilesAndKeepsTheList)
{
    const fs::path media = m_folder.Path() / "media";
    fs::create_directories(media);
    std::vector<Medium> list;
    const auto add = [&list](const std::string& name, const fs::path& path, Outcome expected) {
        list.push_back({name, path, expected});
    };

    add("good first", Encode(media, "good1", 1.5, 22050, 1, "-b 32"), Outcome::Played);

    WriteBytes(media / "zero.mp3", "");
    add("zero-length", media / "zero.mp3", Outcome::Refused);

    const fs::path whole = Encode(media, "whole", 2.0, 44100, 2, "-b 128");
    const std::string wholeBytes = m_folder.ReadFile(whole);
    WriteBytes(media / "cut-frame.mp3", wholeBytes.substr(0, wholeBytes.size() / 2 + 211));
    add("cut inside a frame", media / "cut-frame.mp3", Outcome::Played);

    WriteBytes(media / "cut-tag.mp3", (Id3v2Tag(4000, 4000) + wholeBytes).substr(0, 1500));
    add("cut inside the ID3v2 tag", media / "cut-tag.mp3", Outcome::Refused);

    std::mt19937 random(20261207);
    std::string noise(64 * 1024, '\0');
    for (char& c : noise)
        c = static_cast<char>(random() & 0xFF);
    WriteBytes(media / "noise.mp3", noise);
    add("random bytes", media / "noise.mp3", Outcome::Refused);

    testsupport::WriteToneWav(media / "wave.mp3", ToneOf(1.0, 44100, 2));
    add("a WAV named .mp3", media / "wave.mp3", Outcome::Refused);

    WriteBytes(media / "huge-tag.mp3", Id3v2Tag(200u * 1024 * 1024, 2000) + wholeBytes);
    add("an ID3v2 tag claiming 200 MiB", media / "huge-tag.mp3", Outcome::Refused);

    const fs::path deleted = Encode(media, "deleted", 12.0, 22050, 1, "-b 32");
    add("deleted while it plays", deleted, Outcome::Played);
    add("good last", Encode(media, "good2", 1.5, 22050, 1, "-b 32"), Outcome::Played);

    std::vector<std::string> paths;
    for (const Medium& m : list)
        paths.push_back(m.path.string());
    m_folder.WriteList(paths);
    const std::string savedList = m_folder.ReadFile(m_folder.List());

    Load(4.0);
    ASSERT_TRUE(m_loadResult);
    ASSERT_EQ(Player().Playback().coMp3Files().Items().size(), list.size());

    Player().cButtonAction_PlayClick();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Medium& m = list[i];
        const auto position = static_cast<std::int32_t>(i + 1);
        SCOPED_TRACE(m.name);
        ASSERT_EQ(Player().Playback().PlayPosition(), position);
        const bool refused = !Player().Loop().TimerActive() && Player().Playback().bPlay() &&
            Player().App().TrackName().find(CannotPlay) != std::string::npos;
        EXPECT_EQ(refused ? Outcome::Refused : Outcome::Played, m.expected) << Player().App().TrackName();
        if (refused) {
            EXPECT_NE(Player().App().TrackName().find(m.path.filename().string()), std::string::npos);
            // Started without sound until the user moves on.
            Player().cButtonAction_NTrackClick();
            continue;
        }
        EXPECT_TRUE(Player().Loop().TimerActive());
        if (m.path == deleted) {
            ASSERT_TRUE(WaitFor([&] { return Player().Decoder().dec_getPlayMs() > 500; }, 10000));
            fs::remove(deleted);
        }
        // The track ends (early when deleted) and the play loop moves on.
        const bool last = i + 1 == list.size();
        ASSERT_TRUE(WaitFor([&] { return last ? Player().Playback().bStop() : Player().Playback().PlayPosition() != position; },
                            15000))
            << "position " << Player().Playback().PlayPosition();
    }
    // Past the end with repeat off: stopped at the first track of the order.
    EXPECT_TRUE(Player().Playback().bStop());
    EXPECT_EQ(Player().Playback().PlayPosition(), 1);

    m_player->Form_Unload();
    EXPECT_EQ(m_folder.ReadFile(m_folder.List()), savedList);
}

} // namespace
} // namespace playertest
