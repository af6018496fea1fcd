#include "BenchMedia.h"

#include "tests/support/ToneMp3.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <numbers>
#include <stdexcept>
#include <unistd.h>

namespace decoder::bench {

namespace fs = std::filesystem;

namespace {

void Put(std::string& s, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string Read(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Write(const fs::path& p, const std::string& bytes)
{
    std::ofstream(p, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Ten seconds of a chord that swells and fades, so that VBR frame sizes vary.
void WriteWav(const fs::path& path)
{
    const int rate = 44100;
    std::string data;
    for (int i = 0; i < rate * 10; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double env = 0.5 + 0.5 * std::sin(2.0 * std::numbers::pi * 0.3 * t);
        const double l = env * 0.3 * (std::sin(2 * std::numbers::pi * 440 * t) + std::sin(2 * std::numbers::pi * 660 * t));
        const double r = env * 0.3 * (std::sin(2 * std::numbers::pi * 550 * t) + std::sin(2 * std::numbers::pi * 1320 * t));
        Put(data, static_cast<uint16_t>(static_cast<int16_t>(l * 32767)), 2);
        Put(data, static_cast<uint16_t>(static_cast<int16_t>(r * 32767)), 2);
    }
    std::string wav = "RIFF";
    Put(wav, static_cast<uint32_t>(36 + data.size()), 4);
    wav += "WAVEfmt ";
    Put(wav, 16, 4);
    Put(wav, 1, 2);
    Put(wav, 2, 2);
    Put(wav, rate, 4);
    Put(wav, rate * 4, 4);
    Put(wav, 4, 2);
    Put(wav, 16, 2);
    wav += "data";
    Put(wav, static_cast<uint32_t>(data.size()), 4);
    Write(path, wav + data);
}

fs::path Encode(const fs::path& dir, const fs::path& wav, const std::string& name, const std::string& args)
{
    const auto mp3 = dir / name;
    if (!testsupport::EncodeMp3(wav, mp3, args))
        throw std::runtime_error("lame failed");
    return mp3;
}

std::string Id3v2()
{
    const std::string title = "\x01\xFF\xFE"
                              "e\x65,g\x9e\x8a"; // UTF-16 text
    std::string body = "TIT2";
    for (int shift : {24, 16, 8, 0})
        body += static_cast<char>((title.size() >> shift) & 0xFF);
    body += std::string(2, '\0') + title;
    body += std::string(4096, '\0');
    std::string tag = "ID3\x03";
    tag += std::string(2, '\0');
    for (int shift : {21, 14, 7, 0})
        tag += static_cast<char>((body.size() >> shift) & 0x7F);
    return tag + body;
}

// copies of the file's frames one after another, behind an ID3v2 tag.
fs::path Chain(const fs::path& piece, const fs::path& out, int copies)
{
    const std::string bytes = Read(piece);
    std::string all = Id3v2();
    for (int i = 0; i < copies; ++i)
        all += bytes;
    Write(out, all);
    return out;
}

} // namespace

const BenchMedia& BenchMedia::Get()
{
    // Made in place: the folder it owns can be neither copied nor moved.
    static BenchMedia m;
    static const bool made = [] {
        m.Dir = m.Folder.Path();
        const auto wav = m.Dir / "chord.wav";
        WriteWav(wav);
        const auto cbr = Encode(m.Dir, wav, "cbr10.mp3", "-b 128 -t");
        const auto vbr = Encode(m.Dir, wav, "vbr10.mp3", "-V 2 -t");
        const auto hq = Encode(m.Dir, wav, "hq10.mp3", "-b 192 -t");
        m.Song60s = Chain(hq, m.Dir / "song60.mp3", 6);
        m.FiveMinCbr = Chain(cbr, m.Dir / "cbr300.mp3", 30);
        m.FiveMinVbr = Chain(vbr, m.Dir / "vbr300.mp3", 30);
        // A VBR header counting the frames of the whole chain is what an
        // encoder would write; the probe only reads the first frame.
        const auto xingPiece = Encode(m.Dir, wav, "xing10.mp3", "-V 2");
        m.FiveMinXing = Chain(xingPiece, m.Dir / "xing300.mp3", 30);
        m.Long = Chain(cbr, m.Dir / "long600.mp3", 60);
        std::string lyrics = "[ti:Bench]\n";
        for (int i = 0; i < 200; ++i) {
            lyrics += '[';
            lyrics += std::to_string(i / 50);
            lyrics += ':';
            lyrics += std::to_string(10 + i % 50);
            lyrics += ".00]line number ";
            lyrics += std::to_string(i);
            lyrics += " of the lyrics\n";
        }
        m.Lyrics = m.Dir / "bench.lrc";
        Write(m.Lyrics, lyrics);
        return true;
    }();
    (void)made;
    return m;
}

} // namespace decoder::bench
