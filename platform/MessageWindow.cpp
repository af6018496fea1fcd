#include "platform/MessageWindow.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/EndpointDirectory.h"
#include "platform/RequestFrame.h"

namespace platform {
namespace {

// A peer may keep this many connections open; beyond it the oldest idle one
// is dropped, so that connections which never send cannot exhaust descriptors.
constexpr std::size_t MaxIncomingConnections = 64;
// Requests handled from one connection before the others get their turn.
constexpr int MaxRequestsPerTurn = 16;
constexpr std::size_t MaxFrameSize = RequestHeaderSize + MaxCopyDataBytes;
// Idle outgoing connections kept per receiver.
constexpr std::size_t MaxIdleOutgoing = 2;
// A connection that has sent part of a frame and then nothing for this long
// is closed: it holds one of the places above and would otherwise keep it.
constexpr std::chrono::milliseconds PartialFrameLimit { 2000 };
// How often, while some frame is partial, the limit above is checked.
constexpr std::chrono::milliseconds PartialFrameCheck { 250 };

bool FillAddress(const std::filesystem::path& path, sockaddr_un& address)
{
    const std::string name = path.string();
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (name.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
    return true;
}

enum class ConnectResult { Connected, NoWindow, Failed };

ConnectResult ConnectTo(const std::filesystem::path& path, int& fdOut)
{
    sockaddr_un address {};
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

std::chrono::milliseconds Remaining(std::chrono::steady_clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return std::max(left, std::chrono::milliseconds(0));
}

} // namespace

struct MessageWindow::Incoming {
    int Fd = -1;
    std::vector<std::byte> Buffer;
    bool Busy = false;          // a request of this connection is being handled
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

struct MessageWindow::Outgoing {
    int Fd = -1;
    ~Outgoing()
    {
        if (Fd >= 0)
            ::close(Fd);
    }
};

MessageWindow::OpenResult MessageWindow::Open(WindowProcedure defaultProcedure)
{
    return Open(std::move(defaultProcedure), Options {});
}

MessageWindow::OpenResult MessageWindow::Open(WindowProcedure defaultProcedure, Options options)
{
    OpenResult result;
    const std::filesystem::path directory =
        options.Directory.empty() ? EndpointDirectory::DefaultPath() : options.Directory;
    if (auto error = EndpointDirectory::Prepare(directory)) {
        result.Error = *error;
        return result;
    }
    const WindowHandle handle = options.Handle != 0 ? options.Handle : static_cast<WindowHandle>(::getpid());
    if (handle <= 0) {
        result.Error = "a window handle must be positive";
        return result;
    }
    const std::filesystem::path path = EndpointDirectory::EndpointOf(directory, handle);
    sockaddr_un address {};
    if (!FillAddress(path, address)) {
        result.Error = "endpoint path too long: " + path.string();
        return result;
    }

    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
        int probe = -1;
        if (S_ISSOCK(st.st_mode) && ConnectTo(path, probe) == ConnectResult::Connected) {
            ::close(probe);
            result.Error = "window " + std::to_string(handle) + " is already in use";
            return result;
        }
        // Nothing answers there: a stale endpoint of an ended program.
        ::unlink(path.c_str());
    }

    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        result.Error = std::string("socket: ") + std::strerror(errno);
        return result;
    }
    // The endpoint is the user's alone even in a folder that others could
    // enter: on Linux a socket file takes the mode its socket has at bind.
    if (::fchmod(fd, 0600) != 0) {
        result.Error = std::string("cannot restrict the endpoint: ") + std::strerror(errno);
        ::close(fd);
        return result;
    }
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0
        || ::listen(fd, 64) != 0) {
        result.Error = "cannot listen at " + path.string() + ": " + std::strerror(errno);
        ::close(fd);
        return result;
    }
    result.Window.reset(new MessageWindow(handle, directory, fd, std::move(defaultProcedure), options));
    return result;
}

MessageWindow::MessageWindow(WindowHandle handle, std::filesystem::path directory, int listenFd,
                             WindowProcedure procedure, const Options& options)
    : m_handle(handle)
    , m_directory(std::move(directory))
    , m_listenFd(listenFd)
    , m_procedure(std::move(procedure))
    , m_sendTimeout(options.SendTimeout)
    , m_useQt(options.UseQtNotifiers && QCoreApplication::instance() != nullptr)
{
    if (m_useQt) {
        m_listenNotifier = std::make_unique<QSocketNotifier>(m_listenFd, QSocketNotifier::Read);
        QObject::connect(m_listenNotifier.get(), &QSocketNotifier::activated, m_listenNotifier.get(),
                         [this] { DispatchPending(); });
        m_partialTimer = std::make_unique<QTimer>();
        m_partialTimer->setInterval(static_cast<int>(PartialFrameCheck.count()));
        QObject::connect(m_partialTimer.get(), &QTimer::timeout, m_partialTimer.get(), [this] {
            ReleaseClosed();
            if (!ClosePartialFrames())
                m_partialTimer->stop();
        });
    }
}

MessageWindow::~MessageWindow()
{
    if (m_listenNotifier)
        m_listenNotifier->setEnabled(false);
    m_listenNotifier.reset();
    m_partialTimer.reset();
    m_incoming.clear();
    m_closed.clear();
    m_idleOutgoing.clear();
    ::close(m_listenFd);
    ::unlink(EndpointPath().c_str());
}

std::filesystem::path MessageWindow::EndpointPath() const
{
    return EndpointDirectory::EndpointOf(m_directory, m_handle);
}

WindowProcedure MessageWindow::SetWindowProcedure(WindowProcedure procedure)
{
    WindowProcedure previous = std::move(m_procedure);
    m_procedure = std::move(procedure);
    return previous;
}

std::int32_t MessageWindow::CallProcedure(WindowMessage message)
{
    message.hwnd = m_handle;
    // The procedure may replace itself while it runs; call a copy.
    const WindowProcedure procedure = m_procedure;
    ++m_dispatchDepth;
    const std::int32_t result = CallWindowProc(procedure, message);
    --m_dispatchDepth;
    return result;
}

std::int32_t MessageWindow::Dispatch(WindowMessage message)
{
    return CallProcedure(message);
}

bool MessageWindow::IsWindow(WindowHandle handle) const
{
    if (handle <= 0)
        return false;
    if (handle == m_handle)
        return true;
    int fd = -1;
    if (ConnectTo(EndpointDirectory::EndpointOf(m_directory, handle), fd) != ConnectResult::Connected)
        return false;
    ::close(fd);
    return true;
}

// --- Receiving -----------------------------------------------------------

void MessageWindow::AcceptPending()
{
    for (;;) {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
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

void MessageWindow::MakeRoomForConnection()
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

void MessageWindow::CloseIncoming(int id)
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
void MessageWindow::ReleaseClosed()
{
    if (m_dispatchDepth == 0)
        m_closed.clear();
}

void MessageWindow::ServiceIncoming(int id)
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
            result = CallProcedure({.msg = header.msg, .wParam = header.wParam, .copyData = &descriptor});
        } else {
            result = CallProcedure({.msg = header.msg, .wParam = header.wParam, .lParam = header.lParam});
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

bool MessageWindow::HasCompleteFrame(const Incoming& connection)
{
    if (connection.Busy || connection.Buffer.size() < RequestHeaderSize)
        return false;
    const RequestHeader header =
        RequestFrame::DecodeHeader(std::span<const std::byte, RequestHeaderSize>(connection.Buffer.data(), RequestHeaderSize));
    // A malformed header counts as complete: serving it closes the connection.
    return RequestFrame::Check(header) != HeaderCheck::Valid
        || connection.Buffer.size() >= RequestHeaderSize + header.cbData;
}

void MessageWindow::WatchPartialFrames()
{
    if (m_partialTimer && !m_partialTimer->isActive())
        m_partialTimer->start();
}

bool MessageWindow::ClosePartialFrames()
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

std::optional<std::chrono::milliseconds> MessageWindow::NextPartialFrameDeadline() const
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

void MessageWindow::DispatchPending()
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

bool MessageWindow::PollAndDispatch(std::chrono::milliseconds timeout, int extraFd, short extraEvents)
{
    std::vector<pollfd> fds;
    std::vector<int> ids;
    std::vector<bool> buffered;
    fds.push_back({ m_listenFd, POLLIN, 0 });
    ids.push_back(0);
    buffered.push_back(false);
    bool anyBuffered = false;
    for (const auto& [id, connection] : m_incoming) {
        if (!connection->Busy) {
            fds.push_back({ connection->Fd, POLLIN, 0 });
            ids.push_back(id);
            // Requests left complete in a buffer by the per-turn limit are
            // served now, whether or not more bytes arrive.
            buffered.push_back(HasCompleteFrame(*connection));
            anyBuffered = anyBuffered || buffered.back();
        }
    }
    const std::size_t extraAt = fds.size();
    if (extraFd >= 0)
        fds.push_back({ extraFd, extraEvents, 0 });

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

void MessageWindow::WaitAndDispatch(std::chrono::milliseconds timeout)
{
    ReleaseClosed();
    PollAndDispatch(timeout, -1, 0);
}

void MessageWindow::ProcessPendingEvents()
{
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::processEvents();
    DispatchPending();
}

// --- Sending ------------------------------------------------------------

std::unique_ptr<MessageWindow::Outgoing> MessageWindow::TakeConnection(WindowHandle to, bool fresh,
                                                                       SendStatus& failure)
{
    if (!fresh) {
        auto it = m_idleOutgoing.find(to);
        if (it != m_idleOutgoing.end() && !it->second.empty()) {
            std::unique_ptr<Outgoing> connection = std::move(it->second.back());
            it->second.pop_back();
            return connection;
        }
    }
    int fd = -1;
    switch (ConnectTo(EndpointDirectory::EndpointOf(m_directory, to), fd)) {
    case ConnectResult::Connected: {
        auto connection = std::make_unique<Outgoing>();
        connection->Fd = fd;
        return connection;
    }
    case ConnectResult::NoWindow:
        failure = SendStatus::NoWindow;
        return nullptr;
    case ConnectResult::Failed:
        failure = SendStatus::Broken;
        return nullptr;
    }
    return nullptr;
}

void MessageWindow::ReturnConnection(WindowHandle to, std::unique_ptr<Outgoing> connection)
{
    auto& idle = m_idleOutgoing[to];
    if (idle.size() < MaxIdleOutgoing)
        idle.push_back(std::move(connection));
}

SendOutcome MessageWindow::SendMessage(WindowHandle to, std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam)
{
    if (to <= 0)
        return { SendStatus::NoWindow, 0 };
    if (to == m_handle)
        return {SendStatus::Replied, CallProcedure({.msg = msg, .wParam = wParam, .lParam = lParam})};
    RequestHeader header{msg, wParam, lParam, 0, 0};
    if (RequestFrame::Check(header) != HeaderCheck::Valid)
        return { SendStatus::Invalid, 0 };
    const auto frame = RequestFrame::EncodeHeader(header);
    return Transact(to, frame);
}

SendOutcome MessageWindow::SendCopyData(WindowHandle to, std::uint32_t wParam, std::uint32_t dwData,
                                        std::span<const std::byte> payload)
{
    if (payload.size() > MaxCopyDataBytes)
        return { SendStatus::Invalid, 0 };
    if (to <= 0)
        return { SendStatus::NoWindow, 0 };
    if (to == m_handle) {
        CopyDataStruct descriptor{dwData, static_cast<std::uint32_t>(payload.size()),
                                  payload.empty() ? nullptr : payload.data()};
        return {SendStatus::Replied,
                CallProcedure({.msg = WM_COPYDATA, .wParam = wParam, .copyData = &descriptor})};
    }
    const auto frame = RequestFrame::Encode({ WM_COPYDATA, wParam, 0, dwData, 0 }, payload);
    return Transact(to, frame);
}

SendOutcome MessageWindow::Transact(WindowHandle to, std::span<const std::byte> frame)
{
    ReleaseClosed();
    const auto deadline = std::chrono::steady_clock::now() + m_sendTimeout;
    // A kept connection may lead to a receiver that has ended since; then
    // one fresh connection is tried.
    for (int attempt = 0; attempt < 2; ++attempt) {
        SendStatus failure = SendStatus::NoWindow;
        const auto idle = m_idleOutgoing.find(to);
        const bool reused = attempt == 0 && idle != m_idleOutgoing.end() && !idle->second.empty();
        std::unique_ptr<Outgoing> connection = TakeConnection(to, attempt > 0, failure);
        if (!connection)
            return { failure, 0 };

        std::size_t written = 0;
        bool broken = false;
        while (written < frame.size()) {
            const ssize_t n = ::send(connection->Fd, frame.data() + written, frame.size() - written, MSG_NOSIGNAL);
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
                    return { SendStatus::TimedOut, 0 };
                PollAndDispatch(Remaining(deadline), connection->Fd, POLLOUT);
                continue;
            }
            broken = true;
            break;
        }
        if (broken) {
            if (written == 0 && reused)
                continue;
            return { SendStatus::Broken, 0 };
        }
        SendOutcome outcome = AwaitReply(*connection, deadline);
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
    return { SendStatus::Broken, 0 };
}

SendOutcome MessageWindow::AwaitReply(Outgoing& connection, std::chrono::steady_clock::time_point deadline)
{
    std::array<std::byte, ReplySize> reply {};
    std::size_t got = 0;
    for (;;) {
        for (;;) {
            const ssize_t n = ::recv(connection.Fd, reply.data() + got, reply.size() - got, 0);
            if (n > 0) {
                got += static_cast<std::size_t>(n);
                if (got == reply.size())
                    return { SendStatus::Replied, RequestFrame::DecodeReply(reply) };
                continue;
            }
            if (n == 0)
                return { SendStatus::Broken, got == 0 ? -1 : 0 };
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                break;
            return { SendStatus::Broken, got == 0 ? -1 : 0 };
        }
        const auto left = Remaining(deadline);
        if (left.count() == 0)
            return { SendStatus::TimedOut, 0 };
        PollAndDispatch(left, connection.Fd, POLLIN);
    }
}

} // namespace platform
