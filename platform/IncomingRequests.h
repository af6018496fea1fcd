#pragma once
// The receiving side of a message window: its listening socket and the
// connections peers open to it.
//
// Requests are read without blocking into a buffer per connection, so a peer
// that sends garbage, half a frame or nothing cannot stall the receiver. Each
// complete request goes to the handler; its result is the reply. A malformed
// frame closes its connection unanswered, and so does a frame left partial
// with nothing more arriving for 2 s. At most 64 connections are kept: a new
// one pushes out the oldest that never completed a request, else the oldest
// idle one. After 16 requests of one connection the others (and, with Qt, the
// event loop) get their turn; what is complete in a buffer is answered
// without waiting for more bytes.
//
// With Qt, a thread of its own watches for new connections and the event
// loop serves them through notifiers; without, the owner calls
// DispatchPending or PollAndDispatch.
//
// Threads: everything runs on the thread that made the object. The handler
// may call back into it (a nested send polls it); a connection closed
// meanwhile may still be on the stack, so closed connections are freed only
// at the next entry from outside while no window procedure runs.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/ConnectionWatcher.h"
#include "platform/FileDescriptor.h"
#include "platform/WindowMessages.h"

class QObject;
class QSocketNotifier;
class QTimer;

namespace platform {

class IncomingRequests {
public:
    using Handler = std::function<std::int32_t(const WindowMessage& message)>;

    // listening: a listening socket, now owned. useQt: serve through Qt
    // socket notifiers (a QCoreApplication must exist).
    IncomingRequests(FileDescriptor listening, bool useQt, Handler handler);
    ~IncomingRequests();
    IncomingRequests(const IncomingRequests&) = delete;
    IncomingRequests& operator=(const IncomingRequests&) = delete;

    // Held while a window procedure runs, however it was called.
    class ProcedureRun {
    public:
        explicit ProcedureRun(IncomingRequests& requests)
            : m_requests(requests)
        {
            ++m_requests.m_procedureDepth;
        }
        ~ProcedureRun() { --m_requests.m_procedureDepth; }
        ProcedureRun(const ProcedureRun&) = delete;
        ProcedureRun& operator=(const ProcedureRun&) = delete;

    private:
        IncomingRequests& m_requests;
    };

    // Accepts new connections and dispatches every request that has fully
    // arrived, without blocking.
    void DispatchPending();
    // Polls the listening socket and the idle connections, plus one extra
    // descriptor (or -1), for at most the timeout (shortened to the first
    // partial-frame limit, and to nothing when requests wait in a buffer);
    // dispatches what arrived. Returns whether the extra descriptor became ready.
    bool PollAndDispatch(std::chrono::milliseconds timeout, int extraFd, short extraEvents);
    // Frees the closed connections unless a window procedure runs.
    void ReleaseClosed();

    std::size_t ConnectionCount() const { return m_incoming.size(); }

private:
    struct Incoming;

    void AcceptPending();
    void ServiceIncoming(int id);
    void CloseIncoming(int id);
    void MakeRoomForConnection();
    static bool HasCompleteFrame(const Incoming& connection);
    // Arms the check for partial frames (with Qt).
    void WatchPartialFrames();
    // Closes the connections whose partial frame has waited too long; true
    // while other partial frames still wait.
    bool ClosePartialFrames();
    // How long until the first partial frame reaches its limit, if any waits.
    std::optional<std::chrono::milliseconds> NextPartialFrameDeadline() const;

    FileDescriptor m_listening;
    bool m_useQt;
    Handler m_handler;
    std::unique_ptr<QObject> m_qtContext; // where the watcher's calls run
    std::unique_ptr<ConnectionWatcher> m_listenWatcher;
    std::unique_ptr<QSocketNotifier> m_listenNotifier; // when the watcher has no thread
    std::unique_ptr<QTimer> m_partialTimer;
    std::map<int, std::unique_ptr<Incoming>> m_incoming;
    std::vector<std::unique_ptr<Incoming>> m_closed; // released once no procedure runs
    int m_nextIncomingId = 1;
    int m_procedureDepth = 0;
};

} // namespace platform
