#include "decoder/Mp3Probe.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace decoder {

namespace {

// How far past the tags the first frame is searched for.
constexpr int64_t SyncSearchBytes = 64 * 1024;
// Audio up to this size is walked frame by frame; bigger files are sampled.
constexpr int64_t WalkAllLimit = 2 * 1024 * 1024;
constexpr int SampleWindows = 32;
constexpr int64_t SampleWindowBytes = 16 * 1024;
constexpr int FramesPerWindow = 8;
// Consecutive valid headers needed to accept a position as a frame start.
constexpr int ConfirmFrames = 3;
// A free-format frame (bit rate index 0) states no size: it runs to the next
// header, searched this far. The largest such frames (640 kbit/s at 32 kHz)
// take under 3,000 bytes.
constexpr size_t MaxFreeFrameBytes = 4096;
// Free-format candidates tried per search, so that crafted data full of
// would-be headers cannot make the search slow.
constexpr int MaxFreeCandidates = 64;

struct FrameHeader {
    int32_t Version = 0; // 10, 20, 25
    int32_t Layer = 0;
    int32_t BitrateKbps = 0;
    int32_t SampleRate = 0;
    int32_t ChannelMode = 0;
    int32_t SamplesPerFrame = 0;
    int32_t Bytes = 0;
    int32_t FreeBytes = 0; // a free-format stream's frame size without padding; 0 otherwise

    bool SameStream(const FrameHeader& o) const
    {
        return Version == o.Version && Layer == o.Layer && SampleRate == o.SampleRate;
    }
};

// freeBytes: the frame size (without padding) of the free-format stream the
// header belongs to; without it a free-format header is refused.
std::optional<FrameHeader> ParseHeader(const uint8_t* p, int32_t freeBytes = 0)
{
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0)
        return std::nullopt;
    const int versionBits = (p[1] >> 3) & 3;
    const int layerBits = (p[1] >> 1) & 3;
    const int bitrateIndex = p[2] >> 4;
    const int rateIndex = (p[2] >> 2) & 3;
    if (versionBits == 1 || layerBits == 0 || (bitrateIndex == 0 && freeBytes <= 0) || bitrateIndex == 15 || rateIndex == 3)
        return std::nullopt;
    static constexpr int Bitrates[5][16] = {
        {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0}, // V1 L1
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},    // V1 L2
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},     // V1 L3
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},    // V2 L1
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},         // V2 L2, L3
    };
    static constexpr int Rates[3] = {44100, 48000, 32000};
    FrameHeader h;
    h.Version = versionBits == 3 ? 10 : versionBits == 2 ? 20
                                                         : 25;
    h.Layer = 4 - layerBits;
    const int table = h.Version == 10 ? h.Layer - 1 : (h.Layer == 1 ? 3 : 4);
    h.BitrateKbps = Bitrates[table][bitrateIndex];
    h.SampleRate = Rates[rateIndex] / (h.Version == 10 ? 1 : h.Version == 20 ? 2
                                                                             : 4);
    h.ChannelMode = p[3] >> 6;
    const int padding = (p[2] >> 1) & 1;
    h.SamplesPerFrame = h.Layer == 1 ? 384 : (h.Layer == 3 && h.Version != 10) ? 576
                                                                               : 1152;
    if (bitrateIndex == 0) {
        h.FreeBytes = std::min<int32_t>(freeBytes, static_cast<int32_t>(MaxFreeFrameBytes));
        h.Bytes = h.FreeBytes + padding * (h.Layer == 1 ? 4 : 1);
        h.BitrateKbps = static_cast<int32_t>(int64_t(h.FreeBytes) * 8 * h.SampleRate / h.SamplesPerFrame / 1000);
    } else if (h.Layer == 1) {
        h.Bytes = (12 * h.BitrateKbps * 1000 / h.SampleRate + padding) * 4;
    } else {
        h.Bytes = h.SamplesPerFrame / 8 * h.BitrateKbps * 1000 / h.SampleRate + padding;
    }
    if (h.Bytes < 4)
        return std::nullopt;
    return h;
}

uint32_t Be32(const uint8_t* p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

class File {
public:
    explicit File(const std::string& path)
        : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC))
    {}
    ~File()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    bool IsOpen() const { return m_fd >= 0; }
    int64_t Size() const
    {
        struct stat st {};
        return ::fstat(m_fd, &st) == 0 && S_ISREG(st.st_mode) ? st.st_size : -1;
    }
    // Reads up to n bytes at offset; the bytes actually read.
    std::vector<uint8_t> Read(int64_t offset, int64_t n) const
    {
        std::vector<uint8_t> buf(static_cast<size_t>(std::max<int64_t>(0, n)));
        size_t got = 0;
        while (got < buf.size()) {
            const ssize_t r = ::pread(m_fd, buf.data() + got, buf.size() - got, offset + static_cast<int64_t>(got));
            if (r <= 0)
                break;
            got += static_cast<size_t>(r);
        }
        buf.resize(got);
        return buf;
    }

private:
    int m_fd;
};

bool IsFreeFormat(const uint8_t* p)
{
    return (p[2] >> 4) == 0;
}

// The frame size (without padding) of the free-format frame at pos: the
// distance to the next header of the same stream, also free-format; 0 when
// there is none in reach.
int32_t FreeFrameSize(const std::vector<uint8_t>& buf, size_t pos)
{
    const auto h = ParseHeader(&buf[pos], static_cast<int32_t>(MaxFreeFrameBytes));
    if (!h || !IsFreeFormat(&buf[pos]))
        return 0;
    const int32_t padding = h->Bytes - h->FreeBytes;
    for (size_t d = 16; d <= MaxFreeFrameBytes && pos + d + 4 <= buf.size(); ++d) {
        const uint8_t* p = &buf[pos + d];
        if (p[0] != 0xFF || !IsFreeFormat(p))
            continue;
        const auto next = ParseHeader(p, static_cast<int32_t>(MaxFreeFrameBytes));
        if (next && next->SameStream(*h))
            return static_cast<int32_t>(d) - padding;
    }
    return 0;
}

// The first position in buf (from start) where ConfirmFrames frames follow
// one another, all of the reference stream when one is given.
std::optional<size_t> FindFrameRun(const std::vector<uint8_t>& buf, size_t start, const FrameHeader* reference)
{
    int freeCandidates = 0;
    for (size_t pos = start; pos + 4 <= buf.size(); ++pos) {
        if (buf[pos] != 0xFF)
            continue;
        int32_t freeBytes = reference ? reference->FreeBytes : 0;
        if (!reference && IsFreeFormat(&buf[pos]) && freeCandidates < MaxFreeCandidates) {
            ++freeCandidates;
            freeBytes = FreeFrameSize(buf, pos);
        }
        size_t at = pos;
        int found = 0;
        std::optional<FrameHeader> first;
        while (found < ConfirmFrames && at + 4 <= buf.size()) {
            const auto h = ParseHeader(&buf[at], freeBytes);
            if (!h || (reference && !h->SameStream(*reference)) || (first && !h->SameStream(*first)))
                break;
            if (!first)
                first = h;
            ++found;
            at += static_cast<size_t>(h->Bytes);
        }
        // A short run counts when it ends exactly where the buffer (the audio) ends.
        if (found == ConfirmFrames || (found > 0 && at == buf.size()))
            return pos;
    }
    return std::nullopt;
}

struct WalkResult {
    int64_t Frames = 0;
    int64_t Bytes = 0;
    bool ConstantBitrate = true;
    int32_t Bitrate = 0;
};

// Walks consecutive frames from pos, at most maxFrames (0: no limit).
void Walk(const std::vector<uint8_t>& buf, size_t pos, const FrameHeader& reference, int maxFrames, WalkResult& r)
{
    int n = 0;
    while (pos + 4 <= buf.size() && (maxFrames == 0 || n < maxFrames)) {
        const auto h = ParseHeader(&buf[pos], reference.FreeBytes);
        if (!h || !h->SameStream(reference))
            break;
        if (r.Bitrate == 0)
            r.Bitrate = h->BitrateKbps;
        else if (h->BitrateKbps != r.Bitrate)
            r.ConstantBitrate = false;
        ++r.Frames;
        ++n;
        r.Bytes += h->Bytes;
        pos += static_cast<size_t>(h->Bytes);
    }
}

int64_t Id3v2Size(const std::vector<uint8_t>& head)
{
    if (head.size() < 10 || std::memcmp(head.data(), "ID3", 3) != 0)
        return 0;
    if ((head[6] | head[7] | head[8] | head[9]) & 0x80)
        return 0;
    const int64_t size = (int64_t(head[6]) << 21) | (int64_t(head[7]) << 14) | (int64_t(head[8]) << 7) | head[9];
    const bool footer = (head[5] & 0x10) != 0;
    return 10 + size + (footer ? 10 : 0);
}

} // namespace

std::optional<Mp3StreamInfo> Mp3Probe::Probe(const std::string& path)
{
    File file(path);
    if (!file.IsOpen())
        return std::nullopt;
    Mp3StreamInfo info;
    info.FileBytes = file.Size();
    if (info.FileBytes <= 0)
        return std::nullopt;

    int64_t audioEnd = info.FileBytes;
    if (info.FileBytes >= 128) {
        const auto tail = file.Read(info.FileBytes - 128, 128);
        if (tail.size() == 128 && std::memcmp(tail.data(), "TAG", 3) == 0) {
            std::array<uint8_t, 128> raw{};
            std::copy(tail.begin(), tail.end(), raw.begin());
            info.Id3v1 = raw;
            audioEnd -= 128;
        }
    }

    // Tags may follow one another at the start; skip every ID3v2 tag.
    int64_t audioStart = 0;
    while (true) {
        const auto head = file.Read(audioStart, 10);
        const int64_t size = Id3v2Size(head);
        if (size == 0)
            break;
        info.HasId3v2 = true;
        audioStart += size;
    }
    if (audioStart >= audioEnd)
        return std::nullopt;

    const auto start = file.Read(audioStart, std::min(SyncSearchBytes, audioEnd - audioStart));
    const auto firstPos = FindFrameRun(start, 0, nullptr);
    if (!firstPos)
        return std::nullopt;
    const auto first = *ParseHeader(&start[*firstPos], FreeFrameSize(start, *firstPos));
    const int64_t firstOffset = audioStart + static_cast<int64_t>(*firstPos);
    info.MpegVersion = first.Version;
    info.Layer = first.Layer;
    info.SampleRate = first.SampleRate;
    info.ChannelMode = first.ChannelMode;
    info.Channels = first.ChannelMode == 3 ? 1 : 2;
    info.AudioBytes = audioEnd - firstOffset;

    // A VBR header in the first frame gives the frame count.
    const uint8_t* frame = &start[*firstPos];
    const size_t frameAvail = std::min<size_t>(static_cast<size_t>(first.Bytes), start.size() - *firstPos);
    const bool mono = first.ChannelMode == 3;
    const size_t xingAt = first.Version == 10 ? (mono ? 21 : 36) : (mono ? 13 : 21);
    bool haveHeader = false;
    if (first.Layer == 3 && xingAt + 8 <= frameAvail && (std::memcmp(frame + xingAt, "Xing", 4) == 0 || std::memcmp(frame + xingAt, "Info", 4) == 0)) {
        const uint32_t flags = Be32(frame + xingAt + 4);
        size_t at = xingAt + 8;
        if ((flags & 1) && at + 4 <= frameAvail) {
            info.FrameCount = Be32(frame + at);
            haveHeader = info.FrameCount > 0;
            at += 4;
        }
        if (flags & 2)
            at += 4;
        if (flags & 4)
            at += 100;
        if (flags & 8)
            at += 4;
        info.BitrateMode = std::memcmp(frame + xingAt, "Info", 4) == 0 ? 0 : 1;
        int64_t delay = 0;
        if (at + 24 <= frameAvail && (std::memcmp(frame + at, "LAME", 4) == 0 || std::memcmp(frame + at, "Lavc", 4) == 0 || std::memcmp(frame + at, "Lavf", 4) == 0)) {
            const int method = frame[at + 9] & 0x0F;
            if (method == 2 || method == 9)
                info.BitrateMode = 2;
            const uint8_t* d = frame + at + 21;
            delay = ((int64_t(d[0]) << 4) | (d[1] >> 4)) + (((int64_t(d[1]) & 0x0F) << 8) | d[2]);
        }
        if (haveHeader) {
            info.TotalSamples = std::max<int64_t>(0, info.FrameCount * first.SamplesPerFrame - delay);
            info.AudioBytes -= first.Bytes;
        }
    } else if (first.Layer == 3 && 36 + 18 <= frameAvail && std::memcmp(frame + 36, "VBRI", 4) == 0) {
        info.FrameCount = Be32(frame + 36 + 14);
        haveHeader = info.FrameCount > 0;
        info.BitrateMode = 1;
        if (haveHeader) {
            info.TotalSamples = info.FrameCount * first.SamplesPerFrame;
            info.AudioBytes -= first.Bytes;
        }
    }

    if (haveHeader) {
        info.Source = Mp3StreamInfo::LengthSource::VbrHeader;
    } else if (info.AudioBytes <= WalkAllLimit) {
        const auto all = file.Read(firstOffset, info.AudioBytes);
        WalkResult r;
        Walk(all, 0, first, 0, r);
        // Frames lost to damage in the middle: continue after a resync.
        size_t pos = static_cast<size_t>(r.Bytes);
        while (pos < all.size()) {
            const auto next = FindFrameRun(all, pos + 1, &first);
            if (!next)
                break;
            const int64_t before = r.Bytes;
            Walk(all, *next, first, 0, r);
            pos = *next + static_cast<size_t>(r.Bytes - before);
        }
        info.FrameCount = r.Frames;
        info.BitrateMode = r.ConstantBitrate ? 0 : 1;
        // A free-format bit rate is rounded to whole kbit/s: count its frames.
        if (r.ConstantBitrate && r.Bitrate > 0 && first.FreeBytes == 0) {
            info.Source = Mp3StreamInfo::LengthSource::ConstantBitrate;
            info.TotalSamples = info.AudioBytes * 8 * first.SampleRate / (int64_t(r.Bitrate) * 1000);
        } else {
            info.Source = Mp3StreamInfo::LengthSource::AllFrames;
            info.TotalSamples = r.Frames * first.SamplesPerFrame;
        }
    } else {
        // Each window stands for an equal share of the audio bytes; the
        // frames in that share follow from the window's average frame size.
        // (One average over all windows would overweight the big frames.)
        WalkResult all;
        double frames = 0.0;
        int windows = 0;
        for (int i = 0; i < SampleWindows; ++i) {
            const int64_t offset = firstOffset + info.AudioBytes * i / SampleWindows;
            const auto window = file.Read(offset, std::min(SampleWindowBytes, audioEnd - offset));
            const auto pos = i == 0 ? std::optional<size_t>(0) : FindFrameRun(window, 0, &first);
            if (!pos)
                continue;
            WalkResult r;
            Walk(window, *pos, first, FramesPerWindow, r);
            if (r.Frames == 0)
                continue;
            frames += static_cast<double>(r.Frames) / static_cast<double>(r.Bytes);
            ++windows;
            if (all.Bitrate == 0)
                all.Bitrate = r.Bitrate;
            all.ConstantBitrate = all.ConstantBitrate && r.ConstantBitrate && r.Bitrate == all.Bitrate;
        }
        info.BitrateMode = all.ConstantBitrate ? 0 : 1;
        if (all.ConstantBitrate && all.Bitrate > 0 && first.FreeBytes == 0) {
            info.Source = Mp3StreamInfo::LengthSource::ConstantBitrate;
            info.TotalSamples = info.AudioBytes * 8 * first.SampleRate / (int64_t(all.Bitrate) * 1000);
            info.FrameCount = info.TotalSamples / first.SamplesPerFrame;
        } else if (windows > 0) {
            info.Source = Mp3StreamInfo::LengthSource::Sampled;
            info.FrameCount = static_cast<int64_t>(frames / windows * static_cast<double>(info.AudioBytes));
            info.TotalSamples = info.FrameCount * first.SamplesPerFrame;
        }
    }

    info.TotalMs = info.TotalSamples * 1000 / first.SampleRate;
    info.BitrateKbps = info.TotalMs > 0
        ? static_cast<int32_t>(info.AudioBytes * 8 / info.TotalMs)
        : first.BitrateKbps;
    return info;
}

} // namespace decoder
