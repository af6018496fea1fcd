#include "player/shell/TrackAdder.h"

#include "common/KtBusyCursor.h"
#include "player/playback/TrackFiles.h"
#include "player/playback/Transport.h"
#include "player/shell/ClsZelko.h"
#include "player/shell/UserDialogs.h"

namespace shell {

TrackAdder::TrackAdder(playback::Transport& transport, const ClsZelko& app, const UserDialogs& dialogs)
    : m_transport(transport)
    , m_app(app)
    , m_dialogs(dialogs)
{}

void TrackAdder::Add(const std::vector<std::string>& paths)
{
    {
        common::KtBusyCursor busy;
        m_transport.AppendMp3Files(paths);
    }
    m_transport.FinishAddition();
}

void TrackAdder::AddChosenFiles()
{
    const std::vector<std::string> files = m_dialogs.chooseMp3Files();
    if (files.empty())
        return;
    Add(files);
}

void TrackAdder::AddChosenFolder(const std::string& title)
{
    std::string folder = m_dialogs.chooseFolder(title);
    if (folder.empty())
        return;
    if (folder.back() != '/')
        folder += '/';
    std::vector<std::string> paths;
    {
        common::KtBusyCursor busy;
        paths = playback::TrackFiles::InFolder(folder, m_app.SearchChildFolder());
    }
    Add(paths);
}

} // namespace shell
