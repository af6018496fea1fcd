#pragma once
// The player's main window: start-up and shut-down, the play loop, the
// transport commands and volume, the track list commands, the pop-up menus,
// the shortcut keys, the wheel and dropped files.
//
// frmZelko owns everything that lives as long as the program: the application
// state, the decoder, the current skin and the window that shows it, the four
// widget controllers, the play list and its play order, the play-state record,
// the skin catalogue, the assist host and the two dialogs. It receives the
// window's input as a SkinWindowListener, the controllers' events as Qt
// signals and the assists' commands through the assist host.
//
// All members run on the user-interface thread. Times are milliseconds,
// positions pixels, the volume 0..100.
#include "decoder/Decoder.h"
#include "decoder/DecoderRecords.h"
#include "player/desktop/DesktopInput.h"
#include "player/dialogs/PropsHost.h"
#include "player/assisthost/AssistHostPlayer.h"
#include "player/assisthost/ClsZelkoAssistHost.h"
#include "player/playback/Mp3FileList.h"
#include "player/playback/PlayState.h"
#include "player/playback/ShuffleOrder.h"
#include "player/shell/ClsZelko.h"
#include <QAction>  // SkinCatalogue.h needs the complete type

#include "player/skin/Skin.h"
#include "player/skin/SkinCatalogue.h"
#include "player/skin/SkinSwitchHost.h"
#include "player/skin/SkinWindowBuilder.h"
#include "player/skin/SkinWindowListener.h"
#include "protocol/PlayStateRecord.h"

#include <QObject>
#include <QTimer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

class QMenu;
class QAction;
class SkinWindow;
class ClsZelkoBodyAction;
class ClsZelkoButtonAction;
class ClsZelkoPlayListAction;
class ClsZelkoLyricsAction;
namespace dialogs {
class frmZelkoProps;
}

class frmZelko : public QObject,
                 public SkinWindowListener,
                 public AssistHostPlayer,
                 public SkinSwitchHost,
                 public dialogs::PropsHost {
    Q_OBJECT
public:
    // What would otherwise wait for the user. The defaults show Qt's dialogs
    // and message box; tests give answers instead.
    struct UserDialogs {
        // The open-file dialog: the chosen files in the order returned, or none.
        std::function<std::vector<std::string>()> chooseMp3Files;
        // A folder dialog with this title: the folder, or "" when cancelled.
        std::function<std::string(const std::string& title)> chooseFolder;
        // The message box for a configured skin that cannot be read.
        std::function<void(const std::string& text)> showSkinError;
    };

    struct Options {
        // The program's arguments as one text (the switches "/develop", ...).
        std::string commandLine;
        // The program folder; empty means the running executable's folder.
        std::string programFolder;
        decoder::DecoderOptions decoder;
        // Replacements for the dialogs; unset members keep the defaults.
        UserDialogs dialogs;
        // Seed of the shuffle generator; unset means the clock.
        std::optional<std::uint32_t> randomSeed;
        ClsZelkoAssistHost::Options assist;
    };

    static constexpr const char* AppTitle = "Zelko Deck";
    static constexpr const char* SkinErrorText = "指定された[スキンファイル]が正しくありません。";
    static constexpr const char* MusicFolderTitle = "フォルダを選択して下さい。";

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
    // The desktop extensions (seek gestures and keys, remote control); not owned, nullptr for none.
    void SetDesktopInput(desktop::DesktopInput* input) { m_desktop = input; }

    // --- Transport (the skin's buttons, the menus, keys and assists) ---
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
    // A volume an assist asks for, clamped to 0..100.
    void SetVolumeFromAssist(std::int32_t volume);

    // --- Wheel, menus and keys ---
    void vbWheelMinus() override;
    void vbWheelPlus() override;
    void mnuP1Play_Click();
    void mnuP1Pause_Click();
    void mnuP1Stop_Click();
    void mnuP1Prev_Click();
    void mnuP1Next_Click();
    void mnuP1Properties_Click();
    void mnuP1Version_Click();
    void mnuP1Exit_Click();
    // A key release: virtual-key code and the shift bits (1 Shift, 2 Ctrl).
    void Form_KeyUp(std::int32_t keyCode, KeyShift shift);

    // --- Track list ---
    void mnuP3File_Click();
    void mnuP3Folder_Click();
    void mnuP2ItemClear_Click();
    // Dropped local files in drop order: one skin file changes the skin,
    // otherwise the MP3 files among them are added.
    void Form_OLEDragDrop(const std::vector<std::string>& paths);
    // Adds the files (each read once for its names and length) and finishes
    // the addition (current track, play-list redraw, play order).
    void AddMp3Files(const std::vector<std::string>& paths);
    void ShuffleMp3Files();
    std::int32_t GetNextPlayPosition() const;
    std::int32_t GetPrevPlayPosition() const;

    // --- The play loop: one tick ---
    void PlayTimer_Timer();
    // The painter of one position of the shown time MM:SS: 0 tens of minutes,
    // 1 minutes, 2 colon, 3 tens of seconds, 4 seconds.
    void RedrawTimeDigit(int position);

    // --- State, for the dialogs, the assist host and tests ---
    ClsZelko& App() { return *m_app; }
    const ClsZelko& App() const { return *m_app; }
    const Mp3FileList& coMp3Files() const { return m_mp3Files; }
    const ShuffleOrder& PlayOrder() const { return m_shuffleOrder; }
    const protocol::PlayStateRecord& PlayStateRecord() const { return m_playState; }
    bool bPlay() const { return protocol::FromVbBool(m_playState.bPlay); }
    bool bPause() const { return protocol::FromVbBool(m_playState.bPause); }
    bool bStop() const { return protocol::FromVbBool(m_playState.bStop); }
    bool bRepeat() const { return protocol::FromVbBool(m_playState.bRepeat); }
    bool bShuffle() const { return protocol::FromVbBool(m_playState.bShuffle); }
    std::int32_t VolumeValue() const { return m_playState.Volume; }
    bool PlayTimerActive() const { return m_playTimer.isActive(); }
    std::int32_t TotalMs() const;
    decoder::Decoder& Decoder() { return m_decoder; }
    SkinWindow& Window() { return *m_window; }
    const Skin& CurrentSkin() const { return m_skin; }
    SkinCatalogue& Catalogue() { return m_catalogue; }
    ClsZelkoAssistHost& AssistHost() { return *m_assistHost; }
    // The Properties dialog (nullptr before start-up and after shut-down).
    dialogs::frmZelkoProps* PropertiesDialog() { return m_props.get(); }
    QMenu& mnuPopup1() { return *m_popup1; }
    QMenu& mnuPopup2() { return *m_popup2; }
    QMenu& mnuPopup3() { return *m_popup3; }
    // The play-list box's first shown track.
    std::int32_t ListTop() const;
    // The number of redraws of each kind since start-up, for tests of the
    // play loop's conditional drawing.
    struct RedrawCounts {
        std::array<int, 5> timeDigits{};  // MM, M, colon, SS, S
        int seekBar = 0;
        int spectrum = 0;
        int lyrics = 0;
    };
    const RedrawCounts& Redraws() const { return m_redraws; }

    // --- SkinWindowListener ---
    void OnMouseDown(MouseButton button, KeyShift shift, std::int32_t x, std::int32_t y) override;
    void OnMouseUp(MouseButton button, KeyShift shift, std::int32_t x, std::int32_t y) override;
    void OnMouseMove(MouseButtons buttons, KeyShift shift, std::int32_t x, std::int32_t y) override;
    void OnDoubleClick(std::int32_t x, std::int32_t y) override;
    void OnKeyUp(std::int32_t keyCode, KeyShift shift) override;
    void OnWheel(std::int32_t delta, KeyShift shift, std::int32_t x, std::int32_t y) override;
    void OnFilesDropped(const std::vector<std::string>& paths) override;
    void OnPaintNeeded() override;
    bool OnCloseRequested() override;

    // --- AssistHostPlayer ---
    bool IsMinimized() const override;
    bool IsNormalState() const override;
    void MinimizeWindow() override;
    void RestoreWindow() override;
    protocol::PlayStateRecord& PlayState() override { return m_playState; }
    std::int32_t DecoderState() override;
    void ApplyVolumeFromAssist(std::int32_t volume) override;
    void SetAnalyzeProc(bool on) override;
    void ClearAnalyzer() override;

    // --- SkinSwitchHost ---
    std::string SkinPath() const override;
    std::string SkinFile() const override;
    void SetSkinPath(const std::string& path) override;
    void SetSkinFile(const std::string& file) override;
    bool ApplyCurrentSkin() override;
    bool IsPlaying() const override { return bPlay(); }
    void PausePlayTimer() override;
    void ResumePlayTimer() override;
    std::string ChooseSkinFolder(const std::string& title) override;
    void SetSkinWithMusic(bool on) override;

    // --- dialogs::PropsHost ---
    bool Repeat() const override { return bRepeat(); }
    bool Shuffle() const override { return bShuffle(); }
    int Volume() const override { return m_playState.Volume; }
    void ApplyRepeat(bool on) override;
    void ApplyShuffle(bool on) override;
    void ApplyVolume(int volume) override;
    void MoveMainWindow(dialogs::WindowEdge edge, int pixels) override;
    std::string ChooseFolder(QWidget* owner, const std::string& title) override;

signals:
    // The window has closed (shut-down done); the program may end.
    void Closed();

private:
    // Start-up pieces.
    void BuildMenus();
    void ReadSettings();
    void ReadPlayList();
    bool ApplyStartSkin();
    // Shut-down pieces.
    void WritePlayList();
    void WriteSettings();

    // The play loop's steps, in tick order.
    void ReadPlayPosition();
    void SendAnalyzeToAssists();
    void RefreshAnalyser();
    void RefreshChangedTimeDigits(const std::string& timeText);
    void RefreshChangedSeekBar();
    void RememberShownTime(const std::string& timeText);
    void PollLyrics();
    void PollEndOfTrack();
    void EndOfTrack();

    // Transport helpers.
    void SetStoppedSituation();
    void StartPlayTimer();
    void StopPlayTimer();
    void ApplyVolumeStep(bool plus);
    void ShowCannotPlay(const ClsZelkoMp3File& track);

    // Track list helpers.
    void AddMp3File(const std::string& path);
    void FinishAddition();
    void ApplyDroppedSkin(const std::string& path);
    void ShowPopup1(bool atWindowCorner);
    void UpdateAssistMenuItems();
    void ProcessPendingEvents();

    // The play state: the flags the widget controllers read and the record the
    // assists receive change together.
    enum class Flag { Play, Pause, Stop, Repeat, Shuffle };
    void SetFlags(Flag flag, bool value);
    void SetVolumeState(std::int32_t volume);

    // Painting.
    void ConnectControllers();
    void PaintWidgets();
    void CopySkinStateToApp();
    void RefreshListBox();
    bool LyricsBoxVisible() const;
    bool PlayListBoxVisible() const;

    Options m_options;
    std::unique_ptr<ClsZelko> m_app;
    decoder::Decoder m_decoder;
    Skin m_skin;
    std::unique_ptr<SkinWindow> m_window;
    DrawerStates m_drawers;

    std::unique_ptr<ClsZelkoBodyAction> m_body;
    std::unique_ptr<ClsZelkoButtonAction> m_buttons;
    std::unique_ptr<ClsZelkoLyricsAction> m_lyrics;
    std::unique_ptr<ClsZelkoPlayListAction> m_playList;

    Mp3FileList m_mp3Files;
    ShuffleOrder m_shuffleOrder;
    std::mt19937 m_random;
    protocol::PlayStateRecord m_playState{};
    ::PlayState m_state;
    decoder::LyricsRecord m_lyricsRecord{};

    SkinCatalogue m_catalogue;
    std::unique_ptr<QMenu> m_popup1;
    std::unique_ptr<QMenu> m_popup2;
    std::unique_ptr<QMenu> m_popup3;
    QMenu* m_skinMenu = nullptr;
    QMenu* m_assistMenu = nullptr;
    QAction* m_mnuP1SkinChgMusic = nullptr;
    std::unique_ptr<ClsZelkoAssistHost> m_assistHost;
    std::unique_ptr<dialogs::frmZelkoProps> m_props;

    QTimer m_playTimer;
    std::int32_t m_playMs = 0;
    std::array<std::int32_t, 256> m_spectrum1{};
    std::array<std::int32_t, 256> m_spectrum2{};
    std::string m_lastTimeText = "\x01\x01\x01\x01\x01";
    std::string m_timeText;             // "MM:SS" of m_timeTextSecond
    std::int32_t m_timeTextSecond = -1; // whole second formatted last, -1 before the first tick
    std::int32_t m_lastLyricsLine = -1;
    RedrawCounts m_redraws;

    bool m_loaded = false;
    bool m_unloaded = false;
    bool m_hookInstalled = false;
    desktop::DesktopInput* m_desktop = nullptr;
};
