#include "player/skin/SkinCatalogue.h"
#include "player/skin/SkinSwitcher.h"

#include "platform/DirectorySearch.h"
#include "player/skin/SkinText.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

#include <algorithm>
#include <filesystem>

namespace skin {

namespace {

// The last *.zks file of the folder in listing order ("" when none).
std::string LastSkinFile(const std::string& folder)
{
    const std::vector<platform::DirectoryEntry> files = platform::DirectorySearch::List(folder, "*.zks");
    return files.empty() ? std::string() : files.back().name;
}

// Pauses the play timer for the length of a menu's skin switch while a
// track has been started.
class TimerPause {
public:
    explicit TimerPause(SkinSwitchHost& host)
        : m_host(host)
        , m_paused(host.IsPlaying())
    {
        if (m_paused) m_host.PausePlayTimer();
    }
    ~TimerPause()
    {
        if (m_paused) m_host.ResumePlayTimer();
    }
    TimerPause(const TimerPause&) = delete;
    TimerPause& operator=(const TimerPause&) = delete;

private:
    SkinSwitchHost& m_host;
    bool m_paused;
};

} // namespace

QString SkinCatalogue::Translated(const char* source)
{
    return QCoreApplication::translate("SkinCatalogue", source);
}

void SkinCatalogue::Build(const std::string& appPath)
{
    m_skins.clear();
    const std::string skinsFolder = skintext::FolderWithSlash(appPath) + "Skins/";
    // Every entry, folder or not; hidden ones too, as the catalogue lists
    // whatever the Skins folder holds.
    const std::vector<platform::DirectoryEntry> entries = platform::DirectorySearch::List(
        skinsFolder, "*", platform::SearchScope::FilesAndFolders, platform::HiddenEntries::Include);
    int index = 0;
    for (const platform::DirectoryEntry& entry : entries) {
        const std::string& name = entry.name;
        ClsZelkoSkin skin;
        skin.MenuIndex = index++;
        skin.Caption = name;
        skin.SkinPath = skinsFolder + name + "/";
        skin.SkinFile = LastSkinFile(skin.SkinPath);
        m_skins.push_back(std::move(skin));
    }
}

void SkinCatalogue::BuildSkinMenu(QMenu& skinMenu)
{
    ClearSkinMenu();
    skinMenu.clear();
    m_menu = &skinMenu;
    if (m_skins.empty()) {
        // It selects nothing, so it never carries the check mark.
        QAction* none = skinMenu.addAction(Translated(NoSkinCaption));
        m_enumActions.emplace_back(none);
    }
    for (const ClsZelkoSkin& skin : m_skins) {
        QAction* item = skinMenu.addAction(QString::fromStdString(skin.Caption));
        item->setCheckable(true);
        item->setVisible(true);
        item->setEnabled(true);
        m_enumActions.emplace_back(item);
    }
    m_separator = skinMenu.addSeparator();
    m_other = skinMenu.addAction(Translated(OtherCaption));
}

void SkinCatalogue::ClearSkinMenu()
{
    if (m_menu) {
        if (m_other) m_menu->removeAction(m_other);
        if (m_separator) m_menu->removeAction(m_separator);
        for (auto it = m_enumActions.rbegin(); it != m_enumActions.rend(); ++it) {
            if (*it) m_menu->removeAction(*it);
        }
    }
    for (auto& action : m_enumActions)
        delete action.data();
    delete m_other.data();
    delete m_separator.data();
    m_enumActions.clear();
    m_menu = nullptr;
}

QAction* SkinCatalogue::EnumAction(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_enumActions.size()) return nullptr;
    return m_enumActions[static_cast<std::size_t>(index)].data();
}

std::optional<int> SkinCatalogue::ActionIndex(const QAction* action) const
{
    if (!action || m_skins.empty()) return std::nullopt;
    for (std::size_t i = 0; i < m_enumActions.size(); ++i) {
        if (m_enumActions[i].data() == action) return static_cast<int>(i);
    }
    return std::nullopt;
}

void SkinCatalogue::MarkSelectedSkin(const std::string& skinPath)
{
    const std::string current = skintext::Lower(skintext::FolderWithSlash(skinPath));
    for (ClsZelkoSkin& skin : m_skins) {
        skin.Selected = !skinPath.empty() && skintext::Lower(skin.SkinPath) == current;
        if (QAction* item = EnumAction(skin.MenuIndex)) item->setChecked(skin.Selected);
    }
}

bool SkinCatalogue::Switch(SkinSwitchHost& host, const std::string& path, const std::string& file)
{
    if (!SkinSwitcher::SwitchTo(host, path, file)) return false;
    MarkSelectedSkin(path);
    return true;
}

void SkinCatalogue::mnuP1SEnum_Click(int index, SkinSwitchHost& host)
{
    TimerPause pause(host);
    // The menu has already ticked the chosen item: whatever happens below,
    // the ticks end up following the skin in force.
    struct Remark {
        SkinCatalogue& catalogue;
        SkinSwitchHost& host;
        ~Remark() { catalogue.MarkSelectedSkin(host.SkinPath()); }
    } remark{*this, host};
    if (index < 0 || static_cast<std::size_t>(index) >= m_skins.size()) return;
    const ClsZelkoSkin& entry = m_skins[static_cast<std::size_t>(index)];
    if (entry.SkinPath.empty() || entry.SkinFile.empty()) return;
    Switch(host, entry.SkinPath, entry.SkinFile);
}

void SkinCatalogue::mnuP1SOther_Click(SkinSwitchHost& host)
{
    TimerPause pause(host);
    const std::string folder = host.ChooseSkinFolder(Translated(FolderDialogTitle).toStdString());
    if (folder.empty()) return;
    const std::string path = skintext::FolderWithSlash(folder);
    const std::string file = LastSkinFile(path);
    if (file.empty()) return;
    if (Switch(host, path, file)) return;
    MarkSelectedSkin(host.SkinPath());
}

void SkinCatalogue::mnuP1SkinChgMusic_Click(QAction& item, SkinSwitchHost& host)
{
    item.setCheckable(true);
    item.setChecked(!item.isChecked());
    host.SetSkinWithMusic(item.isChecked());
}

bool SkinCatalogue::NextSkin(SkinSwitchHost& host)
{
    if (m_skins.empty()) return false;
    const std::size_t count = m_skins.size();
    // Start after the selected entry; with none selected (a skin from
    // another folder) start at the first.
    std::size_t next = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (m_skins[i].Selected) {
            next = (i + 1) % count;
            break;
        }
    }
    // One full round at most: entries that cannot be applied are skipped.
    for (std::size_t tried = 0; tried < count; ++tried) {
        const ClsZelkoSkin& entry = m_skins[(next + tried) % count];
        if (entry.SkinFile.empty()) continue;
        if (Switch(host, entry.SkinPath, entry.SkinFile)) return true;
    }
    return false;
}

} // namespace skin
