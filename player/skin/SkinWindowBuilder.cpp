#include "player/skin/SkinWindowBuilder.h"

#include "player/skin/DrawingSurface.h"
#include "player/skin/SkinWindow.h"

namespace skin {

namespace {

struct DrawerNames {
    const char* show;
    const char* hide;
};

DrawerNames Names(Drawer drawer)
{
    return drawer == Drawer::Lyrics ? DrawerNames{"body-lyricsshow", "body-lyricshide"}
                                    : DrawerNames{"body-playlistshow", "body-playlisthide"};
}

const QImage& ShowPicture(const Skin& skin, Drawer drawer)
{
    return drawer == Drawer::Lyrics ? skin.pictures.picLyricsShow : skin.pictures.picPlayListShow;
}

const QImage& HidePicture(const Skin& skin, Drawer drawer)
{
    return drawer == Drawer::Lyrics ? skin.pictures.picLyricsHide : skin.pictures.picPlayListHide;
}

const platform::Region* FindRegion(const Skin& skin, const char* name)
{
    const ClsZelkoRgn* rgn = skin.coRgns.Find(name);
    return rgn && rgn->Rgn() ? &*rgn->Rgn() : nullptr;
}

bool& StateOf(DrawerStates& states, Drawer drawer)
{
    return drawer == Drawer::Lyrics ? states.lyricsShow : states.playListShow;
}

// The drawer's part of the window: its show region when out, its hide region
// (or nothing) when in.
platform::Region DrawerPart(const Skin& skin, Drawer drawer, bool out)
{
    const DrawerNames names = Names(drawer);
    if (!FindRegion(skin, names.show)) return {};
    const platform::Region* part = FindRegion(skin, out ? names.show : names.hide);
    return part ? *part : platform::Region();
}

// Paints the drawer's picture for its state, clipped to the drawer's region
// (or unclipped when clip is false, as the full background paint does).
void PaintDrawer(DrawingSurface& surface, const Skin& skin, Drawer drawer, bool out, bool clip)
{
    const DrawerNames names = Names(drawer);
    if (!FindRegion(skin, names.show)) return;
    const QImage& picture = out ? ShowPicture(skin, drawer) : HidePicture(skin, drawer);
    if (picture.isNull()) return;
    if (clip) {
        const platform::Region* part = FindRegion(skin, out ? names.show : names.hide);
        if (!part) return;
        // The body picture covers body-main whatever the drawer does, as
        // after a full background paint.
        const platform::Region* main = FindRegion(skin, "body-main");
        surface.SetClip(main ? part->Subtracted(*main) : *part);
    }
    surface.PaintPicture(picture, 0, 0);
    surface.ClearClip();
}

} // namespace

platform::Rect SkinWindowBox(const Skin& skin)
{
    platform::Region all;
    for (const char* name : {"body-main", "body-lyricsshow", "body-playlistshow"}) {
        if (const platform::Region* r = FindRegion(skin, name)) all.Unite(*r);
    }
    const platform::Rect box = all.BoundingBox();
    // The window origin is the skin origin: only the far edges count.
    return platform::Rect{0, 0, std::max(0, box.right), std::max(0, box.bottom)};
}

DrawerStates InitialDrawerStates(const Skin& skin, const SkinWindowSettings& settings)
{
    return DrawerStates{settings.lyricsShowAlway && FindRegion(skin, "body-lyricsshow") != nullptr,
                        settings.playListShowAlway && FindRegion(skin, "body-playlistshow") != nullptr};
}

platform::Region SkinWindowShape(const Skin& skin, DrawerStates states)
{
    const platform::Region* main = FindRegion(skin, "body-main");
    platform::Region shape = main ? *main : platform::Region();
    shape.Unite(DrawerPart(skin, Drawer::Lyrics, states.lyricsShow));
    shape.Unite(DrawerPart(skin, Drawer::PlayList, states.playListShow));
    return shape;
}

void PaintSkinBackground(DrawingSurface& surface, const Skin& skin, DrawerStates states)
{
    surface.ClearClip();
    PaintDrawer(surface, skin, Drawer::Lyrics, states.lyricsShow, false);
    PaintDrawer(surface, skin, Drawer::PlayList, states.playListShow, false);
    if (const platform::Region* main = FindRegion(skin, "body-main")) {
        surface.SetClip(*main);
        surface.PaintPicture(skin.pictures.picBody, 0, 0);
        surface.ClearClip();
    }
}

namespace {

// Places the window at (left, top) with the skin's size, names the skin's
// pictures to the surface, paints the background and sets the shape.
void ShowSkin(SkinWindow& window, const Skin& skin, DrawerStates states, int32_t left, int32_t top)
{
    const platform::Rect box = SkinWindowBox(skin);
    window.Place(left, top, box.Width(), box.Height());
    const SkinPictures& p = skin.pictures;
    window.Surface().KeepPictures({&p.picBody, &p.picSysButtons, &p.picPlayButtons, &p.picTitle, &p.picLyricsShow,
                                   &p.picLyricsHide, &p.picPlayListShow, &p.picPlayListHide});
    // Whatever the previous skin left outside the new outline is covered.
    window.Surface().ClearClip();
    window.Surface().Fill(Qt::black);
    PaintSkinBackground(window.Surface(), skin, states);
    window.SetShape(SkinWindowShape(skin, states));
}

} // namespace

DrawerStates BuildSkinWindow(SkinWindow& window, const Skin& skin, const SkinWindowSettings& settings)
{
    const DrawerStates states = InitialDrawerStates(skin, settings);
    ShowSkin(window, skin, states, settings.windowLeft, settings.windowTop);
    return states;
}

void ScaleSkinWindow(SkinWindow& window, const Skin& skin, DrawerStates states, int scale)
{
    const platform::Point at = window.Position();
    window.SetScale(scale);
    ShowSkin(window, skin, states, at.x, at.y);
}

DrawerStates PullDrawer(SkinWindow& window, const Skin& skin, DrawerStates states, Drawer drawer)
{
    if (!FindRegion(skin, Names(drawer).show)) return states;
    bool& out = StateOf(states, drawer);
    out = !out;
    // The picture is painted before the outline grows, so the newly shown
    // part never shows stale content.
    PaintDrawer(window.Surface(), skin, drawer, out, true);
    window.SetShape(SkinWindowShape(skin, states));
    return states;
}

} // namespace skin
