#include "assists/remote/RemoteInfoText.h"

#include <cstdio>

namespace remote {
namespace {

const char* Word(std::int16_t flag)
{
    return protocol::FromVbBool(flag) ? "True" : "False";
}

} // namespace

std::string PlayInfoText(const protocol::PlayStateRecord& r)
{
    std::string text;
    text += std::string("Play=") + Word(r.bPlay) + "\r\n";
    text += std::string("Pause=") + Word(r.bPause) + "\r\n";
    text += std::string("Stop=") + Word(r.bStop) + "\r\n";
    text += std::string("Repeat=") + Word(r.bRepeat) + "\r\n";
    text += std::string("Shuffle=") + Word(r.bShuffle) + "\r\n";
    text += "Volume=" + std::to_string(r.Volume) + "\r\n";
    text += "State=" + std::to_string(r.DecoderState) + "\r\n";
    return text;
}

std::string SongInfoText(const protocol::SongInfoRecord& r, platform::AnsiCharset charset)
{
    return "Mp3File=" + protocol::SongFieldText(r.Mp3File, charset) + "\r\n" + "Artist=" + protocol::SongFieldText(r.ArtistName, charset) + "\r\n" + "Track=" + protocol::SongFieldText(r.TrackName, charset) + "\r\n";
}

std::string FormatAssistTime(std::int32_t ms)
{
    const std::int64_t t = ms < 0 ? 0 : ms;
    const std::int64_t s = t / 1000;
    const std::int64_t hundredths = (t - 1000 * s) / 10;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld", static_cast<long long>(s / 60),
                  static_cast<long long>(s % 60), static_cast<long long>(hundredths));
    return buffer;
}

std::string TimeText(const protocol::AnalyzeRecord& r)
{
    return FormatAssistTime(r.PlayMs) + " / " + FormatAssistTime(r.TotalMs);
}

} // namespace remote
