#pragma once
// A window that takes part in messages between programs: it owns an endpoint
// (a Unix-domain stream socket at DIR/HANDLE, see EndpointDirectory), a
// current window procedure and a user-data slot, and sends synchronous
// messages to other windows.
//
// Wire format (little-endian): a 20-byte request header
//   uint32 msg, uint32 wParam, int32 lParam, uint32 dwData, uint32 cbData
// followed by cbData payload bytes (WM_COPYDATA only, at most 65,536), and an
// int32 reply. A connection carries any number of requests, one at a time.
//
// Receiving: each complete request goes to the current window procedure; its
// result is the reply. Requests are read without blocking into a buffer per
// connection, so a peer that sends garbage, half a frame or nothing cannot
// stall the receiver; a malformed frame closes its connection unanswered, and
// so does a frame left partial with nothing more arriving for 2 s. Whatever is
// complete in a buffer is answered without waiting for more bytes; after 16
// requests of one connection the others (and, with Qt, the event loop) get
// their turn first. The endpoint socket has mode 0600.
// With a Qt event loop running, socket notifiers dispatch requests whenever
// events are processed; DispatchPending() does the same without Qt.
//
// Sending blocks until the reply arrives or the send timeout (1 s) passes;
// while it waits it dispatches requests arriving at this window's own
// endpoint (nested), and nothing else. A send to a handle that names no
// window returns at once.
//
// Everything runs on the thread that created the window; the window must not
// be destroyed from inside its own window procedure.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/WindowMessages.h"

class QSocketNotifier;
class QTimer;

namespace platform {

enum class SendStatus {
    Replied,   // the receiver answered; Result() is its reply
    NoWindow,  // the handle names no window (nothing listens there)
    TimedOut,  // no reply within the send timeout; the connection was dropped
    Broken,    // the connection ended before the reply
    Invalid,   // the request itself cannot be sent (payload too large)
};

struct SendOutcome {
    SendStatus Status = SendStatus::NoWindow;
    std::int32_t Reply = 0;
    // The reply when one came, else 0.
    std::int32_t Result() const { return Status == SendStatus::Replied ? Reply : 0; }
    bool Delivered() const { return Status == SendStatus::Replied; }
};

inline constexpr std::uint32_t MaxCopyDataBytes = 65536;
inline constexpr std::chrono::milliseconds DefaultSendTimeout { 1000 };

class MessageWindow {
public:
    struct Options {
        // The handle to listen as; 0 means this process's id.
        WindowHandle Handle = 0;
        // The endpoint folder; empty means EndpointDirectory::Default().
        std::filesystem::path Directory;
        std::chrono::milliseconds SendTimeout = DefaultSendTimeout;
        // Install QSocketNotifiers when a QCoreApplication exists.
        bool UseQtNotifiers = true;
    };

    struct OpenResult {
        std::unique_ptr<MessageWindow> Window;
        std::string Error; // why no window could be opened
    };

    // Opens the endpoint. Fails when the folder is refused (owned by another
    // user, writable by others) or a live window already uses the handle; a
    // stale socket file is replaced.
    [[nodiscard]] static OpenResult Open(WindowProcedure defaultProcedure, Options options);
    [[nodiscard]] static OpenResult Open(WindowProcedure defaultProcedure);

    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    WindowHandle Handle() const { return m_handle; }
    const std::filesystem::path& Directory() const { return m_directory; }
    std::filesystem::path EndpointPath() const;

    // The window procedure chain. SetWindowProcedure installs a procedure and
    // returns the one it replaces; a replacement keeps that one and calls it
    // on (CallWindowProc) for what it does not handle itself.
    const WindowProcedure& CurrentProcedure() const { return m_procedure; }
    WindowProcedure SetWindowProcedure(WindowProcedure procedure);

    // Hands a message to the current procedure as if this window had sent it
    // to itself; its hwnd is set to this window's handle.
    std::int32_t Dispatch(WindowMessage message);

    // Synchronous sends. A send to this window's own handle calls the
    // procedure directly.
    SendOutcome SendMessage(WindowHandle to, std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam);
    SendOutcome SendCopyData(WindowHandle to, std::uint32_t wParam, std::uint32_t dwData,
                             std::span<const std::byte> payload);

    // A handle names a window exactly when a connect to its endpoint succeeds.
    bool IsWindow(WindowHandle handle) const;

    // Dispatches every request that has fully arrived, without blocking.
    void DispatchPending();
    // Waits up to the timeout for requests and dispatches them (for programs
    // and tests without a Qt event loop). Returns after the first batch.
    void WaitAndDispatch(std::chrono::milliseconds timeout);
    // Processes pending Qt events (when an application exists), then pending requests.
    void ProcessPendingEvents();

    std::chrono::milliseconds SendTimeout() const { return m_sendTimeout; }
    void SetSendTimeout(std::chrono::milliseconds timeout) { m_sendTimeout = timeout; }

    // Number of incoming connections currently open (for tests and diagnostics).
    std::size_t IncomingConnectionCount() const { return m_incoming.size(); }

private:
    struct Incoming;
    struct Outgoing;

    MessageWindow(WindowHandle handle, std::filesystem::path directory, int listenFd, WindowProcedure procedure,
                  const Options& options);

    void AcceptPending();
    void ServiceIncoming(int id);
    void CloseIncoming(int id);
    void MakeRoomForConnection();
    void ReleaseClosed();
    static bool HasCompleteFrame(const Incoming& connection);
    // Arms the check for partial frames (with Qt).
    void WatchPartialFrames();
    // Closes the connections whose partial frame has waited too long; true
    // while other partial frames still wait.
    bool ClosePartialFrames();
    // How long until the first partial frame reaches its limit, if any waits.
    std::optional<std::chrono::milliseconds> NextPartialFrameDeadline() const;
    std::int32_t CallProcedure(WindowMessage message);
    std::unique_ptr<Outgoing> TakeConnection(WindowHandle to, bool fresh, SendStatus& failure);
    void ReturnConnection(WindowHandle to, std::unique_ptr<Outgoing> connection);
    SendOutcome Transact(WindowHandle to, std::span<const std::byte> frame);
    SendOutcome AwaitReply(Outgoing& connection, std::chrono::steady_clock::time_point deadline);
    // Polls the listening socket and the idle incoming connections, plus one
    // extra descriptor (or -1); dispatches what arrived. Returns whether the
    // extra descriptor became ready.
    bool PollAndDispatch(std::chrono::milliseconds timeout, int extraFd, short extraEvents);

    WindowHandle m_handle;
    std::filesystem::path m_directory;
    int m_listenFd;
    WindowProcedure m_procedure;
    std::chrono::milliseconds m_sendTimeout;
    bool m_useQt;
    std::unique_ptr<QSocketNotifier> m_listenNotifier;
    std::unique_ptr<QTimer> m_partialTimer;
    std::map<int, std::unique_ptr<Incoming>> m_incoming;
    std::vector<std::unique_ptr<Incoming>> m_closed; // released once no dispatch runs
    std::map<WindowHandle, std::vector<std::unique_ptr<Outgoing>>> m_idleOutgoing;
    int m_nextIncomingId = 1;
    int m_dispatchDepth = 0;
};

} // namespace platform
