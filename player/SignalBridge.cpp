#include "player/SignalBridge.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> kSignals{SIGTERM, SIGINT, SIGHUP};

// The write end of the pipe, read by the async-signal-safe handler only.
volatile std::sig_atomic_t g_writeFd = -1;
struct sigaction g_previous[3];

void OnSignal(int signalNumber)
{
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    if (g_writeFd >= 0) {
        [[maybe_unused]] const ssize_t n = ::write(g_writeFd, &byte, 1);
    }
    errno = savedErrno;
}

} // namespace

SignalBridge::SignalBridge(QObject* parent)
    : QObject(parent)
{
    if (g_writeFd >= 0) return; // another bridge is active
    if (::pipe2(m_fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    g_writeFd = m_fds[1];
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &action, &g_previous[i]);
    m_notifier = std::make_unique<QSocketNotifier>(m_fds[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { OnReadable(); });
    m_active = true;
}

SignalBridge::~SignalBridge()
{
    if (m_active) {
        for (std::size_t i = 0; i < kSignals.size(); ++i)
            ::sigaction(kSignals[i], &g_previous[i], nullptr);
        g_writeFd = -1;
    }
    m_notifier.reset();
    for (int fd : m_fds) {
        if (fd >= 0) ::close(fd);
    }
}

void SignalBridge::OnReadable()
{
    unsigned char byte = 0;
    int last = 0;
    while (::read(m_fds[0], &byte, 1) == 1)
        last = byte;
    if (last != 0) emit TerminationRequested(last);
}
