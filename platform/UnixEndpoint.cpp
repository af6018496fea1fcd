#include "platform/UnixEndpoint.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool UnixEndpoint::FillAddress(const std::filesystem::path& path, sockaddr_un& address)
{
    const std::string name = path.string();
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (name.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
    return true;
}

UnixEndpoint::ConnectResult UnixEndpoint::Connect(const std::filesystem::path& path, int& fdOut)
{
    sockaddr_un address{};
    if (!FillAddress(path, address))
        return ConnectResult::NoWindow;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return ConnectResult::Failed;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        ::close(fd);
        // A missing or refused endpoint is no window; a full backlog (EAGAIN)
        // is a live window that does not accept.
        return (error == ENOENT || error == ECONNREFUSED || error == ENOTSOCK) ? ConnectResult::NoWindow
                                                                               : ConnectResult::Failed;
    }
    fdOut = fd;
    return ConnectResult::Connected;
}

UnixEndpoint::ListenResult UnixEndpoint::Listen(const std::filesystem::path& path, WindowHandle handle)
{
    ListenResult result;
    sockaddr_un address{};
    if (!FillAddress(path, address)) {
        result.Error = "endpoint path too long: " + path.string();
        return result;
    }

    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
        int probe = -1;
        if (S_ISSOCK(st.st_mode) && Connect(path, probe) == ConnectResult::Connected) {
            ::close(probe);
            result.Error = "window " + std::to_string(handle) + " is already in use";
            return result;
        }
        // Nothing answers there: a stale endpoint of an ended program.
        ::unlink(path.c_str());
    }

    FileDescriptor fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!fd.Valid()) {
        result.Error = std::string("socket: ") + std::strerror(errno);
        return result;
    }
    // The endpoint is the user's alone even in a folder that others could
    // enter: on Linux a socket file takes the mode its socket has at bind.
    if (::fchmod(fd.Get(), 0600) != 0) {
        result.Error = std::string("cannot restrict the endpoint: ") + std::strerror(errno);
        return result;
    }
    if (::bind(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || ::listen(fd.Get(), 64) != 0) {
        result.Error = "cannot listen at " + path.string() + ": " + std::strerror(errno);
        return result;
    }
    result.Socket = std::move(fd);
    return result;
}

} // namespace platform
