#pragma once
// A scratch folder for one fuzz target process, on tmpfs (/dev/shm when it
// exists, else $TMPDIR or /tmp), for the code paths that read files by path.
// The folder is made on first use and removed when the process exits
// normally. Not thread-safe: a fuzz target runs its inputs on one thread.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fuzz {

class FuzzScratch {
public:
    // The process's folder, ending in "/".
    static const std::string& Folder();
    // Replaces the file name in the folder by the bytes; returns its path.
    static std::string Write(std::string_view name, const std::uint8_t* data, std::size_t size);
    static std::string Write(std::string_view name, std::string_view bytes);
};

} // namespace fuzz
