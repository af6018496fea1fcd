#pragma once
// The assists the player knows: the executables found in Assist/ (sorted by
// name, one per name ignoring letter case), their entries in the assist
// menu mnuP1AEnum (item 0 "<なし>" while none is found), which of them the
// user wants running (the settings' [Assist] lines), and which are linked
// (announced a window). It sends nothing and starts nothing; the assist host
// does. All on the user-interface thread.
#include "player/assisthost/ClsZelkoAssist.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <QtGlobal>

class QAction;
class QMenu;

namespace assisthost {

class AssistCatalogue {
public:
    // A source text of the "AssistCatalogue" context, shown translated.
    static constexpr const char* NoAssistCaption = QT_TRANSLATE_NOOP("AssistCatalogue", "<なし>");

    // assistMenu: the menu the catalogue fills. onChosen(k) runs when item k
    // is chosen, with its check mark as it was before the choice.
    AssistCatalogue(QMenu& assistMenu, std::function<void(int)> onChosen);

    // Lists the executables of folder (the program folder's Assist/).
    void EnumAssists(const std::filesystem::path& folder);
    // Selects the entry named by element 1 of an [Assist] line split at "=".
    void SelectAssistFromIni(std::string_view line);
    std::vector<std::string> AssistNames() const;        // NAME per selected entry
    std::vector<std::string> AssistSectionLines() const; // "ExecuteFile=NAME" per selected entry
    std::string AssistSectionData() const;               // the same, each ended by NUL, plus one NUL

    const std::vector<ClsZelkoAssist>& Assists() const { return m_assists; }
    std::vector<ClsZelkoAssist>& Assists() { return m_assists; }
    QAction* MenuItem(std::int32_t menuIndex) const;
    void SetItemChecked(std::int32_t menuIndex, bool checked);
    // The entry whose menu caption is key or the item's caption (ignoring case).
    ClsZelkoAssist* FindByKey(std::string_view key);
    ClsZelkoAssist* FindByCaption(const QAction& item);

    // An assist at position (1-based) announced its window; false when no
    // entry has that position.
    bool Link(std::uint32_t position, platform::WindowHandle hwnd, bool namesWindow);
    // The assist of window hwnd closed: unlinked, unselected, unchecked.
    void MarkClosed(platform::WindowHandle hwnd);
    // A hung assist counts as closed but stays selected.
    void MarkHung(platform::WindowHandle hwnd);
    // Empties the list, last entry first; closeWindow runs for each linked
    // entry first. The menu keeps only "<なし>".
    void Clear(const std::function<void(ClsZelkoAssist&)>& closeWindow);

private:
    QMenu& m_menu;
    std::function<void(int)> m_onChosen;
    std::vector<ClsZelkoAssist> m_assists;
    std::vector<QAction*> m_items; // mnuP1AEnum; item 0 always exists
};

} // namespace assisthost
