#pragma once
// Starting another program, detached from this one: the program file is run
// directly with its arguments (no shell, so no quoting rules and no
// injection), in a new session, with standard input from /dev/null. The
// launcher forks twice so that the started program is adopted by init and
// never lingers as a zombie of this process. Failure (no such file, not
// executable, fork refused) is reported as a value, never thrown.
#include "platform/IoResult.h"

#include <string>
#include <sys/types.h>
#include <vector>

namespace platform {

struct [[nodiscard]] LaunchResult {
    IoResult outcome; // ok when the program's image was loaded
    pid_t pid = 0;    // the started program's process id, when ok

    explicit operator bool() const { return outcome.ok; }
};

class ProgramLauncher {
public:
    // program: a path (with "/") or a name searched in PATH. workingFolder:
    // where the program starts; empty keeps this process's folder.
    static LaunchResult StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                                      const std::string& workingFolder = {});
};

} // namespace platform
