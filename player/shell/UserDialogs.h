#pragma once
// What would otherwise wait for the user: the open-file dialog, the folder
// dialog and the message box of a skin that cannot be read. The player shows
// Qt's dialogs; tests give answers instead. User-interface thread only.
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace shell {

struct UserDialogs {
    // The open-file dialog: the chosen files in the order returned, or none.
    std::function<std::vector<std::string>()> chooseMp3Files;
    // A folder dialog with this title: the folder, or "" when cancelled.
    std::function<std::string(const std::string& title)> chooseFolder;
    // The message box for a configured skin that cannot be read.
    std::function<void(const std::string& text)> showSkinError;
};

// Gives every unset member the real dialog, owned by owner (which must
// outlive the dialogs); the message box has the caption title.
void FillDefaultDialogs(UserDialogs& dialogs, QWidget* owner, const char* title);

} // namespace shell
