#include "player/dialogs/PropsFollower.h"

#include "player/dialogs/frmZelkoProps.h"

namespace dialogs {

PropsFollower::PropsFollower(frmZelkoProps& dialog, const playback::Transport& transport)
    : m_dialog(dialog)
    , m_transport(transport)
{
}

void PropsFollower::VolumeChanged(playback::VolumeCause cause)
{
    if (cause == playback::VolumeCause::Settings || cause == playback::VolumeCause::Properties)
        return;
    m_dialog.ShowVolume(m_transport.Volume());
}

void PropsFollower::Happened(playback::TransportEvent event)
{
    if (event == playback::TransportEvent::RepeatToggled)
        m_dialog.ShowRepeat(m_transport.bRepeat());
    else if (event == playback::TransportEvent::ShuffleToggled)
        m_dialog.ShowShuffle(m_transport.bShuffle());
}

} // namespace dialogs
