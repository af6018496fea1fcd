#pragma once
// Adding tracks to the play list: files chosen in the open-file dialog, the
// MP3 files of a chosen folder (with its subfolders when the settings say
// so), and lists of files dropped on the window or handed over by another
// start. The files are read under the busy cursor, each once for its names
// and length, and then the addition is finished (the order and the list box
// follow the new list).
//
// Everything given must outlive the adder. User-interface thread only.
#include <string>
#include <vector>

namespace playback {
class Transport;
}

namespace shell {

class ClsZelko;
struct UserDialogs;

class TrackAdder {
public:
    TrackAdder(playback::Transport& transport, const ClsZelko& app, const UserDialogs& dialogs);

    // Adds the files in the order given.
    void Add(const std::vector<std::string>& paths);
    // The open-file dialog; nothing happens when it is cancelled.
    void AddChosenFiles();
    // The folder dialog with this title; nothing happens when it is cancelled.
    void AddChosenFolder(const std::string& title);

private:
    playback::Transport& m_transport;
    const ClsZelko& m_app;
    const UserDialogs& m_dialogs;
};

} // namespace shell
