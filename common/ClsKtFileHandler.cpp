#include "common/ClsKtFileHandler.h"

#include "common/KtBusyCursor.h"
#include "platform/DirectorySearch.h"
#include "platform/WildcardPattern.h"

#include <optional>
#include <set>
#include <sys/stat.h>
#include <utility>

namespace common {

using platform::DirectoryEntry;
using platform::DirectorySearch;
using platform::EntryKind;

void ClsKtFileHandler::ClearFNameCollection()
{
    KtBusyCursor busy;
    m_files.clear();
}

void ClsKtFileHandler::FillFNameCollection(std::string path, std::string file)
{
    ClearFNameCollection();
    KtBusyCursor busy;
    // No path means the root of the file system; no pattern lists every
    // file, also those without a dot in their name.
    if (path.empty() || path.back() != '/')
        path.push_back('/');
    if (file.empty())
        file.push_back('*');
    const platform::WildcardPattern pattern(file);

    // Depth first without recursion, so that a deep tree cannot exhaust the
    // stack: each level holds a folder's entries and the next one to look at.
    struct Level {
        std::string folder;
        std::vector<DirectoryEntry> entries;
        std::size_t next = 0;
    };
    std::set<std::pair<dev_t, ino_t>> visited;
    auto enter = [&](std::string folder) -> std::optional<Level> {
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            return std::nullopt;
        if (!visited.insert({st.st_dev, st.st_ino}).second)
            return std::nullopt; // reached again through a link
        auto entries = DirectorySearch::List(folder, "*", platform::SearchScope::FilesAndFolders,
                                             platform::HiddenEntries::Include);
        return Level{std::move(folder), std::move(entries), 0};
    };

    std::vector<Level> stack;
    if (auto root = enter(path))
        stack.push_back(std::move(*root));
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.next == level.entries.size()) {
            stack.pop_back();
            continue;
        }
        const DirectoryEntry& entry = level.entries[level.next++];
        if (entry.kind == EntryKind::Folder) {
            auto sub = enter(level.folder + entry.name + "/");
            if (sub)
                stack.push_back(std::move(*sub)); // level may dangle from here on
            continue;
        }
        if (pattern.Matches(entry.name))
            m_files.push_back(level.folder + entry.name);
    }
}

} // namespace common
