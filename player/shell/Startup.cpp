#include "player/shell/Startup.h"

#include "common/KtBusyCursor.h"
#include "player/assisthost/ClsZelkoAssistHost.h"
#include "player/playback/PlayListFile.h"
#include "player/playback/Transport.h"
#include "player/shell/ClsZelko.h"

namespace shell {

namespace Startup {

bool ReadSettings(ClsZelko& app, playback::Transport& transport, assisthost::ClsZelkoAssistHost& assists,
                  std::optional<ZelkoSettings> given)
{
    ZelkoSettings s = given ? std::move(*given) : SettingsFile::Load(app.DataPath() + "Zelko.ini", app.AppPath());
    for (const std::string& line : s.AssistLines)
        assists.SelectAssistFromIni(line);
    transport.Restore(s.Repeat, s.Shuffle, s.Volume);
    transport.SetPlayPosition(s.PlayPosition);
    const bool withMusic = s.SkinWithMusic;
    app.SetSettings(std::move(s));
    return withMusic;
}

void ReadPlayList(const ClsZelko& app, playback::Transport& transport)
{
    const std::vector<std::string> paths = playback::PlayListFile::Read(app.DataPath() + "Zelko.m3u");
    if (paths.empty()) return;
    common::KtBusyCursor busy;
    transport.AppendMp3Files(paths);
}

void CheckPlayPosition(playback::Transport& transport)
{
    if (!transport.coMp3Files().Contains(transport.PlayPosition()))
        transport.SetPlayPosition(transport.coMp3Files().Empty() ? 0 : 1);
}

void WritePlayList(const ClsZelko& app, const playback::Transport& transport)
{
    std::vector<std::string> paths;
    paths.reserve(transport.coMp3Files().Items().size());
    for (const playback::ClsZelkoMp3File& track : transport.coMp3Files().Items())
        paths.push_back(track.Mp3File());
    if (const auto written = playback::PlayListFile::Write(app.DataPath() + "Zelko.m3u", paths); !written)
        app.ReportFailure("Zelko.m3u could not be written: " + written.message);
}

void WriteSettings(const ClsZelko& app, const playback::Transport& transport, const assisthost::ClsZelkoAssistHost* assists)
{
    ZelkoSettings s = app.Settings();
    s.Repeat = transport.bRepeat();
    s.Shuffle = transport.bShuffle();
    s.Volume = transport.Volume();
    s.PlayPosition = transport.PlayPosition();
    const std::vector<std::string> names = assists ? assists->AssistNames() : std::vector<std::string>{};
    if (const auto saved = SettingsFile::Save(app.DataPath() + "Zelko.ini", s, names); !saved)
        app.ReportFailure("Zelko.ini could not be written: " + saved.message);
}

} // namespace Startup

} // namespace shell
