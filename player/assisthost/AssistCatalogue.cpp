#include "player/assisthost/AssistCatalogue.h"

#include "common/AsciiText.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QString>

#include <algorithm>
#include <unistd.h>

namespace assisthost {

namespace {

// The caption of an assist: its file name without an ".exe" ending.
std::string CaptionOf(const std::string& fileName)
{
    if (fileName.size() > 4 && common::ascii::EndsWithIgnoringCase(fileName, ".exe"))
        return fileName.substr(0, fileName.size() - 4);
    return fileName;
}

bool IsExecutableFile(const std::filesystem::path& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

} // namespace

AssistCatalogue::AssistCatalogue(QMenu& assistMenu, std::function<void(int)> onChosen)
    : m_menu(assistMenu)
    , m_onChosen(std::move(onChosen))
{
    // Item 0 of mnuP1AEnum: "<なし>", which cannot be chosen until an assist
    // takes its place.
    QAction* first = m_menu.addAction(QCoreApplication::translate("AssistCatalogue", NoAssistCaption));
    first->setCheckable(true);
    first->setEnabled(false);
    QObject::connect(first, &QAction::triggered, first, [this, first] {
        first->setChecked(!first->isChecked()); // the handler decides the check mark
        m_onChosen(0);
    });
    m_items.push_back(first);
}

void AssistCatalogue::EnumAssists(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (IsExecutableFile(it->path()))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());

    for (const std::string& name : names) {
        const std::string caption = CaptionOf(name);
        if (FindByKey(caption) != nullptr)
            continue; // keys ignore case; a second file of the same name is not listed
        const auto k = static_cast<std::int32_t>(m_assists.size());
        if (k > 0) {
            QAction* item = m_menu.addAction(QString());
            item->setCheckable(true);
            QObject::connect(item, &QAction::triggered, item, [this, item, k] {
                item->setChecked(!item->isChecked());
                m_onChosen(k);
            });
            m_items.push_back(item);
        }
        ClsZelkoAssist entry;
        entry.SetMenuIndex(k);
        entry.SetExeName((folder / name).string());
        QAction* item = m_items[static_cast<std::size_t>(k)];
        item->setText(QString::fromStdString(caption));
        item->setVisible(true);
        item->setEnabled(true);
        m_assists.push_back(std::move(entry));
    }
}

QAction* AssistCatalogue::MenuItem(std::int32_t menuIndex) const
{
    if (menuIndex < 0 || static_cast<std::size_t>(menuIndex) >= m_items.size())
        return nullptr;
    return m_items[static_cast<std::size_t>(menuIndex)];
}

void AssistCatalogue::SetItemChecked(std::int32_t menuIndex, bool checked)
{
    if (QAction* item = MenuItem(menuIndex))
        item->setChecked(checked);
}

ClsZelkoAssist* AssistCatalogue::FindByKey(std::string_view key)
{
    for (ClsZelkoAssist& entry : m_assists) {
        if (QAction* item = MenuItem(entry.MenuIndex());
            item && common::ascii::EqualIgnoringCase(item->text().toStdString(), key))
            return &entry;
    }
    return nullptr;
}

ClsZelkoAssist* AssistCatalogue::FindByCaption(const QAction& item)
{
    return FindByKey(item.text().toStdString());
}

void AssistCatalogue::SelectAssistFromIni(std::string_view line)
{
    // Element 1 of the line split at "=" (the text after the first "=", up
    // to a second one); a line without "=" names nothing.
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return;
    std::string_view value = line.substr(eq + 1);
    value = value.substr(0, value.find('='));
    if (ClsZelkoAssist* entry = FindByKey(value)) {
        entry->SetSelected(true);
        SetItemChecked(entry->MenuIndex(), true);
    }
}

std::vector<std::string> AssistCatalogue::AssistNames() const
{
    std::vector<std::string> names;
    for (const ClsZelkoAssist& entry : m_assists) {
        if (!entry.Selected())
            continue;
        if (QAction* item = MenuItem(entry.MenuIndex()))
            names.push_back(item->text().toStdString());
    }
    return names;
}

std::vector<std::string> AssistCatalogue::AssistSectionLines() const
{
    std::vector<std::string> lines;
    for (const std::string& name : AssistNames())
        lines.push_back("ExecuteFile=" + name);
    return lines;
}

std::string AssistCatalogue::AssistSectionData() const
{
    std::string data;
    for (const std::string& line : AssistSectionLines()) {
        data += line;
        data += '\0';
    }
    data += '\0';
    return data;
}

bool AssistCatalogue::Link(std::uint32_t position, platform::WindowHandle hwnd, bool namesWindow)
{
    if (position < 1 || position > m_assists.size())
        return false;
    m_assists[position - 1].Sethwnd(hwnd, namesWindow);
    return true;
}

void AssistCatalogue::MarkClosed(platform::WindowHandle hwnd)
{
    if (hwnd <= 0)
        return; // never announced entries hold 0; a report always names a window
    for (ClsZelkoAssist& entry : m_assists) {
        if (entry.hwnd() == hwnd) {
            entry.SetEnabled(false);
            entry.SetSelected(false);
            SetItemChecked(entry.MenuIndex(), false);
        }
    }
}

void AssistCatalogue::MarkHung(platform::WindowHandle hwnd)
{
    for (ClsZelkoAssist& entry : m_assists) {
        if (entry.hwnd() == hwnd)
            entry.SetEnabled(false);
    }
}

void AssistCatalogue::Clear(const std::function<void(ClsZelkoAssist&)>& closeWindow)
{
    while (!m_assists.empty()) {
        ClsZelkoAssist& entry = m_assists.back();
        if (entry.Enabled())
            closeWindow(entry);
        ClsZelkoAssist& last = m_assists.back();
        if (last.MenuIndex() != 0) {
            if (QAction* item = MenuItem(last.MenuIndex())) {
                m_menu.removeAction(item);
                delete item;
                m_items[static_cast<std::size_t>(last.MenuIndex())] = nullptr;
            }
        }
        m_assists.pop_back();
    }
    m_items.resize(1);
    m_items[0]->setText(QCoreApplication::translate("AssistCatalogue", NoAssistCaption));
    m_items[0]->setChecked(false);
    m_items[0]->setEnabled(false);
}

} // namespace assisthost
