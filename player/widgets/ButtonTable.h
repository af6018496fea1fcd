#pragma once
// The fourteen skinned push buttons: their regions, which image each shows in
// which state, the pressed looks and which releases raise an event. Plain
// data and rules, so that every look can be checked without drawing.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace widgets {

enum class SkinButton {
    Close,
    Minimize,
    LyricsPull,
    PlayListPull,
    Open,
    Play,
    Pause,
    Stop,
    PTrack,
    NTrack,
    Repeat,
    Shuffle,
    VolumePlus,
    VolumeMinus,
};

// All fourteen in painting order (close first, volume down last).
inline constexpr std::array<SkinButton, 14> AllSkinButtons{
    SkinButton::Close,
    SkinButton::Minimize,
    SkinButton::LyricsPull,
    SkinButton::PlayListPull,
    SkinButton::Open,
    SkinButton::Play,
    SkinButton::Pause,
    SkinButton::Stop,
    SkinButton::PTrack,
    SkinButton::NTrack,
    SkinButton::Repeat,
    SkinButton::Shuffle,
    SkinButton::VolumePlus,
    SkinButton::VolumeMinus,
};

// The state the button looks depend on.
struct ButtonStates {
    bool LyricsShow = false;
    bool PlayListShow = false;
    bool bPlay = false;
    bool bPause = false;
    bool bStop = true;
    bool bRepeat = false;
    bool bShuffle = false;
};

// An image of a skin picture: the rectangle key of the image and of its mask.
struct ButtonLook {
    std::string Image;
    std::string Mask;
    friend bool operator==(const ButtonLook&, const ButtonLook&) = default;
};

namespace ButtonTable {

// Region key of the button (e.g. "playbuttons-play").
std::string_view RegionName(SkinButton button);

// The button whose region has this key, if any.
std::optional<SkinButton> FromRegionName(std::string_view regionName);

// The drawer pulls are optional: a skin without their region has no such button.
bool IsOptional(SkinButton button);

// The look of the button at rest in the given state.
ButtonLook IdleLook(SkinButton button, const ButtonStates& states);

// The look while the left button is held on it; nothing when the button shows
// no pressed look in this state (pause while not playing, or while paused).
std::optional<ButtonLook> PressedLook(SkinButton button, const ButtonStates& states);

// Whether a release on the button raises its event in this state: play only
// when not playing, pause only when playing, stop only when not stopped.
bool ClickRaisesEvent(SkinButton button, const ButtonStates& states);

} // namespace ButtonTable

} // namespace widgets
