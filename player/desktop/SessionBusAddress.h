#pragma once
// Whether the player looks for a session bus at all. Where the environment
// names none, the bus library would launch a bus daemon of its own for the X
// display the first time anything asks for the bus (the instance claim, the
// toolkit's accessibility bridge): a process start before the first window,
// and a daemon left behind. The player runs without a bus there instead.
//
// Call before the application object exists; not thread-safe (it changes
// the environment).

namespace desktop {

// True when DBUS_SESSION_BUS_ADDRESS is set, or when the "bus" socket is in
// $XDG_RUNTIME_DIR, where the bus library looks when the variable is unset.
bool SessionBusNamed();

// Where no bus is named, sets DBUS_SESSION_BUS_ADDRESS to the bus library's
// "disabled:" address, so every connection fails at once instead of
// launching a daemon. The assists the player starts inherit it.
void DisableUnnamedSessionBus();

} // namespace desktop
