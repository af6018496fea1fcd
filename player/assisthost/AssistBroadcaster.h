#pragma once
// Sends the assists what they are told: the play-state record with a
// notification code, the analyser record each tick, and the replies to their
// requests (play state, song information). It observes the transport, so a
// command's notification goes out after the player's window has redrawn
// (it is added as the last observer), and keeps the song information of the
// track that opened last.
//
// Every send goes through one place: an assist that does not answer within
// the send timeout counts as closed (unlinked) but stays selected, so the
// next run starts it again. All on the user-interface thread.
#include "player/playback/Transport.h"
#include "protocol/AnalyzeRecord.h"
#include "protocol/SongInfoRecord.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/WindowMessages.h"

namespace platform {
class MessageWindow;
}

namespace assisthost {

class AssistCatalogue;
class AssistHostPlayer;

// The fields of the song information.
enum class SongInfoField { Mp3File,
                           TrackName,
                           ArtistName };

class AssistBroadcaster : public playback::TransportObserver {
public:
    // window may be null (no message window could be opened): nothing is sent.
    AssistBroadcaster(AssistHostPlayer& player, AssistCatalogue& catalogue, platform::MessageWindow* window);

    // The play-state record to every linked assist. NotifyAssists has the
    // player read the decoder state first; NotifyVolume does not.
    void NotifyAssists(std::uint32_t code);
    void NotifyVolume();
    void SendAnalyze(const protocol::AnalyzeRecord& record);
    // The answers to an assist's requests, to that assist only.
    void ReplyPlayInfo(platform::WindowHandle to);
    void ReplySongInfo(platform::WindowHandle to);

    // Song information; the text is UTF-8.
    void SetSongInfo(SongInfoField field, std::string_view text);
    const protocol::SongInfoRecord& SongInfo() const { return m_songInfo; }

    // TransportObserver
    void TrackOpened(const playback::ClsZelkoMp3File& track, std::int32_t totalMs) override;
    void VolumeChanged(playback::VolumeCause cause) override;
    void Happened(playback::TransportEvent event) override;

private:
    void SendPlayState(std::uint32_t dwData);
    void SendToAssist(platform::WindowHandle to, std::uint32_t wParam, std::uint32_t dwData,
                      std::span<const std::byte> payload);

    AssistHostPlayer& m_player;
    AssistCatalogue& m_catalogue;
    platform::MessageWindow* m_window;
    protocol::SongInfoRecord m_songInfo{};
};

} // namespace assisthost
