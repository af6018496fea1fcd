#include "player/dialogs/PropsFollower.h"

#include "player/dialogs/frmZelkoProps.h"

namespace dialogs {

PropsFollower::PropsFollower(frmZelkoProps& dialog, const Transport& transport)
    : m_dialog(dialog)
    , m_transport(transport)
{
}

void PropsFollower::VolumeChanged(VolumeCause cause)
{
    if (cause == VolumeCause::Settings || cause == VolumeCause::Properties)
        return;
    m_dialog.ShowVolume(m_transport.Volume());
}

void PropsFollower::Happened(TransportEvent event)
{
    if (event == TransportEvent::RepeatToggled)
        m_dialog.ShowRepeat(m_transport.bRepeat());
    else if (event == TransportEvent::ShuffleToggled)
        m_dialog.ShowShuffle(m_transport.bShuffle());
}

} // namespace dialogs
