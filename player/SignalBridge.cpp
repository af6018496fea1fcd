#include "player/SignalBridge.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <system_error>
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
    // The reader blocks on its end; the handler never does on its own.
    if (::pipe2(m_fds, O_CLOEXEC) != 0) return;
    ::fcntl(m_fds[1], F_SETFL, O_NONBLOCK);
    try {
        m_reader = std::thread([this] { ReadSignals(); });
    } catch (const std::system_error&) {
        return; // inactive: the signals keep their earlier handlers
    }
    g_writeFd = m_fds[1];
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &action, &g_previous[i]);
    m_active = true;
}

SignalBridge::~SignalBridge()
{
    if (m_active) {
        for (std::size_t i = 0; i < kSignals.size(); ++i)
            ::sigaction(kSignals[i], &g_previous[i], nullptr);
        g_writeFd = -1;
    }
    // Closing the write end ends the reader: its read returns end of file.
    if (m_fds[1] >= 0) ::close(m_fds[1]);
    if (m_reader.joinable()) m_reader.join();
    if (m_fds[0] >= 0) ::close(m_fds[0]);
}

void SignalBridge::ReadSignals()
{
    while (true) {
        unsigned char byte = 0;
        const ssize_t n = ::read(m_fds[0], &byte, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n != 1) return;
        const int signalNumber = byte;
        QMetaObject::invokeMethod(
            this, [this, signalNumber] { emit TerminationRequested(signalNumber); }, Qt::QueuedConnection);
    }
}
