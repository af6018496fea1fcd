#include "platform/EndpointDirectory.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::EndpointDirectory {

std::filesystem::path DefaultPath()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] != '\0')
        return std::filesystem::path(runtime) / "zelko";
    return std::filesystem::path("/tmp") / ("zelko-" + std::to_string(::getuid()));
}

std::optional<std::string> Prepare(const std::filesystem::path& directory)
{
    const std::string name = directory.string();
    if (::mkdir(name.c_str(), 0700) != 0 && errno != EEXIST)
        return "cannot create " + name + ": " + std::strerror(errno);
    struct stat st {};
    if (::lstat(name.c_str(), &st) != 0)
        return "cannot examine " + name + ": " + std::strerror(errno);
    if (!S_ISDIR(st.st_mode))
        return name + " is not a folder";
    if (st.st_uid != ::getuid())
        return name + " belongs to another user";
    if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return name + " is writable by others";
    return std::nullopt;
}

std::filesystem::path EndpointOf(const std::filesystem::path& directory, WindowHandle handle)
{
    return directory / std::to_string(handle);
}

} // namespace platform::EndpointDirectory
