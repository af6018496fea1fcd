#include "platform/RequestSender.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <poll.h>
#include <sys/socket.h>

#include "platform/EndpointDirectory.h"
#include "platform/RequestFrame.h"
#include "platform/UnixEndpoint.h"

namespace platform {
namespace {

// Idle outgoing connections kept per receiver.
constexpr std::size_t MaxIdleOutgoing = 2;

std::chrono::milliseconds Remaining(std::chrono::steady_clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return std::max(left, std::chrono::milliseconds(0));
}

} // namespace

RequestSender::RequestSender(std::filesystem::path directory)
    : m_directory(std::move(directory))
{
}

FileDescriptor RequestSender::TakeConnection(WindowHandle to, bool fresh, SendStatus& failure)
{
    if (!fresh) {
        auto it = m_idle.find(to);
        if (it != m_idle.end() && !it->second.empty()) {
            FileDescriptor connection = std::move(it->second.back());
            it->second.pop_back();
            return connection;
        }
    }
    int fd = -1;
    switch (UnixEndpoint::Connect(EndpointDirectory::EndpointOf(m_directory, to), fd)) {
    case UnixEndpoint::ConnectResult::Connected:
        return FileDescriptor(fd);
    case UnixEndpoint::ConnectResult::NoWindow:
        failure = SendStatus::NoWindow;
        return FileDescriptor();
    case UnixEndpoint::ConnectResult::Failed:
        failure = SendStatus::Broken;
        return FileDescriptor();
    }
    return FileDescriptor();
}

void RequestSender::ReturnConnection(WindowHandle to, FileDescriptor connection)
{
    auto& idle = m_idle[to];
    if (idle.size() < MaxIdleOutgoing)
        idle.push_back(std::move(connection));
}

SendOutcome RequestSender::Transact(WindowHandle to, std::span<const std::byte> frame,
                                    std::chrono::milliseconds timeout, const Wait& wait)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    // A kept connection may lead to a receiver that has ended since; then
    // one fresh connection is tried.
    for (int attempt = 0; attempt < 2; ++attempt) {
        SendStatus failure = SendStatus::NoWindow;
        const auto idle = m_idle.find(to);
        const bool reused = attempt == 0 && idle != m_idle.end() && !idle->second.empty();
        FileDescriptor connection = TakeConnection(to, attempt > 0, failure);
        if (!connection.Valid())
            return {failure, 0};

        std::size_t written = 0;
        bool broken = false;
        while (written < frame.size()) {
            const ssize_t n = ::send(connection.Get(), frame.data() + written, frame.size() - written, MSG_NOSIGNAL);
            if (n > 0) {
                written += static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                // The receiver's socket is full: keep serving our own
                // endpoint while waiting for room, up to the deadline.
                if (Remaining(deadline).count() == 0)
                    return {SendStatus::TimedOut, 0};
                wait(Remaining(deadline), connection.Get(), POLLOUT);
                continue;
            }
            broken = true;
            break;
        }
        if (broken) {
            if (written == 0 && reused)
                continue;
            return {SendStatus::Broken, 0};
        }
        SendOutcome outcome = AwaitReply(connection, deadline, wait);
        if (outcome.Status == SendStatus::Broken && reused && outcome.Reply == -1) {
            // The kept connection had been closed by its receiver before our
            // request reached it (Reply -1 marks "nothing read"): retry fresh.
            continue;
        }
        if (outcome.Status == SendStatus::Replied)
            ReturnConnection(to, std::move(connection));
        if (outcome.Status == SendStatus::Broken)
            outcome.Reply = 0;
        return outcome;
    }
    return {SendStatus::Broken, 0};
}

SendOutcome RequestSender::AwaitReply(const FileDescriptor& connection, std::chrono::steady_clock::time_point deadline,
                                      const Wait& wait)
{
    std::array<std::byte, ReplySize> reply{};
    std::size_t got = 0;
    for (;;) {
        for (;;) {
            const ssize_t n = ::recv(connection.Get(), reply.data() + got, reply.size() - got, 0);
            if (n > 0) {
                got += static_cast<std::size_t>(n);
                if (got == reply.size())
                    return {SendStatus::Replied, RequestFrame::DecodeReply(reply)};
                continue;
            }
            if (n == 0)
                return {SendStatus::Broken, got == 0 ? -1 : 0};
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                break;
            return {SendStatus::Broken, got == 0 ? -1 : 0};
        }
        const auto left = Remaining(deadline);
        if (left.count() == 0)
            return {SendStatus::TimedOut, 0};
        wait(left, connection.Get(), POLLIN);
    }
}

} // namespace platform
