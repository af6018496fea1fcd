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

class ClsZelko;
class ClsZelkoBodyAction;
class ClsZelkoButtonAction;
class ClsZelkoLyricsAction;
class ClsZelkoPlayListAction;
class PlayLoop;
class SkinWindow;

class PlayerView : public TransportObserver {
public:
    // Makes the controllers; everything given must outlive the view.
    PlayerView(ClsZelko& app, SkinWindow& window, Transport& transport, PlayLoop& loop);
    ~PlayerView() override;
    PlayerView(const PlayerView&) = delete;
    PlayerView& operator=(const PlayerView&) = delete;

    ClsZelkoBodyAction& Body() { return *m_body; }
    ClsZelkoButtonAction& Buttons() { return *m_buttons; }
    ClsZelkoLyricsAction& LyricsBox() { return *m_lyrics; }
    ClsZelkoPlayListAction& PlayListBox() { return *m_playList; }
    const Skin& CurrentSkin() const { return m_skin; }
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
    void PullDrawer(Drawer drawer);
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
    std::optional<Drawer> SoleDrawer() const;
    // Zero-fills the analyser record's spectra, clears the peaks and redraws.
    void ClearAnalyzer();

    // TransportObserver
    void FlagChanged(PlayFlag flag) override;
    void TrackOpened(const ClsZelkoMp3File& track, std::int32_t totalMs) override;
    void TrackCannotPlay(const ClsZelkoMp3File& track) override;
    void VolumeChanged(VolumeCause cause) override;
    void Happened(TransportEvent event) override;
    void ListChanged() override;

private:

    ClsZelko& m_app;
    SkinWindow& m_window;
    Transport& m_transport;
    PlayLoop& m_loop;
    // The controllers hold a reference to m_skin: a new skin is assigned into
    // the same object.
    Skin m_skin;
    DrawerStates m_drawers;
    std::unique_ptr<ClsZelkoBodyAction> m_body;
    std::unique_ptr<ClsZelkoButtonAction> m_buttons;
    std::unique_ptr<ClsZelkoLyricsAction> m_lyrics;
    std::unique_ptr<ClsZelkoPlayListAction> m_playList;
};
