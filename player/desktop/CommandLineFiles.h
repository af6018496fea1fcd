#pragma once
// The player's arguments split into the files to open and the rest. An
// argument that names an existing file or folder (absolute, or relative to
// the working folder) or a file: URI of one is a file, and is taken out
// before the switches are looked for: a path that contains "/develop" or
// "/log" switches nothing. "--enqueue" asks to add the files without
// playing them.
#include "player/desktop/PlayerControl.h"

#include <string>
#include <vector>

namespace desktop {

struct CommandLineFiles {
    std::vector<std::string> files;     // absolute paths, in argument order
    std::vector<std::string> remaining; // the other arguments, in order ("--enqueue" removed)
    AddMode mode = AddMode::Play;
};

// arguments: argv[1..]; workingFolder: absolute, for relative paths.
CommandLineFiles SplitCommandLine(const std::vector<std::string>& arguments, const std::string& workingFolder);

// The remaining arguments joined by spaces, as the switches are read.
std::string JoinArguments(const std::vector<std::string>& arguments);

} // namespace desktop
