#pragma once
// Keeps the Properties dialog in step with the transport: when a button, a
// key, a menu or an assist changes the repeat or shuffle mode or the volume,
// the dialog shows the new value. Volume changes made by the dialog itself,
// and the volume read from the settings at start-up, are not shown back.
//
// The dialog and the transport must outlive the follower, which the owner
// adds to the transport's observers and removes before either goes. All on
// the user-interface thread.
#include "player/playback/Transport.h"

namespace dialogs {

class frmZelkoProps;

class PropsFollower final : public playback::TransportObserver {
public:
    PropsFollower(frmZelkoProps& dialog, const playback::Transport& transport);

    void VolumeChanged(playback::VolumeCause cause) override;
    void Happened(playback::TransportEvent event) override;

private:
    frmZelkoProps& m_dialog;
    const playback::Transport& m_transport;
};

} // namespace dialogs
