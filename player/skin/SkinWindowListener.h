#pragma once
// What a SkinWindow reports to the main window's logic. Coordinates are
// client pixels; buttons and shift states use the Windows/VB values so the
// handlers can compare them as the player's rules state them; key codes are
// Windows virtual-key codes (see VirtualKey.h).
#include <cstdint>
#include <string>
#include <vector>

namespace skin {

enum class MouseButton : int32_t { None = 0,
                                   Left = 1,
                                   Right = 2,
                                   Middle = 4 };

// Bit set of held modifier keys: 1 Shift, 2 Ctrl, 4 Alt.
enum class KeyShift : int32_t { None = 0,
                                Shift = 1,
                                Ctrl = 2,
                                Alt = 4 };
constexpr KeyShift operator|(KeyShift a, KeyShift b)
{
    return static_cast<KeyShift>(static_cast<int32_t>(a) | static_cast<int32_t>(b));
}
constexpr bool HasShift(KeyShift set, KeyShift flag)
{
    return (static_cast<int32_t>(set) & static_cast<int32_t>(flag)) != 0;
}

// Bit set of held mouse buttons (MouseButton values ORed), for moves.
using MouseButtons = int32_t;

class SkinWindowListener {
public:
    virtual ~SkinWindowListener() = default;

    virtual void OnMouseDown(MouseButton /*button*/, KeyShift /*shift*/, int32_t /*x*/, int32_t /*y*/) {}
    virtual void OnMouseUp(MouseButton /*button*/, KeyShift /*shift*/, int32_t /*x*/, int32_t /*y*/) {}
    virtual void OnMouseMove(MouseButtons /*buttons*/, KeyShift /*shift*/, int32_t /*x*/, int32_t /*y*/) {}
    // A double click with the left button. It stands in for the second
    // click's press; that click's release is reported as a release.
    virtual void OnDoubleClick(int32_t /*x*/, int32_t /*y*/) {}
    virtual void OnKeyDown(int32_t /*keyCode*/, KeyShift /*shift*/) {}
    virtual void OnKeyUp(int32_t /*keyCode*/, KeyShift /*shift*/) {}
    // delta: +120 per notch away from the user, -120 towards.
    virtual void OnWheel(int32_t /*delta*/, KeyShift /*shift*/, int32_t /*x*/, int32_t /*y*/) {}
    // Local files dropped on the window, in the order given.
    virtual void OnFilesDropped(const std::vector<std::string>& /*paths*/) {}
    // The widgets must repaint themselves: the window was shown or restored.
    // (After a skin change or a drawer pull the caller repaints itself.)
    virtual void OnPaintNeeded() {}
    // The window system asks the window to close (e.g. Alt+F4). Return true
    // to let it close, false to keep it open.
    virtual bool OnCloseRequested() { return true; }
};

} // namespace skin
