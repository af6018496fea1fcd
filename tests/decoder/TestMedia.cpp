#include "TestMedia.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mpg123.h>
#include <numbers>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace decoder::test {

namespace fs = std::filesystem;

namespace {

void Put(std::string& s, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

uint32_t Get(const std::string& s, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= uint32_t(static_cast<unsigned char>(s[at + i])) << (8 * i);
    return v;
}

} // namespace

void WriteFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Utf16LeWithBom(const std::u16string& text)
{
    std::string out = "\xFF\xFE";
    for (char16_t c : text)
        Put(out, c, 2);
    return out;
}

void PrependId3v2(const fs::path& file, const std::vector<Id3v2Frame>& frames, int version)
{
    std::string body;
    for (const auto& f : frames) {
        const uint32_t size = static_cast<uint32_t>(f.Bytes.size() + 1);
        body += f.Id;
        if (version == 2) {
            for (int shift : {16, 8, 0})
                body += static_cast<char>((size >> shift) & 0xFF);
            body += static_cast<char>(f.Encoding);
            body += f.Bytes;
            continue;
        }
        if (version == 4) {
            for (int shift : {21, 14, 7, 0})
                body += static_cast<char>((size >> shift) & 0x7F);
        } else {
            for (int shift : {24, 16, 8, 0})
                body += static_cast<char>((size >> shift) & 0xFF);
        }
        body += std::string(2, '\0');
        body += static_cast<char>(f.Encoding);
        body += f.Bytes;
    }
    body += std::string(64, '\0'); // padding
    std::string tag = "ID3";
    tag += static_cast<char>(version);
    tag += std::string(2, '\0');
    const auto size = static_cast<uint32_t>(body.size());
    for (int shift : {21, 14, 7, 0})
        tag += static_cast<char>((size >> shift) & 0x7F);
    WriteFile(file, tag + body + ReadFile(file));
}

void AppendId3v1(const fs::path& file, const std::string& title, const std::string& artist,
                 const std::string& album, const std::string& year, uint8_t genre)
{
    std::string tag = "TAG";
    for (const auto* field : {&title, &artist, &album}) {
        std::string f = field->substr(0, 30);
        f.resize(30, '\0');
        tag += f;
    }
    std::string y = year.substr(0, 4);
    y.resize(4, '\0');
    tag += y;
    tag += std::string(30, '\0');
    tag += static_cast<char>(genre);
    WriteFile(file, ReadFile(file) + tag);
}

std::optional<Pcm> ReadWav(const fs::path& path)
{
    const std::string s = ReadFile(path);
    if (s.size() < 44 || s.compare(0, 4, "RIFF") != 0 || s.compare(8, 8, "WAVEfmt ") != 0
        || s.compare(36, 4, "data") != 0 || Get(s, 34, 2) != 16)
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

double ZeroCrossingFrequency(const Pcm& pcm, int channel, size_t skipFrames)
{
    const size_t frames = pcm.Frames();
    const auto ch = static_cast<size_t>(pcm.Channels);
    size_t first = 0;
    size_t last = 0;
    int crossings = 0;
    for (size_t i = skipFrames + 1; i < frames; ++i) {
        const float a = pcm.Samples[(i - 1) * ch + static_cast<size_t>(channel)];
        const float b = pcm.Samples[i * ch + static_cast<size_t>(channel)];
        if (a < 0.0f && b >= 0.0f) {
            if (crossings == 0)
                first = i;
            last = i;
            ++crossings;
        }
    }
    if (crossings < 2)
        return 0.0;
    return static_cast<double>(crossings - 1) * pcm.Rate / static_cast<double>(last - first);
}

} // namespace decoder::test
