#pragma once
// The files of start-up and shut-down: the settings file Zelko.ini and the
// saved play list Zelko.m3u in the data folder. Start-up reads the settings
// into ClsZelko (one ZelkoSettings value), the transport (modes, volume,
// current track) and the assist host (the [Assist] lines), then the play
// list; shut-down writes the play list, then the settings. A file that
// cannot be written costs one line in the run log, never the exit.
//
// The order of the whole sequences is the main window's Form_Load and
// Form_Unload; these are their steps. All on the user-interface thread.
#include "player/shell/ZelkoSettings.h"

#include <optional>

namespace assisthost {
class ClsZelkoAssistHost;
}
namespace playback {
class Transport;
}

namespace shell {

class ClsZelko;

namespace Startup {

// Hands the settings to ClsZelko, the transport and the assist host: those
// given (the program read them already), else those of Zelko.ini. Returns
// whether the skin is to change with the music.
bool ReadSettings(ClsZelko& app, playback::Transport& transport, assisthost::ClsZelkoAssistHost& assists,
                  std::optional<ZelkoSettings> given);
// Reads Zelko.m3u into the play list (each file read once for its names).
void ReadPlayList(const ClsZelko& app, playback::Transport& transport);
// Makes the current track a valid one: track 1, or 0 for an empty list.
void CheckPlayPosition(playback::Transport& transport);

void WritePlayList(const ClsZelko& app, const playback::Transport& transport);
// assists may be null (shut-down before the host existed).
void WriteSettings(const ClsZelko& app, const playback::Transport& transport, const assisthost::ClsZelkoAssistHost* assists);

} // namespace Startup

} // namespace shell
