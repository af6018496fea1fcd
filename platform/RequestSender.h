#pragma once
// The sending side of a message window: one request at a time to a peer's
// endpoint, then its reply, within a deadline.
//
// Up to two idle connections per receiver are kept for later sends. A kept
// connection that its receiver closed before the request reached it is
// replaced by one fresh connection. While a send waits (for room to write,
// or for the reply) it hands the time to the Wait given, which serves the
// sender's own endpoint, so that requests sent back to it meanwhile (nested)
// are answered.
//
// Threads: the thread of the owning window only.
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <span>
#include <vector>

#include "platform/FileDescriptor.h"
#include "platform/SendOutcome.h"
#include "platform/WindowMessages.h"

namespace platform {

class RequestSender {
public:
    // Serves the sender's endpoint for at most the given time, returning
    // early when fd becomes ready for events.
    using Wait = std::function<void(std::chrono::milliseconds limit, int fd, short events)>;

    // directory: the endpoint folder of the receivers.
    explicit RequestSender(std::filesystem::path directory);

    // Sends one whole request frame to the window `to` and waits up to
    // `timeout` for its reply.
    SendOutcome Transact(WindowHandle to, std::span<const std::byte> frame, std::chrono::milliseconds timeout,
                         const Wait& wait);

private:
    FileDescriptor TakeConnection(WindowHandle to, bool fresh, SendStatus& failure);
    void ReturnConnection(WindowHandle to, FileDescriptor connection);
    static SendOutcome AwaitReply(const FileDescriptor& connection, std::chrono::steady_clock::time_point deadline,
                                  const Wait& wait);

    std::filesystem::path m_directory;
    std::map<WindowHandle, std::vector<FileDescriptor>> m_idle;
};

} // namespace platform
