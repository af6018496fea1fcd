#pragma once
// Showing a loaded skin on the window: size and place it, shape it, paint its
// background; and the two drawer pulls that change the shape afterwards.
// The window is the client area (no frame), so window and skin coordinates
// are the same (the window converts them to its device pixels at its scale).
#include "platform/Rect.h"
#include "platform/Region.h"
#include "player/skin/Skin.h"

#include <cstdint>

namespace skin {

class SkinWindow;
class DrawingSurface;

enum class Drawer { Lyrics,
                    PlayList };

// Whether each drawer is pulled out (LyricsShow, PlayListShow).
struct DrawerStates {
    bool lyricsShow = false;
    bool playListShow = false;
    friend bool operator==(const DrawerStates&, const DrawerStates&) = default;
};

struct SkinWindowSettings {
    int32_t windowLeft = 0; // WindowLeft
    int32_t windowTop = 0;  // WindowTop
    bool lyricsShowAlway = false;
    bool playListShowAlway = false;
};

// Window size: the bounding box of body-main and both show regions,
// measured from the skin origin (its right and bottom; its left and top are
// not used).
platform::Rect SkinWindowBox(const Skin& skin);

// The drawer states a newly applied skin starts with: out when the setting
// asks for it and the skin has the drawer.
DrawerStates InitialDrawerStates(const Skin& skin, const SkinWindowSettings& settings);

// The window outline for the drawer states: body-main plus, per drawer that
// exists, its show region when out or its hide region (if any) when in.
platform::Region SkinWindowShape(const Skin& skin, DrawerStates states);

// Paints the window background into the surface: the lyrics then play-list
// drawer pictures (show or hide by state) at the origin, unclipped, then the
// body picture clipped to body-main.
void PaintSkinBackground(DrawingSurface& surface, const Skin& skin, DrawerStates states);

// Applies a loaded skin to the window: places it at (windowLeft, windowTop)
// with the size of SkinWindowBox, paints the background, sets the shape.
// Returns the drawer states to store (LyricsShow, PlayListShow). The caller
// then lets the widget controllers derive their rectangles (MakeLyricsRect,
// MakePlayListRect) and repaint.
DrawerStates BuildSkinWindow(SkinWindow& window, const Skin& skin, const SkinWindowSettings& settings);

// Gives the window a new scale (device pixels per skin pixel) while it shows
// the skin: its top left corner stays where it is on the screen, its size,
// the skin's pictures, the background and the shape follow the scale, and the
// drawers keep their states. The caller then repaints the widgets.
void ScaleSkinWindow(SkinWindow& window, const Skin& skin, DrawerStates states, int scale);

// Toggles one drawer: new shape and the drawer's picture painted clipped to
// its show (or hide) region. Returns the new states. A skin without the
// drawer changes nothing. The caller then repaints the pull button and
// whatever widgets lie in the drawer.
DrawerStates PullDrawer(SkinWindow& window, const Skin& skin, DrawerStates states, Drawer drawer);

} // namespace skin
