// The tests click the windows of the players they start, but this process
// shows none: under the sanitizers its own connection to the X server made
// libxkbcommon read past a buffer, so it stays offscreen.
#include <cstdlib>

namespace {

const bool g_offscreen = [] {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return true;
}();

} // namespace
