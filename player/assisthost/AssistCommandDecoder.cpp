#include "player/assisthost/AssistCommandDecoder.h"

#include "player/assisthost/AssistBroadcaster.h"
#include "player/assisthost/AssistCatalogue.h"
#include "player/assisthost/AssistHostPlayer.h"
#include "protocol/CommandWords.h"

#include <algorithm>

namespace assisthost {

AssistCommandDecoder::AssistCommandDecoder(AssistHostPlayer& player, AssistCatalogue& catalogue,
                                           AssistBroadcaster& broadcaster,
                                           std::function<bool(std::int32_t)> namesWindow,
                                           std::function<void()> onAnnounced)
    : m_player(player)
    , m_catalogue(catalogue)
    , m_broadcaster(broadcaster)
    , m_namesWindow(std::move(namesWindow))
    , m_onAnnounced(std::move(onAnnounced))
{
}

void AssistCommandDecoder::SetVolumeFromAssist(std::int32_t volume)
{
    m_player.ApplyVolumeFromAssist(std::clamp(volume, 0, 100));
}

void AssistCommandDecoder::HandleCommand(std::uint32_t word, std::int32_t lParam)
{
    using namespace protocol;
    switch (word) {
    case CmdPlayInfo:
        m_broadcaster.ReplyPlayInfo(lParam);
        return;
    case CmdSongInfo:
        m_broadcaster.ReplySongInfo(lParam);
        return;
    case CmdMinimize:
        if (!m_player.IsMinimized())
            m_player.MinimizeWindow();
        return;
    case CmdRestore:
        if (!m_player.IsNormalState())
            m_player.RestoreWindow();
        return;
    case CmdClosing:
        m_catalogue.MarkClosed(lParam);
        return;
    default:
        break;
    }
    switch (CommandOf(word)) {
    case CmdAnnounce: {
        const std::uint32_t position = ArgumentOf(word);
        if (position >= 1 && position <= m_catalogue.Assists().size()) {
            m_catalogue.Link(position, lParam, m_namesWindow(lParam));
            m_onAnnounced();
        }
        return;
    }
    case CmdVolume:
        SetVolumeFromAssist(static_cast<std::int32_t>(ArgumentOf(word)));
        return;
    case CmdPlay:
        m_player.cButtonAction_PlayClick();
        return;
    case CmdPause:
        m_player.cButtonAction_PauseClick();
        return;
    case CmdStop:
        m_player.cButtonAction_StopClick();
        return;
    case CmdPrevTrack:
        m_player.cButtonAction_PTrackClick();
        return;
    case CmdNextTrack:
        m_player.cButtonAction_NTrackClick();
        return;
    case CmdRepeat:
        m_player.cButtonAction_RepeatClick();
        return;
    case CmdShuffle:
        m_player.cButtonAction_ShuffleClick();
        return;
    case CmdAnalyzerOn:
        m_player.SetAnalyzeProc(true);
        return;
    case CmdAnalyzerOff:
        m_player.ClearAnalyzer();
        m_player.SetAnalyzeProc(false);
        return;
    default:
        return; // any other word is ignored
    }
}

} // namespace assisthost
