#pragma once
// The name under which a player is reachable on the session bus, which is
// also what makes it the one player of its kind in a desktop session.
//
// A normal run is org.mpris.MediaPlayer2.zelko: one player per session, so
// two never write the same settings file. A "/develop" run takes its program
// folder (the working folder) into the name (org.mpris.MediaPlayer2.zelko.instance_<hash>), so
// that runs with different program folders stay independent; MPRIS2 names
// may carry such a suffix for several instances.
#include <string>

namespace desktop {

inline constexpr const char* MprisBusName = "org.mpris.MediaPlayer2.zelko";

enum class RunKind { Normal,
                     Develop };

// kind: how the player runs; programFolder: the folder a "/develop" run uses.
std::string InstanceBusName(RunKind kind, const std::string& programFolder);

// The lock file that stands for the bus name where there is no session bus:
// in $XDG_RUNTIME_DIR (else the temporary folder), one per name.
std::string InstanceLockPath(const std::string& busName);

} // namespace desktop
