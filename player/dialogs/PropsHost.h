#pragma once
// What the Properties dialog needs from the main window, beyond the settings
// it reads and writes directly on the application state (ClsZelko).
//
// The main window implements this interface. The dialog calls it only on the
// user-interface thread, from its own handlers. None of these calls announces
// anything to the assists: changes made in the Properties dialog are not sent
// to them, unlike the same changes made with the skin's buttons.
#include <string>

class QWidget;

namespace dialogs {

// The main window's edge that a position box moves.
enum class WindowEdge { Left,
                        Top };

class PropsHost {
public:
    virtual ~PropsHost() = default;

    // The play state as it is now (bRepeat, bShuffle, Volume 0..100).
    virtual bool Repeat() const = 0;
    virtual bool Shuffle() const = 0;
    virtual int Volume() const = 0;

    // bRepeat = on, then redraw the skin's Repeat button.
    virtual void ApplyRepeat(bool on) = 0;
    // bShuffle = on, then rebuild the play order (ShuffleMp3Files) and redraw
    // the skin's Shuffle button.
    virtual void ApplyShuffle(bool on) = 0;
    // Volume = volume (already within 0..100), set the decoder's volume of both
    // channels to it and redraw the skin's volume gauge (RefreshVolumeValue).
    virtual void ApplyVolume(int volume) = 0;

    // Moves the main window's left or top edge to this many pixels from the
    // left or top of the screen; the other coordinate stays. The dialog has
    // already stored the value in WindowLeft or WindowTop.
    virtual void MoveMainWindow(WindowEdge edge, int pixels) = 0;

    // Asks the user for a folder with the shell's folder dialog
    // (ClsKtShell::FolderDialog: owner, title, root 0, empty start path,
    // flags 1) and returns its path, or the empty string when cancelled.
    virtual std::string ChooseFolder(QWidget* owner, const std::string& title) = 0;
};

} // namespace dialogs
