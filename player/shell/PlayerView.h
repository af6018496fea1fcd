#pragma once
// The main window's picture: the current skin, the drawers' states and the
// four widget controllers (body, buttons, lyrics box, play-list box) over the
// skin window. PlayerView applies a skin to them, paints them, pulls the
// drawers, and as the transport's first observer redraws what a command
// changed (button looks, title, volume gauge, lyrics, play list).
//
// It draws only; the controllers' signals go to the main window. All on the
// user-interface thread.
#include "player/playback/Transport.h"
#include "player/skin/Skin.h"
#include "player/skin/SkinWindowBuilder.h"

#include <memory>
#include <optional>
#include <string>

namespace widgets {
class ClsZelkoBodyAction;
class ClsZelkoButtonAction;
class ClsZelkoLyricsAction;
class ClsZelkoPlayListAction;
} // namespace widgets
namespace skin {
class SkinWindow;
}

namespace shell {

class ClsZelko;
class PlayLoop;

class PlayerView : public playback::TransportObserver {
public:
    // Makes the controllers; everything given must outlive the view.
    PlayerView(ClsZelko& app, skin::SkinWindow& window, playback::Transport& transport, PlayLoop& loop);
    ~PlayerView() override;
    PlayerView(const PlayerView&) = delete;
    PlayerView& operator=(const PlayerView&) = delete;

    widgets::ClsZelkoBodyAction& Body() { return *m_body; }
    widgets::ClsZelkoButtonAction& Buttons() { return *m_buttons; }
    widgets::ClsZelkoLyricsAction& LyricsBox() { return *m_lyrics; }
    widgets::ClsZelkoPlayListAction& PlayListBox() { return *m_playList; }
    const skin::Skin& CurrentSkin() const { return m_skin; }
    // The play-list box's first shown track.
    std::int32_t PlayListTop() const;

    // Loads the skin ClsZelko names and, when it can be shown, applies it
    // (window shape, colours, widget rectangles, repaint). On false nothing
    // has changed on screen.
    bool ApplyCurrentSkin();
    void PaintWidgets();
    // The window at a new scale (device pixels per skin pixel): resized from
    // its top left corner, the drawers as they are, everything painted again.
    void SetScale(int scale);
    // The scale at start-up, chosen once from [Window] Scale or the screen.
    int ChooseStartScale();
    // The main menu's double size: 1 becomes 2 and 2 or 3 becomes 1, kept in
    // the settings. Returns the new scale.
    int ToggleDoubleSize();
    void RefreshListBox();
    void PullDrawer(skin::Drawer drawer);
    // The list's arrow buttons: the arrow's look, then one track further
    // while there is one.
    void ScrollListDown();
    void ScrollListUp();
    // A box lies in its drawer when the skin has one; it is drawn only while
    // the drawer is out, so that a pushed-back drawer's picture stays as it is.
    bool LyricsBoxVisible() const;
    bool PlayListBoxVisible() const;
    // The skin's drawer when it has exactly one (the key that pulls "the"
    // drawer), else none.
    std::optional<skin::Drawer> SoleDrawer() const;
    // Zero-fills the analyser record's spectra, clears the peaks and redraws.
    void ClearAnalyzer();

    // TransportObserver
    void FlagChanged(playback::PlayFlag flag) override;
    void TrackOpened(const playback::ClsZelkoMp3File& track, std::int32_t totalMs) override;
    void TrackCannotPlay(const playback::ClsZelkoMp3File& track) override;
    void VolumeChanged(playback::VolumeCause cause) override;
    void Happened(playback::TransportEvent event) override;
    void ListChanged() override;

private:
    ClsZelko& m_app;
    skin::SkinWindow& m_window;
    playback::Transport& m_transport;
    PlayLoop& m_loop;
    // The controllers hold a reference to m_skin: a new skin is assigned into
    // the same object.
    skin::Skin m_skin;
    skin::DrawerStates m_drawers;
    std::unique_ptr<widgets::ClsZelkoBodyAction> m_body;
    std::unique_ptr<widgets::ClsZelkoButtonAction> m_buttons;
    std::unique_ptr<widgets::ClsZelkoLyricsAction> m_lyrics;
    std::unique_ptr<widgets::ClsZelkoPlayListAction> m_playList;
};

} // namespace shell
