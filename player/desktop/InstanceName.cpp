#include "player/desktop/InstanceName.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace desktop {

namespace {

// FNV-1a: the same text gives the same name in every run and build.
uint32_t Fnv1a(const std::string& text)
{
    uint32_t hash = 2166136261u;
    for (const unsigned char c : text) {
        hash ^= c;
        hash *= 16777619u;
    }
    return hash;
}

} // namespace

std::string InstanceBusName(RunKind kind, const std::string& programFolder)
{
    if (kind == RunKind::Normal)
        return MprisBusName;
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", Fnv1a(programFolder));
    return std::string(MprisBusName) + ".instance_" + hex;
}

std::string InstanceLockPath(const std::string& busName)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') {
        std::string folder = runtime;
        if (folder.back() != '/')
            folder += '/';
        return folder + busName + ".lock";
    }
    // The shared temporary folder: the user's number keeps users apart.
    return "/tmp/" + busName + "-" + std::to_string(::getuid()) + ".lock";
}

} // namespace desktop
