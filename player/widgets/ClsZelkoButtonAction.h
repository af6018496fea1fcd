#pragma once
// The controller of the fourteen skinned push buttons (close, minimize, the
// two drawer pulls, open, play, pause, stop, previous and next track, repeat,
// shuffle, volume up and down). It paints each button by the player's state,
// shows the pressed look while the left mouse button is held on a button,
// and when the button is released over the region where it was pressed
// raises the button's event. Play raises only when not playing, pause only
// when playing, stop only when not stopped. Coordinates are window client
// pixels.
#include "player/widgets/ButtonTable.h"
#include "player/widgets/SkinImagePainter.h"
#include "player/widgets/WidgetContext.h"
#include "player/skin/SkinWindowListener.h"

#include <QObject>

#include <string>

namespace playback {
struct PlayState;
}

namespace widgets {

class ClsZelkoButtonAction : public QObject {
    Q_OBJECT
public:
    ClsZelkoButtonAction(const WidgetContext& context, const playback::PlayState& playState, QObject* parent = nullptr);

    void RefreshLyricsPull();
    void RefreshPlayListPull();
    void RefreshOpen();
    void RefreshPlay();
    void RefreshPause();
    void RefreshStop();
    void RefreshPTrack();
    void RefreshNTrack();
    void RefreshRepeat();
    void RefreshShuffle();
    void RefreshVolumePlus();
    void RefreshVolumeMinus();

    // The window's events, in client pixels. Only the left button counts.
    void MouseDown(skin::MouseButton button, skin::KeyShift shift, int32_t x, int32_t y);
    void MouseUp(skin::MouseButton button, skin::KeyShift shift, int32_t x, int32_t y);
    // All fourteen painters, close first, volume down last.
    void Paint();

    // The region under the press in progress; empty when none.
    const std::string& PressedRgnName() const { return m_pressedRgnName; }

    // The state the looks depend on, as the controller reads it now.
    ButtonStates CurrentStates() const;

signals:
    void CloseClick();
    void MinimizeClick();
    void LyricsPullClick();
    void PlayListPullClick();
    void OpenClick();
    void PlayClick();
    void PauseClick();
    void StopClick();
    void PTrackClick();
    void NTrackClick();
    void RepeatClick();
    void ShuffleClick();
    void VolumePlusClick();
    void VolumeMinusClick();

private:
    void RefreshClose();
    void RefreshMinimize();
    // The painter of one button: its idle look, clipped to its outline.
    void Refresh(SkinButton button);
    void DrawLook(const platform::Rect& box, const ButtonLook& look);
    void Raise(SkinButton button);

    WidgetContext m_ctx;
    SkinImagePainter m_painter;
    const playback::PlayState& m_playState;
    std::string m_pressedRgnName;
};

} // namespace widgets
