#pragma once
// Where the tracks of the list commands come from: the MP3 files of a chosen
// folder, and the files dropped on the window. Paths are UTF-8.
#include <optional>
#include <string>
#include <vector>

namespace playback {

namespace TrackFiles {

// The *.mp3 files (any letter case) of folder, which ends in "/"; with
// searchChildFolder those of every folder below it too.
std::vector<std::string> InFolder(const std::string& folder, bool searchChildFolder);

// Dropped paths: exactly one skin file (*.zks) is a skin to apply; otherwise
// the MP3 files among them, in drop order (play lists and folders are
// passed over).
struct Dropped {
    std::optional<std::string> skinFile;
    std::vector<std::string> mp3Files;
};
Dropped Classify(const std::vector<std::string>& paths);

} // namespace TrackFiles

} // namespace playback
