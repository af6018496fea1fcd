// The play loop's tick while hostile local clients talk to the message
// window: a precise 10-ms Qt timer (as the play timer) and the window served
// by socket notifiers on the same event loop, for WINDOW seconds each:
//   quiet  no client at all (the reference of the same run);
//   drip   one client sending one byte a second, frames never complete;
//   chatty one client sending whole requests as fast as it is answered.
// Prints the tick spacing (median, p99, max, in ms) of each phase.
// Usage: SlowClientTicks [SECONDS]   (default 10)
#include "platform/MessageWindow.h"
#include "platform/RequestFrame.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

int Connect(const std::string& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    std::strncpy(a.sun_path, path.c_str(), sizeof a.sun_path - 1);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void Report(const char* phase, std::vector<double> spacing)
{
    if (spacing.empty())
        return;
    std::sort(spacing.begin(), spacing.end());
    const auto at = [&](double q) { return spacing[std::min(spacing.size() - 1, static_cast<size_t>(q * spacing.size()))]; };
    std::printf("%-7s ticks %6zu  median %6.2f ms  p99 %6.2f ms  max %7.2f ms\n", phase, spacing.size(), at(0.5),
                at(0.99), spacing.back());
}

std::vector<double> Ticks(int seconds)
{
    std::vector<double> spacing;
    QElapsedTimer clock;
    clock.start();
    qint64 last = -1;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (last >= 0)
            spacing.push_back(static_cast<double>(now - last) / 1e6);
        last = now;
    });
    timer.start();
    while (clock.elapsed() < seconds * 1000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return spacing;
}

} // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each phase's line as it ends
    QCoreApplication app(argc, argv);
    char dir[] = "/tmp/zticks-XXXXXX";
    if (!::mkdtemp(dir))
        return 1;
    platform::MessageWindow::Options options;
    options.Directory = dir;
    options.Handle = 4242;
    auto opened = platform::MessageWindow::Open(
        [](const platform::WindowMessage& m) {
            return static_cast<std::int32_t>(m.wParam);
        },
        options);
    if (!opened.Window) {
        std::fprintf(stderr, "%s\n", opened.Error.c_str());
        return 1;
    }
    const std::string path = opened.Window->EndpointPath().string();

    Report("quiet", Ticks(seconds));

    std::atomic<bool> stop{false};
    std::thread drip([&] {
        const int fd = Connect(path);
        const auto header = platform::RequestFrame::EncodeHeader({platform::WM_USER, 1, 0, 0, 0});
        for (size_t i = 0; !stop && fd >= 0; ++i) {
            ::send(fd, header.data() + i % (header.size() - 1), 1, MSG_NOSIGNAL);
            for (int w = 0; w < 10 && !stop; ++w)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        if (fd >= 0)
            ::close(fd);
    });
    Report("drip", Ticks(seconds));
    stop = true;
    drip.join();

    stop = false;
    std::thread chatty([&] {
        while (!stop) {
            const int fd = Connect(path);
            if (fd < 0)
                return;
            // Once the phase ends nobody serves the window: a reply that will
            // never come must not keep the client from seeing the stop.
            const timeval wait{0, 200'000};
            ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
            const auto header = platform::RequestFrame::EncodeHeader({platform::WM_USER, 7, 0, 0, 0});
            std::byte reply[4];
            while (!stop && ::send(fd, header.data(), header.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(header.size()) && ::recv(fd, reply, sizeof reply, MSG_WAITALL) == 4) {
            }
            ::close(fd);
        }
    });
    Report("chatty", Ticks(seconds));
    stop = true;
    chatty.join();
    opened.Window.reset();
    ::rmdir(dir);
    return 0;
}
