#pragma once
// The program's version as the main window knows it (the build defines
// ZELKO_VERSION_MAJOR, _MINOR and _PATCH for the player's own target only, so
// the main window hands the numbers to the About dialog in this form).
namespace dialogs {

struct ProgramVersion {
    int Major = 0;
    int Minor = 0;
    int Revision = 0; // the third number, shown with at least two digits
};

} // namespace dialogs
