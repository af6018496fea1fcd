#include "platform/IncomingRequests.h"

#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/MessageWindow.h"
#include "platform/RequestFrame.h"

namespace platform {
namespace {

// A peer may keep this many connections open; beyond it the oldest idle one
// is dropped, so that connections which never send cannot exhaust descriptors.
constexpr std::size_t MaxIncomingConnections = 64;
// Requests handled from one connection before the others get their turn.
constexpr int MaxRequestsPerTurn = 16;
constexpr std::size_t MaxFrameSize = RequestHeaderSize + MaxCopyDataBytes;
// A connection that has sent part of a frame and then nothing for this long
// is closed: it holds one of the places above and would otherwise keep it.
constexpr std::chrono::milliseconds PartialFrameLimit{2000};
// How often, while some frame is partial, the limit above is checked.
constexpr std::chrono::milliseconds PartialFrameCheck{250};

} // namespace

struct IncomingRequests::Incoming {
    int Fd = -1;
    std::vector<std::byte> Buffer;
    bool Busy = false; // a request of this connection is being handled
    bool EverDispatched = false;
    // When bytes last arrived; a partial frame older than the limit is closed.
    std::chrono::steady_clock::time_point LastData = std::chrono::steady_clock::now();
    std::unique_ptr<QSocketNotifier> Notifier;

    ~Incoming()
    {
        if (Notifier)
            Notifier->setEnabled(false);
        Notifier.reset();
        if (Fd >= 0)
            ::close(Fd);
    }
};

IncomingRequests::IncomingRequests(FileDescriptor listening, bool useQt, Handler handler)
    : m_listening(std::move(listening))
    , m_useQt(useQt)
    , m_handler(std::move(handler))
{
    if (m_useQt) {
        m_qtContext = std::make_unique<QObject>();
        m_listenWatcher = std::make_unique<ConnectionWatcher>(m_listening.Get(), m_qtContext.get(), [this] { DispatchPending(); });
        if (!m_listenWatcher->Running()) {
            m_listenNotifier = std::make_unique<QSocketNotifier>(m_listening.Get(), QSocketNotifier::Read);
            QObject::connect(m_listenNotifier.get(), &QSocketNotifier::activated, m_listenNotifier.get(),
                             [this] { DispatchPending(); });
        }
        m_partialTimer = std::make_unique<QTimer>();
        m_partialTimer->setInterval(static_cast<int>(PartialFrameCheck.count()));
        QObject::connect(m_partialTimer.get(), &QTimer::timeout, m_partialTimer.get(), [this] {
            ReleaseClosed();
            if (!ClosePartialFrames())
                m_partialTimer->stop();
        });
    }
}

IncomingRequests::~IncomingRequests()
{
    m_listenWatcher.reset();
    m_qtContext.reset();
    if (m_listenNotifier)
        m_listenNotifier->setEnabled(false);
    m_listenNotifier.reset();
    m_partialTimer.reset();
    m_incoming.clear();
    m_closed.clear();
}

void IncomingRequests::AcceptPending()
{
    for (;;) {
        const int fd = ::accept4(m_listening.Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return;
        MakeRoomForConnection();
        auto connection = std::make_unique<Incoming>();
        connection->Fd = fd;
        const int id = m_nextIncomingId++;
        if (m_useQt) {
            connection->Notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
            QObject::connect(connection->Notifier.get(), &QSocketNotifier::activated, connection->Notifier.get(),
                             [this, id] {
                                 ReleaseClosed();
                                 ServiceIncoming(id);
                             });
        }
        m_incoming.emplace(id, std::move(connection));
    }
}

void IncomingRequests::MakeRoomForConnection()
{
    if (m_incoming.size() < MaxIncomingConnections)
        return;
    // Drop a connection that never completed a request first, else the
    // oldest idle one; ids grow with age.
    int victim = 0;
    for (const auto& [id, connection] : m_incoming) {
        if (!connection->Busy && !connection->EverDispatched) {
            victim = id;
            break;
        }
    }
    if (victim == 0) {
        for (const auto& [id, connection] : m_incoming) {
            if (!connection->Busy) {
                victim = id;
                break;
            }
        }
    }
    if (victim != 0)
        CloseIncoming(victim);
}

void IncomingRequests::CloseIncoming(int id)
{
    auto it = m_incoming.find(id);
    if (it == m_incoming.end())
        return;
    std::unique_ptr<Incoming> connection = std::move(it->second);
    m_incoming.erase(it);
    // The notifier may be the one whose signal is running: disable it and
    // close the socket now, free the objects once no dispatch is under way.
    if (connection->Notifier)
        connection->Notifier->setEnabled(false);
    ::close(connection->Fd);
    connection->Fd = -1;
    m_closed.push_back(std::move(connection));
}

// Closed connections are freed at the next entry from outside, never in the
// call that closed them: that call may be running inside the connection's
// own notifier signal, and while a procedure runs (depth > 0) any closed
// connection may still be on the stack.
void IncomingRequests::ReleaseClosed()
{
    if (m_procedureDepth == 0)
        m_closed.clear();
}

void IncomingRequests::ServiceIncoming(int id)
{
    for (int handled = 0; handled < MaxRequestsPerTurn;) {
        auto it = m_incoming.find(id);
        if (it == m_incoming.end())
            return;
        Incoming& connection = *it->second;
        if (connection.Busy)
            return; // its next request is read after the current one is answered

        // Read what has arrived, never more than one largest frame ahead.
        bool ended = false;
        while (connection.Buffer.size() < MaxFrameSize) {
            std::byte chunk[8192];
            const std::size_t want = std::min(sizeof chunk, MaxFrameSize - connection.Buffer.size());
            const ssize_t n = ::recv(connection.Fd, chunk, want, 0);
            if (n > 0) {
                connection.Buffer.insert(connection.Buffer.end(), chunk, chunk + n);
                connection.LastData = std::chrono::steady_clock::now();
                continue;
            }
            if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
                ended = true;
            if (n < 0 && errno == EINTR)
                continue;
            break;
        }

        if (connection.Buffer.size() < RequestHeaderSize) {
            if (ended)
                CloseIncoming(id); // a short frame, or a clean end between requests
            else if (!connection.Buffer.empty())
                WatchPartialFrames();
            return;
        }
        const RequestHeader header =
            RequestFrame::DecodeHeader(std::span<const std::byte, RequestHeaderSize>(connection.Buffer.data(), RequestHeaderSize));
        if (RequestFrame::Check(header) != HeaderCheck::Valid) {
            CloseIncoming(id);
            return;
        }
        const std::size_t frameSize = RequestHeaderSize + header.cbData;
        if (connection.Buffer.size() < frameSize) {
            if (ended)
                CloseIncoming(id);
            else
                WatchPartialFrames();
            return;
        }

        // The payload moves out of the buffer: the procedure may run nested
        // sends that read more from other connections.
        std::vector<std::byte> payload(connection.Buffer.begin() + RequestHeaderSize,
                                       connection.Buffer.begin() + static_cast<std::ptrdiff_t>(frameSize));
        connection.Buffer.erase(connection.Buffer.begin(), connection.Buffer.begin() + static_cast<std::ptrdiff_t>(frameSize));
        connection.Busy = true;
        connection.EverDispatched = true;

        std::int32_t result = 0;
        if (header.msg == WM_COPYDATA) {
            CopyDataStruct descriptor{header.dwData, header.cbData, payload.empty() ? nullptr : payload.data()};
            result = m_handler({.msg = header.msg, .wParam = header.wParam, .copyData = &descriptor});
        } else {
            result = m_handler({.msg = header.msg, .wParam = header.wParam, .lParam = header.lParam});
        }
        ++handled;

        it = m_incoming.find(id);
        if (it == m_incoming.end())
            return;
        it->second->Busy = false;
        const auto reply = RequestFrame::EncodeReply(result);
        const ssize_t sent = ::send(it->second->Fd, reply.data(), reply.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        // A peer that does not read its replies fills its socket; it is dropped.
        if (sent != static_cast<ssize_t>(reply.size())) {
            CloseIncoming(id);
            return;
        }
        if (ended && it->second->Buffer.size() < RequestHeaderSize) {
            CloseIncoming(id);
            return;
        }
    }
    // The turn is over with requests still complete in the buffer. The socket
    // may hold nothing more, so no notifier would fire for them: come back
    // once the event loop has had its turn.
    auto it = m_incoming.find(id);
    if (it != m_incoming.end() && it->second->Notifier && HasCompleteFrame(*it->second))
        QTimer::singleShot(0, it->second->Notifier.get(), [this, id] {
            ReleaseClosed();
            ServiceIncoming(id);
        });
}

bool IncomingRequests::HasCompleteFrame(const Incoming& connection)
{
    if (connection.Busy || connection.Buffer.size() < RequestHeaderSize)
        return false;
    const RequestHeader header =
        RequestFrame::DecodeHeader(std::span<const std::byte, RequestHeaderSize>(connection.Buffer.data(), RequestHeaderSize));
    // A malformed header counts as complete: serving it closes the connection.
    return RequestFrame::Check(header) != HeaderCheck::Valid || connection.Buffer.size() >= RequestHeaderSize + header.cbData;
}

void IncomingRequests::WatchPartialFrames()
{
    if (m_partialTimer && !m_partialTimer->isActive())
        m_partialTimer->start();
}

bool IncomingRequests::ClosePartialFrames()
{
    const auto now = std::chrono::steady_clock::now();
    std::vector<int> stalled;
    bool waiting = false;
    for (const auto& [id, connection] : m_incoming) {
        if (connection->Busy || connection->Buffer.empty() || HasCompleteFrame(*connection))
            continue;
        if (now - connection->LastData >= PartialFrameLimit)
            stalled.push_back(id);
        else
            waiting = true;
    }
    for (int id : stalled)
        CloseIncoming(id);
    return waiting;
}

std::optional<std::chrono::milliseconds> IncomingRequests::NextPartialFrameDeadline() const
{
    std::optional<std::chrono::milliseconds> next;
    const auto now = std::chrono::steady_clock::now();
    for (const auto& [id, connection] : m_incoming) {
        if (connection->Busy || connection->Buffer.empty() || HasCompleteFrame(*connection))
            continue;
        const auto left = std::max(std::chrono::duration_cast<std::chrono::milliseconds>(
                                       connection->LastData + PartialFrameLimit - now),
                                   std::chrono::milliseconds(0));
        if (!next || left < *next)
            next = left;
    }
    return next;
}

void IncomingRequests::DispatchPending()
{
    ReleaseClosed();
    AcceptPending();
    std::vector<int> ids;
    ids.reserve(m_incoming.size());
    for (const auto& entry : m_incoming)
        ids.push_back(entry.first);
    for (int id : ids)
        ServiceIncoming(id);
    ClosePartialFrames();
}

bool IncomingRequests::PollAndDispatch(std::chrono::milliseconds timeout, int extraFd, short extraEvents)
{
    std::vector<pollfd> fds;
    std::vector<int> ids;
    std::vector<bool> buffered;
    fds.push_back({m_listening.Get(), POLLIN, 0});
    ids.push_back(0);
    buffered.push_back(false);
    bool anyBuffered = false;
    for (const auto& [id, connection] : m_incoming) {
        if (!connection->Busy) {
            fds.push_back({connection->Fd, POLLIN, 0});
            ids.push_back(id);
            // Requests left complete in a buffer by the per-turn limit are
            // served now, whether or not more bytes arrive.
            buffered.push_back(HasCompleteFrame(*connection));
            anyBuffered = anyBuffered || buffered.back();
        }
    }
    const std::size_t extraAt = fds.size();
    if (extraFd >= 0)
        fds.push_back({extraFd, extraEvents, 0});

    if (anyBuffered)
        timeout = std::chrono::milliseconds(0);
    else if (const auto partial = NextPartialFrameDeadline())
        timeout = std::min(timeout, *partial);
    const int ready = ::poll(fds.data(), fds.size(), static_cast<int>(timeout.count()));
    if (ready < 0)
        return false;
    const bool extraReady = extraFd >= 0 && fds[extraAt].revents != 0;
    if (fds[0].revents != 0)
        AcceptPending();
    for (std::size_t i = 1; i < extraAt; ++i) {
        if (fds[i].revents != 0 || buffered[i])
            ServiceIncoming(ids[i]);
    }
    ClosePartialFrames();
    return extraReady;
}

} // namespace platform
