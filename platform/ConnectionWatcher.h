#pragma once
// Watches a listening socket on a thread of its own and, when a peer waits
// to be accepted, calls a function on the thread of a Qt object; it watches
// again only once that call has run, so a connection not yet accepted does
// not call twice.
//
// A listening socket watched by the user-interface thread's event loop is
// one more descriptor that loop polls on every tick of the play loop; here
// only this thread polls it, and it sleeps until a peer connects. Accepting
// stays with the caller, on its own thread, so that a caller that polls the
// socket itself meanwhile (a nested send waiting for its reply) still finds
// the connection there.
//
// Threads: made and destroyed on the context's thread; the destructor ends
// the watching thread before it returns.
#include "platform/FileDescriptor.h"

#include <functional>
#include <thread>

class QObject;

namespace platform {

class ConnectionWatcher {
public:
    // listeningFd stays the caller's and must outlive the watcher.
    ConnectionWatcher(int listeningFd, QObject* context, std::function<void()> waiting);
    ~ConnectionWatcher();
    ConnectionWatcher(const ConnectionWatcher&) = delete;
    ConnectionWatcher& operator=(const ConnectionWatcher&) = delete;

    // False when the thread could not be set up; nothing is watched then.
    bool Running() const { return m_thread.joinable(); }

private:
    void Run();

    int m_listening;
    QObject* m_context;
    std::function<void()> m_waiting;
    FileDescriptor m_handled; // an eventfd: the last call has run
    FileDescriptor m_stop;    // an eventfd: the watcher should end
    std::thread m_thread;
};

} // namespace platform
