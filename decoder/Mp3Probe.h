#pragma once
// Reads an MP3 file's stream information and length without decoding it.
//
// The length is exact when the first frame carries a Xing/Info (LAME, with
// its encoder delay and padding) or VBRI header, and for constant bit rate
// files (audio bytes / bit rate). Other variable bit rate files are measured
// by walking every frame header when the audio is small, and otherwise by
// sampling runs of frame headers spread over the file and counting frames
// from their average size. A free-format stream (whose headers state no bit
// rate) takes its frame size from the distance between two headers. At most
// a few hundred kilobytes are read.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace decoder {

struct Mp3StreamInfo {
    enum class LengthSource { VbrHeader,
                              ConstantBitrate,
                              AllFrames,
                              Sampled };

    int32_t MpegVersion = 0; // 10, 20 or 25
    int32_t Layer = 0;
    int32_t SampleRate = 0;
    int32_t Channels = 0;
    int32_t BitrateKbps = 0; // average
    int32_t BitrateMode = 0; // 0 constant, 1 variable, 2 average
    int32_t ChannelMode = 0; // 0 stereo, 1 joint, 2 dual, 3 mono
    int64_t FrameCount = 0;
    int64_t FileBytes = 0;
    int64_t AudioBytes = 0;
    int64_t TotalSamples = 0; // per channel
    int64_t TotalMs = 0;
    LengthSource Source = LengthSource::ConstantBitrate;
    bool HasId3v2 = false;
    std::optional<std::array<uint8_t, 128>> Id3v1; // the raw tag at the end, when present
};

class Mp3Probe {
public:
    // nullopt when the file cannot be read or no run of valid MPEG audio
    // frames is found near its start.
    static std::optional<Mp3StreamInfo> Probe(const std::string& path);
};

} // namespace decoder
