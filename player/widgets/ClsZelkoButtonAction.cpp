#include "player/widgets/ClsZelkoButtonAction.h"

#include "player/playback/PlayState.h"
#include "player/widgets/WidgetState.h"
#include "player/skin/DrawingSurface.h"
#include "player/skin/Skin.h"

namespace widgets {

ClsZelkoButtonAction::ClsZelkoButtonAction(const WidgetContext& context, const playback::PlayState& playState,
                                           QObject* parent)
    : QObject(parent)
    , m_ctx(context)
    , m_painter(context)
    , m_playState(playState)
{
}

ButtonStates ClsZelkoButtonAction::CurrentStates() const
{
    ButtonStates s;
    s.LyricsShow = m_ctx.state.LyricsShow();
    s.PlayListShow = m_ctx.state.PlayListShow();
    s.bPlay = m_playState.bPlay;
    s.bPause = m_playState.bPause;
    s.bStop = m_playState.bStop;
    s.bRepeat = m_playState.bRepeat;
    s.bShuffle = m_playState.bShuffle;
    return s;
}

void ClsZelkoButtonAction::DrawLook(const platform::Rect& box, const ButtonLook& look)
{
    m_painter.DrawSkinImage(box, look.Mask, look.Image, m_painter.ButtonSource(look.Image),
                            MaskFallback::WithoutDown);
}

void ClsZelkoButtonAction::Refresh(SkinButton button)
{
    // A skin without a button's region has no such button (required buttons
    // included: a broken skin must not stop the player).
    const platform::Region* region = m_painter.FindRegion(ButtonTable::RegionName(button));
    if (region == nullptr)
        return;
    const platform::Rect box = region->BoundingBox();
    ScopedClip clip(m_ctx.surface, *region);
    DrawLook(box, ButtonTable::IdleLook(button, CurrentStates()));
    m_painter.DebugFrame(box);
}

void ClsZelkoButtonAction::RefreshClose() { Refresh(SkinButton::Close); }
void ClsZelkoButtonAction::RefreshMinimize() { Refresh(SkinButton::Minimize); }
void ClsZelkoButtonAction::RefreshLyricsPull() { Refresh(SkinButton::LyricsPull); }
void ClsZelkoButtonAction::RefreshPlayListPull() { Refresh(SkinButton::PlayListPull); }
void ClsZelkoButtonAction::RefreshOpen() { Refresh(SkinButton::Open); }
void ClsZelkoButtonAction::RefreshPlay() { Refresh(SkinButton::Play); }
void ClsZelkoButtonAction::RefreshPause() { Refresh(SkinButton::Pause); }
void ClsZelkoButtonAction::RefreshStop() { Refresh(SkinButton::Stop); }
void ClsZelkoButtonAction::RefreshPTrack() { Refresh(SkinButton::PTrack); }
void ClsZelkoButtonAction::RefreshNTrack() { Refresh(SkinButton::NTrack); }
void ClsZelkoButtonAction::RefreshRepeat() { Refresh(SkinButton::Repeat); }
void ClsZelkoButtonAction::RefreshShuffle() { Refresh(SkinButton::Shuffle); }
void ClsZelkoButtonAction::RefreshVolumePlus() { Refresh(SkinButton::VolumePlus); }
void ClsZelkoButtonAction::RefreshVolumeMinus() { Refresh(SkinButton::VolumeMinus); }

void ClsZelkoButtonAction::MouseDown(skin::MouseButton button, skin::KeyShift, int32_t x, int32_t y)
{
    if (button != skin::MouseButton::Left)
        return;
    m_pressedRgnName.clear();
    const skin::ClsZelkoRgn* hit = nullptr;
    for (const skin::ClsZelkoRgn& rgn : m_ctx.skin.coRgns) {
        if (rgn.Name().starts_with("body"))
            continue;
        if (rgn.Rgn().has_value() && rgn.Rgn()->Contains(x, y)) {
            hit = &rgn;
            break;
        }
    }
    if (hit == nullptr)
        return;
    m_pressedRgnName = hit->Name();
    const auto skinButton = ButtonTable::FromRegionName(m_pressedRgnName);
    if (!skinButton)
        return;
    if (const auto look = ButtonTable::PressedLook(*skinButton, CurrentStates())) {
        // The pressed look fills the whole box, not only the outline.
        m_ctx.surface.ClearClip();
        DrawLook(hit->Rgn()->BoundingBox(), *look);
    }
}

void ClsZelkoButtonAction::MouseUp(skin::MouseButton button, skin::KeyShift, int32_t x, int32_t y)
{
    if (button != skin::MouseButton::Left || m_pressedRgnName.empty())
        return;
    const std::string pressed = std::move(m_pressedRgnName);
    m_pressedRgnName.clear();
    const auto skinButton = ButtonTable::FromRegionName(pressed);
    if (!skinButton)
        return;
    const platform::Region* region = m_painter.FindRegion(pressed);
    if (region != nullptr && region->Contains(x, y)) {
        if (ButtonTable::ClickRaisesEvent(*skinButton, CurrentStates()))
            Raise(*skinButton);
    } else {
        // The press was abandoned: back to the look of the current state.
        Refresh(*skinButton);
    }
}

void ClsZelkoButtonAction::Raise(SkinButton button)
{
    switch (button) {
    case SkinButton::Close: emit CloseClick(); break;
    case SkinButton::Minimize: emit MinimizeClick(); break;
    case SkinButton::LyricsPull: emit LyricsPullClick(); break;
    case SkinButton::PlayListPull: emit PlayListPullClick(); break;
    case SkinButton::Open: emit OpenClick(); break;
    case SkinButton::Play: emit PlayClick(); break;
    case SkinButton::Pause: emit PauseClick(); break;
    case SkinButton::Stop: emit StopClick(); break;
    case SkinButton::PTrack: emit PTrackClick(); break;
    case SkinButton::NTrack: emit NTrackClick(); break;
    case SkinButton::Repeat: emit RepeatClick(); break;
    case SkinButton::Shuffle: emit ShuffleClick(); break;
    case SkinButton::VolumePlus: emit VolumePlusClick(); break;
    case SkinButton::VolumeMinus: emit VolumeMinusClick(); break;
    }
}

void ClsZelkoButtonAction::Paint()
{
    for (SkinButton b : AllSkinButtons)
        Refresh(b);
}

} // namespace widgets
