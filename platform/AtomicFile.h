#pragma once
// Replacing a file as a whole so that a crash or a full disk never leaves it
// half-written: the bytes go to a temporary file in the same folder, which is
// flushed to disk (fsync) and then renamed over the old file. Until the rename
// the old file stays exactly as it was; when any step fails, the temporary
// file is removed and the old file is untouched.
//
// A path that is a symbolic link is resolved first, so the link stays a link
// and its target is replaced. A replaced file keeps its permission bits; a new
// one gets 0666 less the umask.
#include "platform/IoResult.h"

#include <string>
#include <string_view>

namespace platform {

class AtomicFile {
public:
    static IoResult Write(const std::string& path, std::string_view bytes);
};

} // namespace platform
