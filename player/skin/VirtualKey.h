#pragma once
// Windows virtual-key codes for Qt keys, so the key handlers can use the
// codes their rules are written in (0x41 'A', 0x25 left arrow, 0x70 F1, ...).
#include "player/skin/SkinWindowListener.h"

#include <cstdint>

namespace skin {

// Returns 0 for keys without a virtual-key code.
int32_t VirtualKeyFromQt(int qtKey);
// The VB shift mask (1 Shift, 2 Ctrl, 4 Alt) of Qt keyboard modifiers.
KeyShift KeyShiftFromQt(int qtModifiers);

} // namespace skin
