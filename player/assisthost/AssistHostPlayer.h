#pragma once
// What the assist host needs from the player's main window. frmZelko
// implements it; the host calls it from its window procedure (commands sent
// by assists) and while sending notifications.
#include <cstdint>

#include "protocol/PlayStateRecord.h"

namespace assisthost {

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

    // The main window's state: minimized, normal (neither minimized nor
    // maximized), and the two changes the assists may ask for.
    virtual bool IsMinimized() const = 0;
    virtual bool IsNormalState() const = 0;
    virtual void MinimizeWindow() = 0;
    virtual void RestoreWindow() = 0;

    // The play state as the assists receive it.
    virtual protocol::PlayStateRecord CurrentPlayState() const = 0;
    // Reads the decoder's state into the play state (dec_getState: 0 stopped,
    // 1 playing, 2 paused) and returns it.
    virtual std::int32_t DecoderState() = 0;

    // A volume from an assist, already clamped to 0..100: store it, apply it
    // to the decoder for both channels, redraw the volume gauge and the
    // volume-plus button, show it in the Properties dialog when that is
    // visible, and tell the assists (NotifyVolume).
    virtual void ApplyVolumeFromAssist(std::int32_t volume) = 0;

    // The player's own analyser: AnalyzeProc on or off. Before
    // SetAnalyzeProc(false), ClearAnalyzer zero-fills both spectrum arrays of
    // the analyser record, clears the analyser's peak array and redraws the
    // analyser (RefreshSpectrumData).
    virtual void SetAnalyzeProc(bool on) = 0;
    virtual void ClearAnalyzer() = 0;
};

} // namespace assisthost
