#include "platform/ConnectionWatcher.h"

#include <QMetaObject>
#include <QObject>

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <system_error>
#include <sys/eventfd.h>

namespace platform {

namespace {

void Signal(int eventFd)
{
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(eventFd, &one, sizeof one);
}

// Waits until one of the descriptors is readable; false on an error other
// than an interruption.
bool WaitReadable(pollfd* fds, nfds_t count)
{
    while (::poll(fds, count, -1) < 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

} // namespace

ConnectionWatcher::ConnectionWatcher(int listeningFd, QObject* context, std::function<void()> waiting)
    : m_listening(listeningFd)
    , m_context(context)
    , m_waiting(std::move(waiting))
    , m_handled(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
    , m_stop(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    if (!m_handled.Valid() || !m_stop.Valid() || m_listening < 0)
        return;
    try {
        m_thread = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        // No thread to be had: the caller watches the socket itself.
    }
}

ConnectionWatcher::~ConnectionWatcher()
{
    if (!m_thread.joinable())
        return;
    Signal(m_stop.Get());
    m_thread.join();
}

void ConnectionWatcher::Run()
{
    pollfd watch[2] = {{m_listening, POLLIN, 0}, {m_stop.Get(), POLLIN, 0}};
    pollfd answer[2] = {{m_handled.Get(), POLLIN, 0}, {m_stop.Get(), POLLIN, 0}};
    while (true) {
        if (!WaitReadable(watch, 2) || watch[1].revents != 0 || (watch[0].revents & (POLLERR | POLLNVAL)) != 0)
            return;
        if ((watch[0].revents & POLLIN) == 0)
            continue;
        const int handled = m_handled.Get();
        QMetaObject::invokeMethod(
            m_context,
            [waiting = m_waiting, handled] {
                waiting();
                Signal(handled);
            },
            Qt::QueuedConnection);
        if (!WaitReadable(answer, 2) || answer[1].revents != 0)
            return;
        uint64_t count = 0;
        [[maybe_unused]] const ssize_t n = ::read(m_handled.Get(), &count, sizeof count);
    }
}

} // namespace platform
