#pragma once
// The folder-selection dialog: Qt's directory chooser.
#include <cstdint>
#include <string>

class QWidget;

namespace common {

class ClsKtShell {
public:
    // Root values: the desktop (the user's Desktop folder, or the home folder
    // when there is none), or the start path itself.
    static constexpr std::intptr_t RootDesktop = 0;
    static constexpr std::intptr_t RootFromStartPath = -1;
    // Flag 1: only file-system folders can be chosen (every folder here is one).
    static constexpr std::int32_t OnlyFileSystemFolders = 1;

    // Shows the dialog modal to owner (may be null) with title, opened at the
    // folder that root and startPath give (see StartFolder), and returns the
    // chosen folder's path without trailing "/" ("/" itself stays "/"), or ""
    // when the user cancelled. flags outside -32768..32767 are an error of the
    // caller: KtError 6 "オーバーフローしました。".
    std::string FolderDialog(QWidget* owner, const std::string& title, std::intptr_t root,
                             const std::string& startPath, std::int32_t flags) const;

    // Where the dialog opens: for RootFromStartPath the start path when it
    // names an existing file or folder (a file's folder), else "/" (the whole
    // computer); for RootDesktop the Desktop or home folder; any other root
    // value also opens at "/".
    static std::string StartFolder(std::intptr_t root, const std::string& startPath);
};

} // namespace common
