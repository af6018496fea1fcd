// The wire frames of the message window: the input is what a hostile local
// client writes to a window's endpoint, cut into pieces of random sizes (the
// piece sizes come from the end of the input, the bytes from its front).
// After each piece the window dispatches what has arrived, as its event loop
// does; the client reads whatever replies come. When the client hangs up,
// the window must have closed the connection.
#include "platform/MessageWindow.h"
#include "protocol/AnalyzeRecord.h"
#include "protocol/PlayStateRecord.h"
#include "protocol/RecordPayload.h"
#include "protocol/SongInfoRecord.h"
#include "fuzz/FuzzScratch.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <vector>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// What the player and the assists do with a request: copy a payload into the
// record of its size and read every byte of it.
std::int32_t Procedure(const platform::WindowMessage& message)
{
    if (!message.copyData)
        return static_cast<std::int32_t>(message.wParam ^ static_cast<std::uint32_t>(message.lParam));
    const platform::CopyDataStruct& data = *message.copyData;
    protocol::SongInfoRecord song;
    protocol::AnalyzeRecord analyze;
    protocol::PlayStateRecord state;
    std::int32_t sum = 0;
    if (protocol::CopyPayload(song, data.lpData, data.cbData)) sum += song.TrackName[0];
    if (protocol::CopyPayload(analyze, data.lpData, data.cbData)) sum += 1;
    if (protocol::CopyPayload(state, data.lpData, data.cbData)) sum += 2;
    const auto* bytes = static_cast<const unsigned char*>(data.lpData);
    for (std::uint32_t i = 0; i < data.cbData; ++i)
        sum += bytes[i];
    return sum;
}

platform::MessageWindow& Window()
{
    static const std::unique_ptr<platform::MessageWindow> window = [] {
        const std::filesystem::path folder = fuzz::FuzzScratch::Folder() + "endpoints";
        std::filesystem::create_directories(folder);
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
        platform::MessageWindow::Options options;
        options.Directory = folder;
        options.UseQtNotifiers = false;
        platform::MessageWindow::OpenResult opened = platform::MessageWindow::Open(Procedure, options);
        if (!opened.Window) throw std::runtime_error("cannot open the message window: " + opened.Error);
        return std::move(opened.Window);
    }();
    return *window;
}

class Client {
public:
    explicit Client(const std::filesystem::path& endpoint)
        : m_fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0))
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, endpoint.c_str(), sizeof address.sun_path - 1);
        if (m_fd < 0 || ::connect(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
            throw std::runtime_error("cannot connect to the message window");
    }
    ~Client() { Close(); }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    // Sends as much of the piece as the socket takes; false once the window
    // has closed the connection.
    bool Send(const std::uint8_t* data, std::size_t size, platform::MessageWindow& window)
    {
        std::size_t sent = 0;
        for (int attempt = 0; sent < size && attempt < 64; ++attempt) {
            const ssize_t n = ::send(m_fd, data + sent, size - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n > 0) {
                sent += static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return false;
            window.DispatchPending();
            DrainReplies();
        }
        return true;
    }
    void DrainReplies()
    {
        unsigned char buffer[4096];
        while (::recv(m_fd, buffer, sizeof buffer, MSG_DONTWAIT) > 0) {
        }
    }
    void HangUp() { ::shutdown(m_fd, SHUT_WR); }
    void Close()
    {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    platform::MessageWindow& window = Window();
    FuzzedDataProvider provider(data, size);
    {
        Client client(window.EndpointPath());
        window.DispatchPending();
        while (provider.remaining_bytes() > 0) {
            const std::size_t length = provider.ConsumeIntegralInRange<std::size_t>(1, 70000);
            const std::vector<std::uint8_t> piece = provider.ConsumeBytes<std::uint8_t>(length);
            if (!client.Send(piece.data(), piece.size(), window)) break;
            window.DispatchPending();
            client.DrainReplies();
        }
        client.HangUp();
        window.DispatchPending();
        client.DrainReplies();
    }
    // A client that has gone leaves no connection behind, once the window has
    // answered what it had sent (a bounded number of requests per turn).
    for (int turn = 0; turn < 100000 && window.IncomingConnectionCount() != 0; ++turn)
        window.DispatchPending();
    if (window.IncomingConnectionCount() != 0) __builtin_trap();
    return 0;
}
