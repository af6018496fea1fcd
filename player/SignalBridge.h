#pragma once
// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the user-interface
// thread, through a self-pipe watched by a QSocketNotifier: the signal handler
// only writes one byte, everything else runs as an ordinary event. At most one
// bridge exists at a time; the previous handlers are put back when it ends.
#include <QObject>

#include <memory>

class QSocketNotifier;

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
    void OnReadable();

    int m_fds[2] = {-1, -1};
    bool m_active = false;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
