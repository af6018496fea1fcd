#pragma once
// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the user-interface
// thread. The signal handler only writes one byte to a pipe; a thread of the
// bridge's own reads it and hands the signal to the user-interface thread as
// an ordinary event. The pipe is not watched by the user-interface thread's
// event loop, which polls its descriptors on every tick of the play loop.
// At most one bridge exists at a time; the previous handlers are put back
// when it ends.
#include <QObject>

#include <thread>

class SignalBridge : public QObject {
    Q_OBJECT
public:
    explicit SignalBridge(QObject* parent = nullptr);
    ~SignalBridge() override;
    SignalBridge(const SignalBridge&) = delete;
    SignalBridge& operator=(const SignalBridge&) = delete;

    // False when the pipe or the handlers could not be set up.
    bool IsActive() const { return m_active; }

signals:
    // One of the three signals arrived; signalNumber tells which.
    void TerminationRequested(int signalNumber);

private:
    void ReadSignals();

    int m_fds[2] = {-1, -1};
    bool m_active = false;
    std::thread m_reader;
};
