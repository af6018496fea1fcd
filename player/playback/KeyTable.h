#pragma once
// The main window's shortcut table: which command a key release runs. Keys
// are Windows virtual-key codes (letters are their upper-case ASCII codes,
// Left 37, Up 38, Right 39, Down 40, F4 115); the shift state is the two bits Shift (1) and
// Ctrl (2) — Alt is not looked at. The rows are tested in order and the first
// match acts; keys without Ctrl do nothing.
#include <array>
#include <cstdint>
#include <optional>

namespace playback {

enum class KeyCommand {
    NextSkin,        // Ctrl+Shift+S
    ToggleShuffle,   // Ctrl+Shift+M
    ToggleRepeat,    // Ctrl+Shift+R
    Exit,            // Ctrl+F4
    WheelMinus,      // Ctrl+Shift+Down: three lines down
    WheelPlus,       // Ctrl+Shift+Up: three lines up
    ListDown,        // Ctrl+Down
    ListUp,          // Ctrl+Up
    PullPanel,       // Ctrl+L
    OpenFolder,      // Ctrl+O
    OpenFile,        // Ctrl+F
    MainMenu,        // Ctrl+M
    Play,            // Ctrl+P (only when stopped)
    Pause,           // Ctrl+U (only when started)
    Stop,            // Ctrl+T (only when started)
    Previous,        // Ctrl+V
    Next,            // Ctrl+N
    Properties,      // Ctrl+R
    SeekBackLong,    // Ctrl+Shift+Left: 30 s back
    SeekForwardLong, // Ctrl+Shift+Right: 30 s forward
    SeekBack,        // Ctrl+Left: 5 s back
    SeekForward,     // Ctrl+Right: 5 s forward
};

enum ShiftBits : std::uint8_t { kShiftBit = 1,
                                kCtrlBit = 2 };

struct KeyRule {
    int keyCode;     // virtual-key code
    bool needsShift; // true: Ctrl+Shift; false: Ctrl with or without Shift
    KeyCommand command;
};

inline constexpr std::array<KeyRule, 22> kKeyRules{{
    {83, true, KeyCommand::NextSkin},
    {77, true, KeyCommand::ToggleShuffle},
    {82, true, KeyCommand::ToggleRepeat},
    {115, false, KeyCommand::Exit},
    {40, true, KeyCommand::WheelMinus},
    {38, true, KeyCommand::WheelPlus},
    {40, false, KeyCommand::ListDown},
    {38, false, KeyCommand::ListUp},
    {76, false, KeyCommand::PullPanel},
    {79, false, KeyCommand::OpenFolder},
    {70, false, KeyCommand::OpenFile},
    {77, false, KeyCommand::MainMenu},
    {80, false, KeyCommand::Play},
    {85, false, KeyCommand::Pause},
    {84, false, KeyCommand::Stop},
    {86, false, KeyCommand::Previous},
    {78, false, KeyCommand::Next},
    {82, false, KeyCommand::Properties},
    {37, true, KeyCommand::SeekBackLong},
    {39, true, KeyCommand::SeekForwardLong},
    {37, false, KeyCommand::SeekBack},
    {39, false, KeyCommand::SeekForward},
}};

// The command for a key release, or nothing. shiftState carries the bits
// kShiftBit and kCtrlBit; other bits are ignored.
constexpr std::optional<KeyCommand> LookupKeyCommand(int keyCode, unsigned shiftState)
{
    const bool ctrl = (shiftState & kCtrlBit) != 0;
    const bool shift = (shiftState & kShiftBit) != 0;
    if (!ctrl) return std::nullopt;
    for (const KeyRule& rule : kKeyRules) {
        if (rule.keyCode == keyCode && (!rule.needsShift || shift)) return rule.command;
    }
    return std::nullopt;
}

} // namespace playback
