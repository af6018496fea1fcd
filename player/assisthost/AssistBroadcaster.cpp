#include "player/assisthost/AssistBroadcaster.h"

#include "platform/MessageWindow.h"
#include "player/assisthost/AssistCatalogue.h"
#include "player/assisthost/AssistHostPlayer.h"
#include "protocol/CommandWords.h"
#include "protocol/RecordPayload.h"

namespace assisthost {

AssistBroadcaster::AssistBroadcaster(AssistHostPlayer& player, AssistCatalogue& catalogue,
                                     platform::MessageWindow* window)
    : m_player(player)
    , m_catalogue(catalogue)
    , m_window(window)
{}

void AssistBroadcaster::SendToAssist(platform::WindowHandle to, std::uint32_t wParam, std::uint32_t dwData,
                                     std::span<const std::byte> payload)
{
    if (!m_window) return;
    const platform::SendOutcome outcome = m_window->SendCopyData(to, wParam, dwData, payload);
    // The entry is looked up afresh: nested commands may have run during the wait.
    if (outcome.Status == platform::SendStatus::TimedOut) m_catalogue.MarkHung(to);
}

void AssistBroadcaster::SendPlayState(std::uint32_t dwData)
{
    const std::vector<ClsZelkoAssist>& assists = m_catalogue.Assists();
    for (std::size_t i = 0; i < assists.size(); ++i) {
        if (!assists[i].Enabled()) continue;
        // A copy: a nested command may change the state while a send waits.
        const protocol::PlayStateRecord record = m_player.CurrentPlayState();
        SendToAssist(assists[i].hwnd(), protocol::CodePlayState, dwData, protocol::PayloadOf(record));
    }
}

void AssistBroadcaster::NotifyAssists(std::uint32_t code)
{
    m_player.DecoderState();
    SendPlayState(code);
}

void AssistBroadcaster::NotifyVolume() { SendPlayState(protocol::NotifyVolume); }

void AssistBroadcaster::SendAnalyze(const protocol::AnalyzeRecord& analyze)
{
    const std::vector<ClsZelkoAssist>& assists = m_catalogue.Assists();
    for (std::size_t i = 0; i < assists.size(); ++i) {
        if (!assists[i].Enabled()) continue;
        // A copy: the player's record may change while a send waits.
        const protocol::AnalyzeRecord record = analyze;
        SendToAssist(assists[i].hwnd(), protocol::CodeAnalyze, protocol::CodeAnalyze, protocol::PayloadOf(record));
    }
}

void AssistBroadcaster::ReplyPlayInfo(platform::WindowHandle to)
{
    m_player.DecoderState();
    const protocol::PlayStateRecord record = m_player.CurrentPlayState();
    SendToAssist(to, protocol::CodePlayState, protocol::NotifyPlayInfoReply, protocol::PayloadOf(record));
}

void AssistBroadcaster::ReplySongInfo(platform::WindowHandle to)
{
    const protocol::SongInfoRecord record = m_songInfo;
    SendToAssist(to, protocol::CodeSongInfo, protocol::CodeSongInfo, protocol::PayloadOf(record));
}

void AssistBroadcaster::SetSongInfo(SongInfoField field, std::string_view text)
{
    switch (field) {
    case SongInfoField::Mp3File: protocol::SetSongFieldText(m_songInfo.Mp3File, text); break;
    case SongInfoField::TrackName: protocol::SetSongFieldText(m_songInfo.TrackName, text); break;
    case SongInfoField::ArtistName: protocol::SetSongFieldText(m_songInfo.ArtistName, text); break;
    }
}

void AssistBroadcaster::TrackOpened(const playback::ClsZelkoMp3File& track, std::int32_t)
{
    SetSongInfo(SongInfoField::Mp3File, track.Mp3File());
    SetSongInfo(SongInfoField::TrackName, track.TrackName());
    SetSongInfo(SongInfoField::ArtistName, track.ArtistName());
}

void AssistBroadcaster::VolumeChanged(playback::VolumeCause cause)
{
    // Volumes from the settings and the Properties dialog are not announced.
    if (cause == playback::VolumeCause::PlusButton || cause == playback::VolumeCause::MinusButton || cause == playback::VolumeCause::Assist ||
        cause == playback::VolumeCause::Remote)
        NotifyVolume();
}

void AssistBroadcaster::Happened(playback::TransportEvent event)
{
    switch (event) {
    case playback::TransportEvent::Started: NotifyAssists(protocol::NotifyPlay); break;
    case playback::TransportEvent::PauseToggled: NotifyAssists(protocol::NotifyPause); break;
    case playback::TransportEvent::Stopped: NotifyAssists(protocol::NotifyStop); break;
    case playback::TransportEvent::RepeatToggled: NotifyAssists(protocol::NotifyRepeat); break;
    case playback::TransportEvent::ShuffleToggled: NotifyAssists(protocol::NotifyShuffle); break;
    // The assists read the new position from the next analyser record.
    case playback::TransportEvent::Seeked: break;
    }
}

} // namespace assisthost
