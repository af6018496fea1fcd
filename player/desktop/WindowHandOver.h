#pragma once
// One player per session without a session bus: a second start hands its
// files (or, without files, a request to show the window) to the running
// player through the window messages (see HandOverMessage). The running
// player's window handle is its process id, which it writes into the
// instance lock file it holds (see InstanceClaim).
//
// User-interface thread; the sender waits for the replies (up to a few
// seconds while the running player is still starting).
#include "platform/WindowMessages.h"
#include "player/desktop/InstanceHandOver.h"
#include "player/desktop/PlayerControl.h"

#include <chrono>
#include <string>
#include <vector>

namespace desktop {

// Sends to the holder of the lock file at lockPath. Delivered once the
// running player took every message; Failed when it did not within timeout.
[[nodiscard]] HandOverResult HandOverByWindow(const std::string& lockPath, const std::vector<std::string>& files,
                                              AddMode mode,
                                              std::chrono::milliseconds timeout = std::chrono::seconds(20));

// A window procedure that takes the hand-over messages to the player (after
// the reply, so that the sender does not wait for the files to be read) and
// passes every other message to next. The player must outlive the procedure.
platform::WindowProcedure HandOverProcedure(PlayerControl& player, platform::WindowProcedure next);

} // namespace desktop
