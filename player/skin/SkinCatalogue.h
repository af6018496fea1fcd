#pragma once
// The catalogue of installed skins (coSkins: every entry of AppPath/Skins,
// sorted by name) and the skin sub-menu built from it. The menu functions
// work on a QMenu the player gives them: the catalogue fills it with the
// entry items (item 0 "<なし>" when there are none), a separator and
// "その他(&O)...", and connects nothing itself; the player routes the
// actions' triggers to the handlers below (ActionIndex tells which entry).
#include "player/skin/ClsZelkoSkin.h"
#include "player/skin/SkinSwitchHost.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <string>
#include <vector>

namespace skin {

class SkinCatalogue {
public:
    // Source texts of the "SkinCatalogue" context; Translated gives what the user sees.
    static constexpr const char* MenuCaption = QT_TRANSLATE_NOOP("SkinCatalogue", "スキン(&S)");
    static constexpr const char* NoSkinCaption = QT_TRANSLATE_NOOP("SkinCatalogue", "<なし>");
    static constexpr const char* OtherCaption = QT_TRANSLATE_NOOP("SkinCatalogue", "その他(&O)...");
    static constexpr const char* ChangeWithMusicCaption = QT_TRANSLATE_NOOP("SkinCatalogue", "曲ごとにスキンを替える(&K)");
    static constexpr const char* FolderDialogTitle = QT_TRANSLATE_NOOP("SkinCatalogue", "スキンフォルダを選択して下さい。");

    // One of the texts above in the language of the user interface.
    static QString Translated(const char* source);

    // Reads AppPath/Skins (appPath ends in "/"): each entry but "." and ".."
    // becomes a catalogue entry in name order; folders get the last *.zks
    // file by name as SkinFile.
    void Build(const std::string& appPath);
    const std::vector<ClsZelkoSkin>& coSkins() const { return m_skins; }

    // Fills skinMenu (emptied first) with the entry items, a separator and
    // the other-folder item. The menu must outlive the catalogue's use of it
    // or be cleared with ClearSkinMenu.
    void BuildSkinMenu(QMenu& skinMenu);
    // Removes the items BuildSkinMenu added, last first.
    void ClearSkinMenu();
    // The menu item of entry n (mnuP1SEnum(n)); nullptr when there is none.
    QAction* EnumAction(int index) const;
    QAction* OtherAction() const { return m_other; }
    // The entry index an action stands for; nothing for other actions.
    std::optional<int> ActionIndex(const QAction* action) const;

    // Checks the entry whose SkinPath equals skinPath (ignoring case) and
    // unchecks the others.
    void MarkSelectedSkin(const std::string& skinPath);

    // Switches to catalogue entry index. Entries without a skin file do
    // nothing. If the skin cannot be applied the previous one stays. In every
    // case the check marks follow the current SkinPath afterwards (the menu
    // ticks a checkable item before this runs).
    void mnuP1SEnum_Click(int index, SkinSwitchHost& host);
    // Lets the user choose a folder; the last *.zks in it is applied.
    void mnuP1SOther_Click(SkinSwitchHost& host);
    // Toggles the check mark of the change-with-music item and stores it.
    static void mnuP1SkinChgMusic_Click(QAction& item, SkinSwitchHost& host);
    // Applies the catalogue entry after the selected one (wrapping; the first
    // entry when none is selected). Entries that cannot be applied are
    // skipped; after one full round without success the current skin stays.
    // Returns whether a skin was applied.
    bool NextSkin(SkinSwitchHost& host);

private:
    bool Switch(SkinSwitchHost& host, const std::string& path, const std::string& file);

    std::vector<ClsZelkoSkin> m_skins;
    QPointer<QMenu> m_menu;
    std::vector<QPointer<QAction>> m_enumActions;
    QPointer<QAction> m_separator;
    QPointer<QAction> m_other;
};

} // namespace skin
