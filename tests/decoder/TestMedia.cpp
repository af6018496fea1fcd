#include "TestMedia.h"

#include "support/Id3PictureTag.h"

#include <mpg123.h>
#include <thread>

namespace decoder::test {

namespace fs = std::filesystem;

namespace {

uint32_t Get(const std::string& s, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= uint32_t(static_cast<unsigned char>(s[at + i])) << (8 * i);
    return v;
}

} // namespace

std::string Utf16LeWithBom(const std::u16string& text)
{
    std::string out = "\xFF\xFE";
    for (char16_t c : text)
        out += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return out;
}

void PrependId3v2(const fs::path& file, const std::vector<Id3v2Frame>& frames, int version)
{
    std::vector<testsupport::TagBytes> tagFrames;
    for (const auto& f : frames) {
        testsupport::TagBytes body{f.Encoding};
        body.insert(body.end(), f.Bytes.begin(), f.Bytes.end());
        tagFrames.push_back(testsupport::TagFrame(version, f.Id, body));
    }
    testsupport::PrependTag(file, testsupport::Tag(version, tagFrames));
}

void AppendId3v1(const fs::path& file, const std::string& title, const std::string& artist,
                 const std::string& album, const std::string& year, uint8_t genre)
{
    std::string tag = "TAG";
    const std::pair<const std::string*, size_t> fields[] = {{&title, 30}, {&artist, 30}, {&album, 30}, {&year, 4}};
    for (const auto& [text, size] : fields) {
        std::string f = text->substr(0, size);
        f.resize(size, '\0');
        tag += f;
    }
    tag += std::string(30, '\0');
    tag += static_cast<char>(genre);
    WriteFileBytes(file, ReadFileBytes(file) + tag);
}

std::optional<Pcm> ReadWav(const fs::path& path)
{
    const std::string s = ReadFileBytes(path);
    if (s.size() < 44 || s.compare(0, 4, "RIFF") != 0 || s.compare(8, 8, "WAVEfmt ") != 0 || s.compare(36, 4, "data") != 0 || Get(s, 34, 2) != 16)
        return std::nullopt;
    Pcm pcm;
    pcm.Channels = static_cast<int32_t>(Get(s, 22, 2));
    pcm.Rate = static_cast<int32_t>(Get(s, 24, 4));
    const size_t bytes = std::min<size_t>(Get(s, 40, 4), s.size() - 44);
    for (size_t i = 0; i + 1 < bytes; i += 2)
        pcm.Samples.push_back(static_cast<float>(static_cast<int16_t>(Get(s, 44 + i, 2))) / 32767.0f);
    return pcm;
}

std::optional<Pcm> DecodeMp3(const fs::path& path)
{
    int err = 0;
    mpg123_handle* mh = mpg123_new(nullptr, &err);
    if (!mh)
        return std::nullopt;
    mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0.0);
    mpg123_format_none(mh);
    for (long rate : {8000L, 11025L, 12000L, 16000L, 22050L, 24000L, 32000L, 44100L, 48000L})
        mpg123_format(mh, rate, MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
    std::optional<Pcm> result;
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_open(mh, path.c_str()) == MPG123_OK && mpg123_getformat(mh, &rate, &channels, &encoding) == MPG123_OK) {
        Pcm pcm;
        pcm.Rate = static_cast<int32_t>(rate);
        pcm.Channels = channels;
        std::vector<unsigned char> buffer(64 * 1024);
        while (true) {
            size_t done = 0;
            const int r = mpg123_read(mh, buffer.data(), buffer.size(), &done);
            const auto* f = reinterpret_cast<const float*>(buffer.data());
            pcm.Samples.insert(pcm.Samples.end(), f, f + done / sizeof(float));
            if (r != MPG123_OK && r != MPG123_NEW_FORMAT)
                break;
        }
        result = std::move(pcm);
    }
    mpg123_close(mh);
    mpg123_delete(mh);
    return result;
}

std::filesystem::path TwoFormatsMp3(const TempDir& dir)
{
    const auto joined = dir.Path("joined.mp3");
    if (!std::filesystem::exists(joined)) {
        const auto first = MakeMp3(dir, "part1", Tone{440, 1.0, 44100, 2, 0.5}, "-b 128 -t");
        const auto second = MakeMp3(dir, "part2", Tone{880, 1.0, 32000, 1, 0.5}, "-b 64 -m m -t");
        WriteFileBytes(joined, ReadFileBytes(first) + ReadFileBytes(second));
    }
    return joined;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace decoder::test
