#pragma once
// The About dialog: the program's version, the list of keyboard shortcuts and
// a link to the user guide installed with the program (UserGuide), on two
// pages shown as tabs.
//
// The main window opens it from its version menu item with ShowModal, which
// creates the dialog, centres it on the screen, runs it modally and destroys
// it when it is closed; every opening therefore starts on the version page.
// The play timer and other timers keep running while it is open.
#include "player/dialogs/ProgramVersion.h"

#include <QDialog>
#include <QUrl>

#include <filesystem>

class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace dialogs {

class ShortcutLineDelegate;

class frmZelkoAbout : public QDialog {
    Q_OBJECT
public:
    enum class Page { Version = 0,
                      Shortcuts = 1 };

    // programFolder: the folder of the program, where the user guide is
    // looked for; empty means the running executable's folder.
    explicit frmZelkoAbout(const ProgramVersion& version, QWidget* parent = nullptr,
                           const std::filesystem::path& programFolder = {});

    // Creates the dialog, centres it on the screen, shows it modally and
    // returns once it has been closed.
    static void ShowModal(const ProgramVersion& version, QWidget* parent);

    // The page in front.
    Page FrontPage() const { return m_front; }

    // The tab captions' handlers: bring their page to the front; the
    // shortcut list is enabled only while its page is in front.
    void lblTitle0_Click();
    void lblTitle1_Click();
    // Opens the address shown in the link (the user guide) with the
    // desktop's browser.
    void lblUrl_Click();
    // The address the link opens; empty when no user guide was found.
    const QUrl& GuideUrl() const { return m_guideUrl; }
    void cmdOK_Click();

protected:
    // The right arrow on the version page and the left arrow on the shortcut
    // page switch pages, whichever control has the focus.
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void Form_Load(const ProgramVersion& version, const std::filesystem::path& programFolder);
    void BringToFront(Page page);

    Page m_front = Page::Version;
    QUrl m_guideUrl;
    QTabWidget* m_pages = nullptr;
    QLabel* m_lblAppVersion = nullptr;
    QLabel* m_lblUrl = nullptr;
    QLabel* m_imgJpeg = nullptr;
    QLabel* m_pIcon = nullptr;
    QListWidget* m_lstShortcut = nullptr;
    ShortcutLineDelegate* m_shortcutDelegate = nullptr;
    QPushButton* m_cmdOK = nullptr;
};

} // namespace dialogs
