#pragma once
// The player's three pop-up menus: mnuPopup1 (skins, assists, skin change
// with the music, double size, transport, Properties, version, exit), mnuPopup2 (the play
// list's "clear all") and mnuPopup3 (open a folder or files). PlayerMenus
// builds them with their captions, keeps the check marks and enabled states
// and routes each item to a command. The skin sub-menu's items are filled by
// the skin catalogue, the assist sub-menu's by the assist host; the skin
// items are routed here to the catalogue. All on the user-interface thread.
#include <QMenu>
#include <QtGlobal>
#include <QPoint>

#include <memory>
#include <vector>

namespace assisthost {
class ClsZelkoAssist;
}
namespace skin {
class SkinCatalogue;
class SkinSwitchHost;
} // namespace skin

namespace shell {

// The commands behind the menu items (the main window's handlers).
class PlayerMenuCommands {
public:
    virtual ~PlayerMenuCommands() = default;
    virtual void mnuP1Play_Click() = 0;
    virtual void mnuP1Pause_Click() = 0;
    virtual void mnuP1Stop_Click() = 0;
    virtual void mnuP1Prev_Click() = 0;
    virtual void mnuP1Next_Click() = 0;
    // The double-size item: the window's scale between 1 and 2.
    virtual void mnuP1DoubleSize_Click() = 0;
    virtual void mnuP1Properties_Click() = 0;
    virtual void mnuP1Version_Click() = 0;
    virtual void mnuP1Exit_Click() = 0;
    virtual void mnuP2ItemClear_Click() = 0;
    virtual void mnuP3Folder_Click() = 0;
    virtual void mnuP3File_Click() = 0;
};

class PlayerMenus {
public:
    // A source text of the "PlayerMenus" context, shown translated.
    static constexpr const char* AssistMenuCaption = QT_TRANSLATE_NOOP("PlayerMenus", "アシスタント(&A)");

    // The commands, the catalogue and the skin host must outlive the menus.
    PlayerMenus(PlayerMenuCommands& commands, skin::SkinCatalogue& catalogue, skin::SkinSwitchHost& skinHost);
    PlayerMenus(const PlayerMenus&) = delete;
    PlayerMenus& operator=(const PlayerMenus&) = delete;

    QMenu& mnuPopup1() { return *m_popup1; }
    QMenu& mnuPopup2() { return *m_popup2; }
    QMenu& mnuPopup3() { return *m_popup3; }
    QMenu& SkinMenu() { return *m_skinMenu; }
    QMenu& AssistMenu() { return *m_assistMenu; }

    // The check mark of "change the skin with each track".
    void SetSkinWithMusicChecked(bool on);
    // The check mark of the double-size item (the window's scale is above 1).
    void SetDoubleSizeChecked(bool on);
    QAction& DoubleSizeItem() { return *m_mnuP1DoubleSize; }
    // Shows mnuPopup1 at a screen point; each assist's item is enabled only
    // while a track has been started.
    void ShowPopup1(QPoint at, const std::vector<assisthost::ClsZelkoAssist>& assists, bool playing);

private:
    std::unique_ptr<QMenu> m_popup1;
    std::unique_ptr<QMenu> m_popup2;
    std::unique_ptr<QMenu> m_popup3;
    QMenu* m_skinMenu = nullptr;
    QMenu* m_assistMenu = nullptr;
    QAction* m_mnuP1SkinChgMusic = nullptr;
    QAction* m_mnuP1DoubleSize = nullptr;
};

} // namespace shell
