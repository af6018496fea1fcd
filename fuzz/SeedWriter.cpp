// Writes the starting corpora of the fuzz targets, one folder per target,
// from the project's own parts: the shipped skin files, regions made by the
// region code, settings written by the settings writer, frames made by the
// frame encoder, and MP3 files made by the test media builders (lame).
//
//   fuzz_seeds OUTDIR
#include "decoder/TestMedia.h"
#include "platform/CodePage.h"
#include "platform/ProfileFile.h"
#include "platform/Region.h"
#include "platform/RequestFrame.h"
#include "platform/WindowMessages.h"
#include "player/shell/ZelkoSettings.h"
#include "protocol/RecordPayload.h"
#include "protocol/SongInfoRecord.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using decoder::test::Id3v2Frame;

fs::path g_out;

void Seed(const std::string& target, const std::string& name, const std::string& bytes)
{
    const fs::path folder = g_out / target;
    fs::create_directories(folder);
    decoder::test::WriteFileBytes(folder / name, bytes);
}

std::string RegionBytes(const platform::Region& region)
{
    std::string bytes;
    for (const int32_t n : region.ToRgnData()) {
        const auto v = static_cast<uint32_t>(n);
        for (int shift = 0; shift < 32; shift += 8)
            bytes += static_cast<char>((v >> shift) & 0xFF);
    }
    return bytes;
}

platform::Region Outline()
{
    const std::vector<platform::Point> octagon{{10, 0}, {370, 0}, {380, 10}, {380, 160}, {370, 170}, {10, 170}, {0, 160}, {0, 10}};
    return platform::Region::FromPolygon(octagon);
}

void SkinSeeds()
{
    const std::string outline = RegionBytes(Outline());
    for (const char* name : {"Carbon", "Meadow"}) {
        std::string text = decoder::test::ReadFileBytes(fs::path(ZELKO_SOURCE_DIR) / "skins" / name / (std::string(name) + ".zks"));
        for (std::size_t at; (at = text.find("Main.rgn")) != std::string::npos;)
            text.replace(at, 8, "r.rgn");
        Seed("SkinFile", name, text + "\n#RGN\n" + outline);
    }
    Seed("SkinFile", "shapes",
         "[Body]\r\nMain=addpoints value(0,0,200,0,200,100,0,100)\r\nMain=diffrect value(5,5,10,10)\r\n"
         "Main=addrgndata value(32,1,1,16,0,0,4,4,0,0,4,4)\r\nMain=diffrgndata file(./r.rgn)\r\n"
         "LyricsShow=addrect value(200,0,100,100)\r\n[PlayButtons]\r\nPlay=addrect value(10,10,20,20)\r\n"
         "Stop=addpoints value(15,15,40,15,40,40)\r\n[PlayButtonsSource]\r\nPlay=rect value(0,0,20,20)\r\n"
         "[Peek]\r\n0=value(3)\r\n[LyricsBox]\r\nCurrentColor=00FFFF\r\n[TitleBox]\r\nForeColor=FFFFFF\r\n"
         "\n#RGN\n" +
             RegionBytes(platform::Region(platform::Rect{20, 20, 60, 40})));
    Seed("SkinFile", "cp932", platform::CodePage::ToCp932("; スキン\r\n[Body]\r\nMain=addrect value(0,0,64,64)\r\n"
                                                          "[TitleBox]\r\nTextRect=addrect value(1,1,30,8)\r\n"));
}

void RegionSeeds()
{
    Seed("RegionData", "outline", RegionBytes(Outline()));
    Seed("RegionData", "rect", RegionBytes(platform::Region(platform::Rect{0, 0, 40, 30})));
    const std::vector<platform::Rect> bands{{0, 0, 4, 1}, {2, 1, 8, 2}, {0, 2, 9, 3}, {5, 3, 6, 9}};
    Seed("RegionData", "bands", RegionBytes(platform::Region::FromRects(bands)));
    Seed("RegionData", "empty", RegionBytes(platform::Region()));
}

void ProfileSeeds()
{
    shell::ZelkoSettings settings;
    settings.SkinPath = "$(AppPath)\\Skins\\Carbon\\";
    settings.SkinFile = "Carbon.zks";
    settings.Volume = 75;
    settings.WindowLeft = -20;
    settings.WindowTop = 300;
    settings.LyricsFolder = "/home/ユーザー/歌詞";
    platform::ProfileFile profile = platform::ProfileFile::FromBytes("; comment\r\n[Skin]\r\nPath=old\r\n");
    shell::SettingsFile::Write(profile, settings, {"RemoteZKA", "ScopeZKA"});
    const std::string text = profile.ToText();
    Seed("Profile", "utf8", text);
    Seed("Profile", "cp932", platform::CodePage::ToCp932(text));
    Seed("Profile", "odd", "[PlayInfo]\nVolume = 1e3\nRepeat=Non\n[playinfo]\nShuffle=-1\n[Window]\nLeft=2147483648\n"
                           "Top= 12.5 \n[Assist]\nExecuteFile=a\n\nExecuteFile=b\n;x\n");
}

void PlayListSeeds()
{
    const std::string list = "/etc/hostname\r\n/etc/passwd\r\n\r\n/tmp\r\n/nonexistent/曲.mp3\r\n.hidden\r\n";
    Seed("PlayList", "utf8", list);
    Seed("PlayList", "cp932", platform::CodePage::ToCp932(list));
    Seed("PlayList", "lf", "/etc/hostname\n/etc/hosts");
}

void LyricsSeeds()
{
    const std::string lrc =
        "[ti:歌]\r\n[ar:Artist]\r\n[al:Album]\r\n[offset:+250]\r\n[00:01.00]First\r\n"
        "[00:02.50][01:02.500]Twice <00:02.70>word <00:03.00>times\r\n[0:04:20]colon form\r\n"
        "[00:05]whole seconds\r\n[xx:yy]bad\r\n[00:06.1]tenths\r\nno tag\r\n[999:59.99]late\r\n";
    Seed("Lyrics", "lrc", std::string(1, '\0') + lrc);
    Seed("Lyrics", "lrc-cp932", std::string(1, '\0') + platform::CodePage::ToCp932(lrc));
    const std::string at = "@Title=曲\r\n@Artist=A\r\n@Album=B\r\n@Offset=-300\r\n[00:01.00]one\r\n"
                           "[00:02.00]@hidden\r\n[00:03.00]three\r\n";
    Seed("Lyrics", "atmark", std::string(1, '\x05') + at);
    Seed("Lyrics", "atmark-cp932", std::string(1, '\x07') + "\xEF\xBB\xBF" + at);
    Seed("Lyrics", "plain", std::string(1, '\0') + "plain text\nwithout any time\n");
}

// A VBRI header written into the first frame of a constant bit rate file.
std::string WithVbri(std::string mp3, uint32_t frames)
{
    const std::size_t at = 36;
    if (mp3.size() < at + 26) return mp3;
    std::string header = "VBRI";
    header += std::string("\x00\x01\x00\x00\x00\x00", 6);
    header += std::string("\x00\x00\x10\x00", 4); // bytes
    for (int shift = 24; shift >= 0; shift -= 8)
        header += static_cast<char>((frames >> shift) & 0xFF);
    header += std::string(8, '\0');
    mp3.replace(at, header.size(), header);
    return mp3;
}

void MediaSeeds()
{
    const decoder::test::TempDir dir;
    struct Media {
        const char* name;
        decoder::test::Tone tone;
        const char* lame;
    };
    const std::vector<Media> media{
        {"cbr", {440, 0.2, 44100, 2}, "-b 128"},
        {"vbr", {660, 0.3, 44100, 2}, "-V 4"},
        {"mpeg2", {300, 0.2, 22050, 1}, "--resample 22.05 -m m -b 32"},
        {"mpeg25", {200, 0.3, 8000, 1}, "--resample 8 -m m -b 8"},
        {"48k", {1000, 0.2, 48000, 2}, "--resample 48 -b 96"},
    };
    for (const Media& m : media) {
        const fs::path mp3 = decoder::test::MakeMp3(dir, m.name, m.tone, m.lame);
        const std::string bytes = decoder::test::ReadFileBytes(mp3);
        Seed("Mp3Probe", m.name, bytes);
        Seed("Decode", m.name, bytes);
        Seed("Tag", m.name, bytes.substr(0, 2048));
    }
    const std::string cbr = decoder::test::ReadFileBytes(dir.Path("cbr.mp3"));
    Seed("Mp3Probe", "vbri", WithVbri(cbr, 9));
    Seed("Decode", "vbri", WithVbri(cbr, 9));

    // Tags of every version and text encoding, with CP932 in Latin-1 frames.
    const std::string cp932Title = platform::CodePage::ToCp932("さくら");
    const std::vector<std::pair<int, std::vector<Id3v2Frame>>> tags{
        {2, {{"TT2", 0, cp932Title}, {"TP1", 1, decoder::test::Utf16LeWithBom(u"歌手")}, {"TCO", 0, "(13)"}}},
        {3, {{"TIT2", 0, cp932Title}, {"TPE1", 1, decoder::test::Utf16LeWithBom(u"Artist")}, {"TALB", 0, "Album"}, {"TYER", 0, "1999"}, {"TCON", 0, "(17)Rock"}}},
        {4, {{"TIT2", 3, "タイトル"}, {"TPE1", 2, std::string("\x30\x42\x30\x44", 4)}, {"TDRC", 3, "2024"}, {"TCON", 3, "Jazz"}}},
    };
    for (const auto& [version, frames] : tags) {
        const fs::path file = dir.Path("tag" + std::to_string(version) + ".mp3");
        decoder::test::WriteFileBytes(file, cbr.substr(0, 1200));
        decoder::test::PrependId3v2(file, frames, version);
        decoder::test::AppendId3v1(file, cp932Title, platform::CodePage::ToCp932("歌手"), "Album", "2001", 13);
        const std::string bytes = decoder::test::ReadFileBytes(file);
        Seed("Tag", "id3v2" + std::to_string(version), bytes);
        Seed("Mp3Probe", "id3v2" + std::to_string(version), bytes);
    }
    const fs::path v1 = dir.Path("v1.mp3");
    decoder::test::WriteFileBytes(v1, cbr.substr(0, 1200));
    decoder::test::AppendId3v1(v1, "Latin-1 \xE9t\xE9", "UTF-8 \xC3\xA9t\xC3\xA9", "", "", 255);
    Seed("Tag", "id3v1", decoder::test::ReadFileBytes(v1));
}

std::string Frame(uint32_t msg, uint32_t wParam, int32_t lParam, uint32_t dwData, const std::string& payload)
{
    const std::vector<std::byte> frame = platform::RequestFrame::Encode(
        platform::RequestHeader{msg, wParam, lParam, dwData, 0},
        std::as_bytes(std::span<const char>(payload.data(), payload.size())));
    return std::string(reinterpret_cast<const char*>(frame.data()), frame.size());
}

void WireSeeds()
{
    protocol::SongInfoRecord song;
    const std::string title = "Title";
    std::copy(title.begin(), title.end(), song.TrackName.begin());
    const auto payload = protocol::PayloadOf(song);
    const std::string songBytes(reinterpret_cast<const char*>(payload.data()), payload.size());
    const std::string user = Frame(platform::WM_USER, 0x100, 1234, 0, {});
    const std::string copy = Frame(platform::WM_COPYDATA, 2, 0, 7, songBytes);
    const std::string close = Frame(platform::WM_SYSCOMMAND, platform::SC_CLOSE, 0, 0, {});
    // The last bytes are the piece sizes (read from the end).
    Seed("Wire", "one", user + std::string("\x13\x00", 2));
    Seed("Wire", "three", user + copy + close + std::string("\x07\x01\x05", 3));
    Seed("Wire", "copy", copy + copy + std::string("\xFF\x02", 2));
    Seed("Wire", "half", user.substr(0, 11));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds OUTDIR\n");
        return 2;
    }
    g_out = argv[1];
    SkinSeeds();
    RegionSeeds();
    ProfileSeeds();
    PlayListSeeds();
    LyricsSeeds();
    WireSeeds();
    MediaSeeds();
    return 0;
}
