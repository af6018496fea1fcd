#pragma once
// The Unix-domain stream sockets behind message windows: the address of an
// endpoint path, connecting to an endpoint and listening at one. Every socket
// made here is non-blocking and closed on exec. The functions keep no state
// and may be called from any thread.
#include <filesystem>
#include <string>
#include <sys/un.h>

#include "platform/FileDescriptor.h"
#include "platform/WindowMessages.h"

namespace platform {

class UnixEndpoint {
public:
    enum class ConnectResult {
        Connected, // fd holds the new connection
        NoWindow,  // nothing listens there (missing, refused, not a socket, path too long)
        Failed,    // a live endpoint that does not accept now (full backlog), or no socket
    };

    struct ListenResult {
        FileDescriptor Socket; // valid when listening
        std::string Error;     // why not, otherwise
    };

    // Fills address with path; false when the path does not fit its 107 bytes.
    [[nodiscard]] static bool FillAddress(const std::filesystem::path& path, sockaddr_un& address);

    [[nodiscard]] static ConnectResult Connect(const std::filesystem::path& path, int& fdOut);

    // Listens at path as the window handle, with mode 0600 whatever the
    // umask. A live endpoint at path is refused; a stale socket file left by
    // an ended program is replaced.
    [[nodiscard]] static ListenResult Listen(const std::filesystem::path& path, WindowHandle handle);
};

} // namespace platform
