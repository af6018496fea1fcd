#include "decoder/Decoder.h"

#include "decoder/AnsiField.h"
#include "decoder/LyricsTimeline.h"
#include "decoder/Mp3Probe.h"
#include "decoder/Mp3Source.h"
#include "decoder/PlaybackEngine.h"
#include "decoder/TagReader.h"
#include "decoder/VolumeCurve.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace decoder {

namespace {

int32_t Clamp32(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, 0, std::numeric_limits<int32_t>::max()));
}

} // namespace

Decoder::Decoder()
    : Decoder(DecoderOptions{})
{}

Decoder::Decoder(DecoderOptions options)
    : m_options(std::move(options))
{
    if (m_options.Audio.empty()) {
        const char* env = std::getenv("ZELKO_AUDIO");
        m_options.Audio = env ? env : "auto";
    }
}

Decoder::~Decoder()
{
    dec_free();
}

void Decoder::dec_init()
{
    if (m_engine)
        return;
    m_engine = std::make_unique<PlaybackEngine>(m_options.Audio, std::make_shared<PacingClock>(m_options.ClockSpeed));
    m_engine->SetGains(VolumeCurve::Gain(m_volumeLeft), VolumeCurve::Gain(m_volumeRight));
}

void Decoder::dec_free()
{
    CloseTrack();
    m_engine.reset();
    m_lyrics.reset();
}

void Decoder::dec_setEqualizer(int32_t)
{
    // Only the flat response exists: nothing to change.
}

void Decoder::dec_setKaraokeUse(int32_t use)
{
    m_karaokeUse = use != 0;
}

void Decoder::dec_useAtMarkTag(int32_t use)
{
    m_atMarkTags = use != 0;
}

void Decoder::dec_setLyricsNextAdjustTime(int32_t ms)
{
    m_nextAdjustMs = std::max(ms, 0);
}

void Decoder::dec_setVolume(int32_t left, int32_t right)
{
    m_volumeLeft = std::clamp(left, 0, 100);
    m_volumeRight = std::clamp(right, 0, 100);
    if (m_engine)
        m_engine->SetGains(VolumeCurve::Gain(m_volumeLeft), VolumeCurve::Gain(m_volumeRight));
}

bool Decoder::dec_getFileInfo(const std::string& path, FileTagRecord& tags, FileInfoRecord& info)
{
    tags = {};
    info = {};
    const auto stream = Mp3Probe::Probe(path);
    if (!stream)
        return false;
    info.MpegVersion = stream->MpegVersion;
    info.Layer = stream->Layer;
    info.SampleRate = stream->SampleRate;
    info.Channels = stream->Channels;
    info.BitrateKbps = stream->BitrateKbps;
    info.BitrateMode = stream->BitrateMode;
    info.ChannelMode = stream->ChannelMode;
    info.FrameCount = Clamp32(stream->FrameCount);
    info.FileBytes = Clamp32(stream->FileBytes);
    info.AudioBytes = Clamp32(stream->AudioBytes);
    info.HasId3v1 = stream->Id3v1 ? 1 : 0;
    info.HasId3v2 = stream->HasId3v2 ? 1 : 0;
    info.TotalMs = Clamp32(stream->TotalMs);
    info.TotalSec = Clamp32(stream->TotalMs / 1000);

    const Mp3Tags t = TagReader::Read(path, stream->HasId3v2, stream->Id3v1);
    CopyAnsiField(tags.Title, t.Title);
    CopyAnsiField(tags.Artist, t.Artist);
    CopyAnsiField(tags.Album, t.Album);
    CopyAnsiField(tags.Year, t.Year);
    CopyAnsiField(tags.Comment, t.Comment);
    tags.Genre = t.Genre;
    CopyAnsiField(tags.GenreName, t.GenreName);
    return true;
}

bool Decoder::dec_setLyricsFile(const std::string& path)
{
    m_lyrics.reset();
    auto timeline = LyricsTimeline::Load(path, LyricsOptions{m_atMarkTags});
    if (!timeline || timeline->Lines().empty())
        return false;
    m_lyrics = std::make_unique<LyricsTimeline>(std::move(*timeline));
    return true;
}

bool Decoder::dec_open(const std::string& path, TrackOpenRecord& record)
{
    record = {};
    CloseTrack();
    const auto stream = Mp3Probe::Probe(path);
    if (!stream)
        return false;
    std::shared_ptr<Mp3Source> source = Mp3Source::Open(path);
    if (!source)
        return false;
    const Mp3Tags t = TagReader::Read(path, stream->HasId3v2, stream->Id3v1);
    CopyAnsiField(record.Title, t.Title);
    CopyAnsiField(record.Artist, t.Artist);
    record.SampleRate = source->Format().Rate;
    record.Channels = source->Format().Channels;
    record.BitrateKbps = stream->BitrateKbps;
    record.TotalSec = Clamp32(stream->TotalMs / 1000);
    m_track = std::move(source);
    return true;
}

void Decoder::dec_play()
{
    if (!m_track)
        return;
    dec_init();
    m_engine->Play(m_track);
}

void Decoder::dec_pause()
{
    if (m_engine)
        m_engine->Pause();
}

void Decoder::dec_restart()
{
    if (m_engine)
        m_engine->Resume();
}

void Decoder::dec_seek(int32_t ms)
{
    if (m_engine && m_track)
        m_engine->Seek(std::max(ms, 0));
}

void Decoder::dec_stop()
{
    if (m_engine)
        m_engine->Stop();
}

void Decoder::dec_close()
{
    CloseTrack();
}

void Decoder::CloseTrack()
{
    if (m_engine)
        m_engine->Stop();
    m_track.reset();
}

[[gnu::hot]] int32_t Decoder::dec_getState(int32_t& state)
{
    state = dec_getState();
    return state;
}

[[gnu::hot]] int32_t Decoder::dec_getState()
{
    return m_engine ? static_cast<int32_t>(m_engine->CurrentState()) : 0;
}

[[gnu::hot]] int32_t Decoder::dec_getPlayMs()
{
    return m_engine ? m_engine->PlayMs() : 0;
}

[[gnu::hot]] void Decoder::dec_getSpectrum(std::span<int32_t, 256> left, std::span<int32_t, 256> right)
{
    if (!m_engine) {
        std::fill(left.begin(), left.end(), 0);
        std::fill(right.begin(), right.end(), 0);
        return;
    }
    m_engine->Spectrum(left, right);
}

[[gnu::hot]] void Decoder::dec_getLyrics(LyricsRecord& record)
{
    if (!m_lyrics) {
        record = {};
        record.CurrentLine = -1;
        record.CurrentMs = -1;
        record.NextMs = -1;
        return;
    }
    m_lyrics->Fill(record, dec_getPlayMs(), m_nextAdjustMs, m_karaokeUse);
}

std::string Decoder::OutputName() const
{
    return m_engine ? m_engine->OutputName() : std::string{};
}

} // namespace decoder
