#pragma once
// A second start of the player handing its work to the running one over the
// session bus (org.zelko.Zelko on /org/mpris/MediaPlayer2): files to add, or,
// without files, a request to show its window.
//
// Needs a QCoreApplication; waits for the reply (up to a few seconds while
// the running player is still starting).
#include "player/desktop/PlayerControl.h"

#include <string>
#include <vector>

namespace desktop {

enum class HandOverResult { Delivered,
                            Failed };

[[nodiscard]] HandOverResult HandOver(const std::string& busName, const std::vector<std::string>& files,
                                      AddMode mode);

} // namespace desktop
