// This program takes the X display lock because its tests click the windows
// of the players they start, but it shows no window itself. Its own
// connection to the X server is left out: under the sanitizers, connecting
// made libxkbcommon read past a buffer while loading the keymap of the test
// X server. The players it starts are told to use the X server explicitly.
#include <cstdlib>

namespace {

const bool g_offscreen = [] {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return true;
}();

} // namespace
