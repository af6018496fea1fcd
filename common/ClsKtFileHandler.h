#pragma once
// Lists every file below a folder, recursively, whose name matches a wildcard
// pattern (platform::WildcardPattern: ? * # [list] [!list], case-sensitive),
// into coFiles as full paths (folder ending in "/", then the name).
//
// Order: depth first; each folder's files and subfolders in name order
// (platform::DirectorySearch::NameLess), a subfolder's whole content standing
// where the subfolder was met. Folders are never matched against the pattern.
// Hidden (dot) files and folders are included. A folder reached twice through
// symbolic links is listed once, so link loops end. A folder that cannot be
// read, or vanishes while it is listed, is skipped silently. The busy mouse
// pointer shows while the listing runs (when there is a graphical
// application) and is restored in every case.
#include <string>
#include <vector>

namespace common {

class ClsKtFileHandler {
public:
    // Empties coFiles, then fills it. An empty path means "/" (the root of
    // the file system); an empty pattern matches every name (an explicit
    // "*.*" only names that contain a dot). A path given with or without its
    // trailing "/" gives the same list.
    void FillFNameCollection(std::string path, std::string file);

    // The collection itself (a reference, not a copy).
    const std::vector<std::string>& coFiles() const { return m_files; }

    // Empties coFiles.
    void ClearFNameCollection();

private:
    std::vector<std::string> m_files;
};

} // namespace common
