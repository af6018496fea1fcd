#pragma once
// What the assist host needs from the player's main window. frmZelko
// implements it; the host calls it from its window procedure (commands sent
// by assists, the mouse wheel) and while sending notifications.
#include <cstdint>

#include "protocol/PlayStateRecord.h"

class AssistHostPlayer {
public:
    virtual ~AssistHostPlayer() = default;

    // The transport handlers, called without further conditions for the
    // commands assists send; they have exactly the effect of the skin's buttons.
    virtual void cButtonAction_PlayClick() = 0;
    virtual void cButtonAction_PauseClick() = 0;
    virtual void cButtonAction_StopClick() = 0;
    virtual void cButtonAction_PTrackClick() = 0;
    virtual void cButtonAction_NTrackClick() = 0;
    virtual void cButtonAction_RepeatClick() = 0;
    virtual void cButtonAction_ShuffleClick() = 0;

    // The mouse wheel as the window procedure receives it: towards the user
    // (negative delta) or away from the user.
    virtual void vbWheelMinus() = 0;
    virtual void vbWheelPlus() = 0;

    // The main window's state: minimized, normal (neither minimized nor
    // maximized), and the two changes the assists may ask for.
    virtual bool IsMinimized() const = 0;
    virtual bool IsNormalState() const = 0;
    virtual void MinimizeWindow() = 0;
    virtual void RestoreWindow() = 0;

    // The play-state record the transport commands keep. The host writes only
    // its DecoderState (before sending) and its Volume (SetVolumeFromAssist).
    virtual protocol::PlayStateRecord& PlayState() = 0;
    // The decoder's state as dec_getState reports it: 0 stopped, 1 playing, 2 paused.
    virtual std::int32_t DecoderState() = 0;

    // After the host stored a volume from an assist in PlayState().Volume:
    // apply it to the decoder for both channels, redraw the volume gauge and
    // the volume-plus button, and show it in the Properties dialog when that
    // is visible.
    virtual void ApplyVolumeFromAssist(std::int32_t volume) = 0;

    // The player's own analyser: AnalyzeProc on or off. SetAnalyzeProc(false)
    // comes after the host has zero-filled both spectrum arrays of its
    // AnalyzeRecord; ClearAnalyzer then clears the analyser's peak array and
    // redraws the analyser (RefreshSpectrumData).
    virtual void SetAnalyzeProc(bool on) = 0;
    virtual void ClearAnalyzer() = 0;
};
