#pragma once
// A skin loaded and checked, ready to be shown: its regions (coRgns, already
// separated), rectangles (coRects), pictures, text colours and peak table.
// The main window owns the current Skin and hands it to the widget
// controllers by reference; applying another skin replaces it whole.
#include "player/skin/SkinCollection.h"
#include "player/skin/SkinPictures.h"
#include "player/skin/SkinTextColours.h"

#include <string>

namespace skin {

struct Skin {
    std::string skinPath;
    std::string skinFile;
    SkinRegions coRgns;
    SkinRects coRects;
    SkinPictures pictures;
    SkinTextColours colours;

    // Whether the skin has the drawer (its show region exists).
    bool HasLyricsDrawer() const { return coRgns.Contains("body-lyricsshow"); }
    bool HasPlayListDrawer() const { return coRgns.Contains("body-playlistshow"); }
};

} // namespace skin
