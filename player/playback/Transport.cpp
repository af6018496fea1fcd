#include "player/playback/Transport.h"

#include "decoder/Decoder.h"
#include "decoder/DecoderRecords.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <cstring>

namespace playback {

namespace {

// Text of a record field: up to its first NUL, from the ANSI character set.
template <std::size_t N>
std::string RecordText(const char (&field)[N])
{
    return platform::CodePage::FromAnsi(std::string_view(field, ::strnlen(field, N)));
}

} // namespace

Transport::Transport(decoder::Decoder& decoder, std::uint32_t seed)
    : m_decoder(decoder)
    , m_random(seed)
{
    m_state.bStop = true;
}

void Transport::AddObserver(TransportObserver& observer) { m_observers.push_back(&observer); }

void Transport::RemoveObserver(TransportObserver& observer)
{
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), &observer), m_observers.end());
}

template <typename Call>
void Transport::Tell(Call call)
{
    // A copy: an observer may run commands that add or remove observers.
    const std::vector<TransportObserver*> observers = m_observers;
    for (TransportObserver* observer : observers)
        call(*observer);
}

void Transport::SetFlag(PlayFlag flag, bool value)
{
    switch (flag) {
    case PlayFlag::Play: m_state.bPlay = value; break;
    case PlayFlag::Pause: m_state.bPause = value; break;
    case PlayFlag::Stop: m_state.bStop = value; break;
    case PlayFlag::Repeat: m_state.bRepeat = value; break;
    case PlayFlag::Shuffle: m_state.bShuffle = value; break;
    }
    Tell([flag](TransportObserver& o) { o.FlagChanged(flag); });
}

playback::DecoderState Transport::ReadDecoderState()
{
    m_state.Decoder = static_cast<playback::DecoderState>(m_decoder.dec_getState());
    return m_state.Decoder;
}

// ---------------------------------------------------------------- commands

void Transport::SetStoppedSituation()
{
    SetFlag(PlayFlag::Stop, true);
    SetFlag(PlayFlag::Play, false);
    SetFlag(PlayFlag::Pause, false);
}

void Transport::MarkStopped() { SetStoppedSituation(); }

void Transport::StopSequence()
{
    SetStoppedSituation();
    m_decoder.dec_stop();
    m_decoder.dec_close();
    Tell([](TransportObserver& o) { o.Happened(TransportEvent::Stopped); });
}

void Transport::Play()
{
    if (m_state.bPlay) return;
    SetFlag(PlayFlag::Play, true);
    SetFlag(PlayFlag::Stop, false);
    if (m_state.PlayPosition == 0 || !m_mp3Files.Contains(m_state.PlayPosition)) {
        SetStoppedSituation();
        return;
    }
    const ClsZelkoMp3File track = m_mp3Files.Item(m_state.PlayPosition);
    decoder::TrackOpenRecord opened{};
    if (!m_decoder.dec_open(track.Mp3File(), opened)) {
        // Started without sound, as the state rules say; the title box tells why.
        Tell([&track](TransportObserver& o) { o.TrackCannotPlay(track); });
        return;
    }
    const std::int32_t totalMs = opened.TotalSec * 1000;
    Tell([&track, totalMs](TransportObserver& o) { o.TrackOpened(track, totalMs); });
    m_decoder.dec_play();
    Tell([](TransportObserver& o) { o.Happened(TransportEvent::Started); });
}

void Transport::Pause()
{
    const playback::DecoderState state = ReadDecoderState();
    if (state == playback::DecoderState::Stopped) return;
    if (state == playback::DecoderState::Playing)
        m_decoder.dec_pause();
    else
        m_decoder.dec_restart();
    SetFlag(PlayFlag::Pause, !m_state.bPause);
    Tell([](TransportObserver& o) { o.Happened(TransportEvent::PauseToggled); });
}

void Transport::Stop()
{
    if (m_state.bStop) return;
    StopSequence();
}

void Transport::Next()
{
    const bool wasStarted = m_state.bPlay;
    if (wasStarted) Stop();
    std::int32_t next = GetNextPlayPosition();
    if (next == ShuffleOrder::kPastEnd) next = m_shuffleOrder.First();
    m_state.PlayPosition = next;
    if (next != 0 && wasStarted) Play();
    Tell([](TransportObserver& o) { o.ListChanged(); });
}

void Transport::Previous()
{
    const bool wasStarted = m_state.bPlay;
    if (wasStarted) Stop();
    std::int32_t prev = GetPrevPlayPosition();
    if (prev == ShuffleOrder::kPastEnd) prev = m_shuffleOrder.Last();
    m_state.PlayPosition = prev;
    if (prev != 0 && wasStarted) Play();
    Tell([](TransportObserver& o) { o.ListChanged(); });
}

void Transport::PlayTrack(std::int32_t trackPosition)
{
    if (trackPosition == 0 || m_mp3Files.Empty() || !m_shuffleOrder.Contains(trackPosition)) return;
    m_state.PlayPosition = trackPosition;
    if (m_state.bPlay) Stop();
    Play();
    Tell([](TransportObserver& o) { o.ListChanged(); });
}

void Transport::ToggleRepeat()
{
    SetFlag(PlayFlag::Repeat, !m_state.bRepeat);
    Tell([](TransportObserver& o) { o.Happened(TransportEvent::RepeatToggled); });
}

void Transport::ToggleShuffle()
{
    SetShuffle(!m_state.bShuffle);
    Tell([](TransportObserver& o) { o.Happened(TransportEvent::ShuffleToggled); });
}

void Transport::SetRepeat(bool on) { SetFlag(PlayFlag::Repeat, on); }

void Transport::SetShuffle(bool on)
{
    m_state.bShuffle = on;
    ShuffleMp3Files();
    Tell([](TransportObserver& o) { o.FlagChanged(PlayFlag::Shuffle); });
}

void Transport::SetVolume(std::int32_t volume, VolumeCause cause)
{
    m_state.Volume = VolumeRules::Clamp(volume);
    m_decoder.dec_setVolume(m_state.Volume, m_state.Volume);
    Tell([cause](TransportObserver& o) { o.VolumeChanged(cause); });
}

void Transport::SetPlayPosition(std::int32_t trackPosition) { m_state.PlayPosition = trackPosition; }

void Transport::Seek(std::int32_t ms)
{
    if (!m_state.bPlay || ReadDecoderState() == playback::DecoderState::Stopped) return;
    m_decoder.dec_seek(ms);
    Tell([](TransportObserver& o) { o.Happened(TransportEvent::Seeked); });
}

void Transport::EndOfTrack(const std::function<void()>& beforeNextTrack)
{
    StopSequence();
    const std::int32_t next = GetNextPlayPosition();
    m_state.PlayPosition = next;
    if (next == ShuffleOrder::kNoTrack) return;
    if (next == ShuffleOrder::kPastEnd) {
        m_state.PlayPosition = m_shuffleOrder.First();
        Tell([](TransportObserver& o) { o.ListChanged(); });
        return;
    }
    if (beforeNextTrack) beforeNextTrack();
    Tell([](TransportObserver& o) { o.ListChanged(); });
    Play();
}

// ---------------------------------------------------------------- play list

void Transport::AddMp3File(const std::string& path)
{
    // The names and the length come from one reading of the file.
    decoder::FileTagRecord tags{};
    decoder::FileInfoRecord info{};
    m_decoder.dec_getFileInfo(path, tags, info);
    m_mp3Files.Add(ClsZelkoMp3File(path, RecordText(tags.Artist), RecordText(tags.Title), info.TotalSec));
}

void Transport::AppendMp3Files(const std::vector<std::string>& paths)
{
    m_mp3Files.Reserve(m_mp3Files.Items().size() + paths.size());
    for (const std::string& path : paths)
        AddMp3File(path);
}

void Transport::FinishAddition()
{
    if (m_state.PlayPosition == 0 && !m_mp3Files.Empty()) m_state.PlayPosition = 1;
    Tell([](TransportObserver& o) { o.ListChanged(); });
    ShuffleMp3Files();
}

void Transport::ClearMp3Files()
{
    ForgetMp3Files();
    m_state.PlayPosition = 0;
    Tell([](TransportObserver& o) { o.ListChanged(); });
}

void Transport::ForgetMp3Files()
{
    m_shuffleOrder.Erase();
    m_mp3Files.Clear();
}

void Transport::ShuffleMp3Files() { m_shuffleOrder.Rebuild(m_mp3Files.Count(), m_state.bShuffle, m_random); }

std::int32_t Transport::GetNextPlayPosition() const
{
    return m_shuffleOrder.GetNextPlayPosition(m_state.PlayPosition, m_mp3Files.Count(), m_state.bRepeat);
}

std::int32_t Transport::GetPrevPlayPosition() const
{
    return m_shuffleOrder.GetPrevPlayPosition(m_state.PlayPosition, m_mp3Files.Count(), m_state.bRepeat);
}

// ---------------------------------------------------------------- decoder life

bool Transport::SetLyricsFile(const std::string& path) { return m_decoder.dec_setLyricsFile(path); }

void Transport::InitDecoder()
{
    m_decoder.dec_init();
    m_decoder.dec_setEqualizer(0);
    m_decoder.dec_setKaraokeUse(1);
    m_decoder.dec_useAtMarkTag(1);
    m_decoder.dec_setLyricsNextAdjustTime(50);
}

void Transport::Restore(bool repeat, bool shuffle, std::int32_t volume)
{
    m_state.bRepeat = repeat;
    m_state.bShuffle = shuffle;
    m_state.Volume = volume;
    m_decoder.dec_setVolume(volume, volume);
}

void Transport::FreeDecoder()
{
    m_decoder.dec_stop();
    m_decoder.dec_close();
    m_decoder.dec_free();
}

} // namespace playback
