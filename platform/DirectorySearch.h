#pragma once
// Listing one folder, the stand-in for the desktop's directory search.
//
// The pattern is matched against each name with "*" (any run of characters,
// also none) and "?" (any one character), without regard to letter case; an
// empty pattern, "*" and "*.*" match every name. "." and ".." are never
// listed. Results come sorted by name (see NameLess).
//
// A folder that does not exist or cannot be read gives an empty list; an entry
// that vanishes while the folder is read is left out. Symbolic links are
// listed as what they point to; a dangling link is left out.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class EntryKind { File,
                       Folder };

struct DirectoryEntry {
    std::string name; // the entry's name, no folder part
    EntryKind kind = EntryKind::File;
    bool operator==(const DirectoryEntry&) const = default;
};

enum class SearchScope {
    FilesOnly,       // normal files only
    FilesAndFolders, // normal files and folders
};

enum class HiddenEntries {
    Skip, // names that begin with "." are left out
    Include,
};

class DirectorySearch {
public:
    static std::vector<DirectoryEntry> List(const std::string& folder, std::string_view pattern = "*",
                                            SearchScope scope = SearchScope::FilesOnly,
                                            HiddenEntries hidden = HiddenEntries::Skip);

    // The name pattern of List: "*" and "?", case-insensitive for ASCII and
    // for every other character that has a simple case mapping.
    static bool MatchesPattern(std::string_view name, std::string_view pattern);

    // The order of listings: names compared without regard to case, then
    // byte by byte so that the order is total.
    static bool NameLess(std::string_view a, std::string_view b);

    // A normal file (or a link to one) found as a system whose names ignore
    // letter case finds it, for files named in skins and lyrics written on
    // such a system: `path` itself when that is a file, else the first file
    // in listing order, in the same folder, whose name equals the last part
    // of `path` without regard to case (folded as MatchesPattern folds).
    // The folder part must match exactly. Returns the folder part of `path`
    // followed by the name found; nothing when there is none.
    static std::optional<std::string> FindFile(std::string_view path);
};

} // namespace platform
