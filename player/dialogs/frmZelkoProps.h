#pragma once
// The Properties dialog: volume, repeat and shuffle, the main window's
// position, whether the play-list and lyrics panels open when the skin
// changes, whether opening a folder searches its sub-folders, and where
// lyrics files are looked for.
//
// Life cycle. The main window creates it once at start-up (the constructor
// lays it out and centres it on the screen, hidden) and keeps it until
// shut-down. Open() fills every field from the application state and the
// play state and shows it without making it modal. Its Close button applies
// the volume, the lyrics extensions and the lyrics folder, then hides it; the
// window's close button and Escape hide it without applying anything. It is
// never destroyed by closing.
//
// Settings that take effect at once: the check boxes when clicked, the two
// position boxes as each digit is typed (the main window follows).
//
// While it is visible the main window keeps it up to date through ShowRepeat,
// ShowShuffle, ShowVolume and ShowWindowPosition; these do nothing while it is
// hidden, since Open() fills the fields afresh anyway.
//
// The application state and the host must outlive the dialog. All calls on
// the user-interface thread.
#include "player/dialogs/PropsHost.h"

#include <QDialog>

#include <array>

namespace shell {
class ClsZelko;
}
class QCheckBox;
class QLabel;
class QPushButton;

namespace dialogs {

class SelectAllLineEdit;

class frmZelkoProps : public QDialog {
    Q_OBJECT
public:
    frmZelkoProps(shell::ClsZelko& app, PropsHost& host, QWidget* parent = nullptr);

    // Fills the fields, then shows the dialog (modeless) and brings it to the front.
    void Open();

    // The main window's changes, shown while the dialog is visible.
    void ShowRepeat(bool on);
    void ShowShuffle(bool on);
    void ShowVolume(int volume);
    void ShowWindowPosition(int left, int top);

    // The handlers of the controls, named after them. The check boxes and
    // text boxes run them on every change of their value, whether the user
    // or the program made it; they are public so that the main window's
    // tests can drive the dialog as a user would.
    void chkItem0_Click(int index);
    void chkItem1_Click(int index);
    void chkItem2_Click(int index);
    void txtItem0_Change(int index);
    void txtItem1_Change(int index);
    void cmdSearch_Click();
    void cmdClose_Click();

private:
    void BuildControls();
    void FillFields();

    shell::ClsZelko& m_app;
    PropsHost& m_host;

    std::array<QCheckBox*, 2> m_chkItem0{};         // 0 repeat, 1 shuffle
    std::array<QCheckBox*, 2> m_chkItem1{};         // 0 play list shown after a skin change, 1 lyrics likewise
    std::array<QCheckBox*, 1> m_chkItem2{};         // 0 search sub-folders
    SelectAllLineEdit* m_txtVolume = nullptr;       // txtItem0(2)
    SelectAllLineEdit* m_txtWindowLeft = nullptr;   // txtItem1(2)
    SelectAllLineEdit* m_txtWindowTop = nullptr;    // txtItem1(3)
    SelectAllLineEdit* m_txtLyricsExt = nullptr;    // txtItem3(0)
    SelectAllLineEdit* m_txtLyricsFolder = nullptr; // txtItem3(1)
    QPushButton* m_cmdSearch = nullptr;
    QPushButton* m_cmdClose = nullptr;
};

} // namespace dialogs
