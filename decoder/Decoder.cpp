#include "decoder/Decoder.h"

#include <algorithm>

// Interface published first; the playback engine, lyrics timing and tag
// reading are being written and replace these bodies.
namespace decoder {

class PlaybackEngine {};
class LyricsTimeline {};
class Mp3Source {};

Decoder::Decoder() : Decoder(DecoderOptions {}) {}
Decoder::Decoder(DecoderOptions options) : m_options(std::move(options)) {}
Decoder::~Decoder() = default;
void Decoder::dec_init() {}
void Decoder::dec_free() {}
void Decoder::dec_setEqualizer(int32_t) {}
void Decoder::dec_setKaraokeUse(int32_t use) { m_karaokeUse = use != 0; }
void Decoder::dec_useAtMarkTag(int32_t use) { m_atMarkTags = use != 0; }
void Decoder::dec_setLyricsNextAdjustTime(int32_t ms) { m_nextAdjustMs = ms < 0 ? 0 : ms; }
void Decoder::dec_setVolume(int32_t left, int32_t right) { m_volumeLeft = left; m_volumeRight = right; }
bool Decoder::dec_getFileInfo(const std::string&, FileTagRecord& tags, FileInfoRecord& info)
{
    tags = {};
    info = {};
    return false;
}
bool Decoder::dec_setLyricsFile(const std::string&) { return false; }
bool Decoder::dec_open(const std::string&, TrackOpenRecord& record)
{
    record = {};
    return false;
}
void Decoder::dec_play() {}
void Decoder::dec_pause() {}
void Decoder::dec_restart() {}
void Decoder::dec_stop() {}
void Decoder::dec_close() {}
void Decoder::CloseTrack() {}
int32_t Decoder::dec_getState(int32_t& state) { return state = 0; }
int32_t Decoder::dec_getState() { return 0; }
int32_t Decoder::dec_getPlayMs() { return 0; }
void Decoder::dec_getSpectrum(std::span<int32_t, 256> left, std::span<int32_t, 256> right)
{
    std::fill(left.begin(), left.end(), 0);
    std::fill(right.begin(), right.end(), 0);
}
void Decoder::dec_getLyrics(LyricsRecord& record)
{
    record = {};
    record.CurrentLine = -1;
}
std::string Decoder::OutputName() const { return {}; }

} // namespace decoder
