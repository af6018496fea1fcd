#pragma once
// The player's main window: it routes the window's events, the widget
// controllers' signals, the menus, the keys and the assists' commands to the
// parts that do the work, and redraws the widgets when the transport says
// what changed.
//
// frmZelko owns everything that lives as long as the program: the
// application state, the decoder, the transport (play state, play list and
// order), the play loop, the window and its view (skin and widget
// controllers), the menus, the skin catalogue and the changes of skin, the
// adding of tracks, the assist host and the Properties dialog.
//
// All members run on the user-interface thread. Times are milliseconds,
// positions pixels, the volume 0..100.
#include "decoder/Decoder.h"
#include "player/assisthost/AssistHostPlayer.h"
#include "player/desktop/DesktopInput.h"
#include "player/assisthost/ClsZelkoAssistHost.h"
#include "player/dialogs/PropsFollower.h"
#include "player/dialogs/PropsHost.h"
#include "player/playback/Transport.h"
#include "player/shell/ClsZelko.h"
#include "player/shell/PlayLoop.h"
#include "player/shell/PlayerMenus.h"
#include "player/shell/PlayerView.h"
#include "player/shell/SkinChanger.h"
#include "player/shell/TrackAdder.h"
#include "player/shell/UserDialogs.h"
#include "player/shell/ZelkoSettings.h"
#include "player/skin/SkinCatalogue.h"
#include "player/skin/SkinWindowListener.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace skin {
class SkinWindow;
}
namespace dialogs {
class frmZelkoProps;
}

class frmZelko : public QObject,
                 public skin::SkinWindowListener,
                 public assisthost::AssistHostPlayer,
                 public dialogs::PropsHost,
                 public shell::PlayerMenuCommands,
                 public shell::PlayLoopHost {
    Q_OBJECT
public:
    using UserDialogs = shell::UserDialogs;

    struct Options {
        // The program's arguments as one text (the switches "/develop", ...).
        std::string commandLine;
        // The program folder; empty means the running executable's folder.
        std::string programFolder;
        decoder::DecoderOptions decoder;
        // Replacements for the dialogs; unset members keep the defaults.
        shell::UserDialogs dialogs;
        // Seed of the shuffle generator; unset means the clock.
        std::optional<std::uint32_t> randomSeed;
        assisthost::ClsZelkoAssistHost::Options assist;
        // The settings the program has read already (Zelko.ini in the data
        // folder); unset means start-up reads them.
        std::optional<shell::ZelkoSettings> settings;
    };

    static constexpr const char* AppTitle = "Zelko Deck";
    // Source texts of the "frmZelko" context; the user sees them translated.
    static constexpr const char* SkinErrorText = QT_TRANSLATE_NOOP("frmZelko", "指定された[スキンファイル]が正しくありません。");
    static constexpr const char* MusicFolderTitle = QT_TRANSLATE_NOOP("frmZelko", "フォルダを選択して下さい。");

    explicit frmZelko(Options options);
    ~frmZelko() override;
    frmZelko(const frmZelko&) = delete;
    frmZelko& operator=(const frmZelko&) = delete;

    // Start-up, in the fixed order; the window is shown at its end. Returns
    // false when no skin at all could be applied: the window then closed
    // itself through the Exit command (settings and list were saved).
    bool Form_Load();
    // Shut-down, in the fixed order. Runs once; later calls do nothing.
    void Form_Unload();
    bool IsUnloaded() const { return m_unloaded; }
    // The desktop extensions (seek gestures and keys, remote control) see the
    // mouse, the wheel and the seek keys first; not owned, nullptr for none.
    void SetDesktopInput(desktop::DesktopInput* input) { m_desktop = input; }

    // --- The skin's buttons, the body and the play-list box ---
    void cButtonAction_PlayClick() override;
    void cButtonAction_PauseClick() override;
    void cButtonAction_StopClick() override;
    void cButtonAction_NTrackClick() override;
    void cButtonAction_PTrackClick() override;
    void cButtonAction_RepeatClick() override;
    void cButtonAction_ShuffleClick() override;
    void cButtonAction_VolumePlusClick();
    void cButtonAction_VolumeMinusClick();
    void cButtonAction_OpenClick();
    void cButtonAction_CloseClick();
    void cButtonAction_MinimizeClick();
    void cButtonAction_LyricsPullClick();
    void cButtonAction_PlayListPullClick();
    void cBodyAction_BodyRightClick();
    void cBodyAction_BodyMoveFinished();
    void cPlayListAction_ItemDblClick(std::int32_t trackPosition);
    void cPlayListAction_ItemRightClick();
    void cPlayListAction_ListDownClick();
    void cPlayListAction_ListUpClick();

    // --- Wheel, menus, keys and dropped files ---
    void vbWheelMinus();
    void vbWheelPlus();
    void mnuP1Play_Click() override;
    void mnuP1Pause_Click() override;
    void mnuP1Stop_Click() override;
    void mnuP1Prev_Click() override;
    void mnuP1Next_Click() override;
    void mnuP1DoubleSize_Click() override;
    void mnuP1Properties_Click() override;
    void mnuP1Version_Click() override;
    void mnuP1Exit_Click() override;
    void mnuP2ItemClear_Click() override;
    void mnuP3Folder_Click() override;
    void mnuP3File_Click() override;
    // A key release: virtual-key code and the shift bits (1 Shift, 2 Ctrl).
    void Form_KeyUp(std::int32_t keyCode, skin::KeyShift shift);
    // Dropped local files in drop order: one skin file changes the skin,
    // otherwise the MP3 files among them are added.
    void Form_OLEDragDrop(const std::vector<std::string>& paths);
    // Adds the files to the play list (see TrackAdder).
    void AddMp3Files(const std::vector<std::string>& paths) { m_tracks.Add(paths); }

    // --- The parts ---
    shell::ClsZelko& App() { return *m_app; }
    const shell::ClsZelko& App() const { return *m_app; }
    playback::Transport& Playback() { return m_transport; }
    const playback::Transport& Playback() const { return m_transport; }
    shell::PlayLoop& Loop() { return m_loop; }
    decoder::Decoder& Decoder() { return m_decoder; }
    skin::SkinWindow& Window() { return *m_window; }
    const skin::Skin& CurrentSkin() const { return m_view.CurrentSkin(); }
    assisthost::ClsZelkoAssistHost& AssistHost() { return *m_assistHost; }

    // --- SkinWindowListener ---
    void OnMouseDown(skin::MouseButton button, skin::KeyShift shift, std::int32_t x, std::int32_t y) override;
    void OnMouseUp(skin::MouseButton button, skin::KeyShift shift, std::int32_t x, std::int32_t y) override;
    void OnMouseMove(skin::MouseButtons buttons, skin::KeyShift shift, std::int32_t x, std::int32_t y) override;
    void OnDoubleClick(std::int32_t x, std::int32_t y) override;
    void OnKeyUp(std::int32_t keyCode, skin::KeyShift shift) override;
    void OnWheel(std::int32_t delta, skin::KeyShift shift, std::int32_t x, std::int32_t y) override;
    void OnFilesDropped(const std::vector<std::string>& paths) override;
    void OnPaintNeeded() override;
    bool OnCloseRequested() override;

    // --- AssistHostPlayer and PlayLoopHost ---
    bool IsMinimized() const override;
    bool IsNormalState() const override;
    void MinimizeWindow() override;
    void RestoreWindow() override;
    protocol::PlayStateRecord CurrentPlayState() const override;
    std::int32_t DecoderState() override;
    void ApplyVolumeFromAssist(std::int32_t volume) override;
    void SetAnalyzeProc(bool on) override;
    void ClearAnalyzer() override;
    bool LyricsBoxVisible() const override;
    void SendAnalyze(const protocol::AnalyzeRecord& record) override;
    void BeforeNextTrack() override;
    std::optional<std::int32_t> SeekBarDragPercent() const override;

    // --- dialogs::PropsHost ---
    bool Repeat() const override { return m_transport.bRepeat(); }
    bool Shuffle() const override { return m_transport.bShuffle(); }
    int Volume() const override { return m_transport.Volume(); }
    void ApplyRepeat(bool on) override;
    void ApplyShuffle(bool on) override;
    void ApplyVolume(int volume) override;
    void MoveMainWindow(dialogs::WindowEdge edge, int pixels) override;
    std::string ChooseFolder(QWidget* owner, const std::string& title) override;

signals:
    // The window has closed (shut-down done); the program may end.
    void Closed();

private:
    // How far the seek keys move the play position (milliseconds).
    static constexpr std::int32_t SeekStepMs = 5000;
    static constexpr std::int32_t LongSeekStepMs = 30000;

    void ApplyVolumeStep(bool plus);
    void SeekByKey(std::int32_t ms);
    void ShowPopup1(bool atWindowCorner);
    void ProcessPendingEvents();
    void ConnectControllers();

    Options m_options;
    std::unique_ptr<shell::ClsZelko> m_app;
    decoder::Decoder m_decoder;
    playback::Transport m_transport;
    std::unique_ptr<skin::SkinWindow> m_window;
    shell::PlayLoop m_loop;
    shell::PlayerView m_view;

    skin::SkinCatalogue m_catalogue;
    shell::SkinChanger m_skins;
    shell::TrackAdder m_tracks;
    std::unique_ptr<shell::PlayerMenus> m_menus;
    std::unique_ptr<assisthost::ClsZelkoAssistHost> m_assistHost;
    std::unique_ptr<dialogs::frmZelkoProps> m_props;
    std::optional<dialogs::PropsFollower> m_propsFollower;

    desktop::DesktopInput* m_desktop = nullptr;
    bool m_loaded = false;
    bool m_unloaded = false;
};
