#pragma once
// Changing the skin with rollback, written once: every way of changing skin
// (the skin menu, the next-skin key, a dropped skin file, the start-up
// fallback) goes through SwitchTo.
#include "player/skin/SkinSwitchHost.h"

#include <string>

namespace skin {

namespace SkinSwitcher {

// Names path/file as the current skin and applies it. When it cannot be
// shown, the previous name comes back, the skin on screen stays, and the
// result is false.
[[nodiscard]] bool SwitchTo(SkinSwitchHost& host, const std::string& path, const std::string& file);

} // namespace SkinSwitcher

} // namespace skin
