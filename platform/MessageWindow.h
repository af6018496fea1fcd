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
// be destroyed from inside its own window procedure. The receiving side is
// IncomingRequests, the sending side RequestSender, the sockets UnixEndpoint.
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

#include "platform/RequestSender.h"
#include "platform/SendOutcome.h"
#include "platform/WindowMessages.h"

namespace platform {

class IncomingRequests;

inline constexpr std::uint32_t MaxCopyDataBytes = 65536;
inline constexpr std::chrono::milliseconds DefaultSendTimeout{1000};

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
    std::size_t IncomingConnectionCount() const;

private:
    MessageWindow(WindowHandle handle, std::filesystem::path directory, FileDescriptor listening,
                  WindowProcedure procedure, const Options& options);

    std::int32_t CallProcedure(WindowMessage message);
    SendOutcome Transact(WindowHandle to, std::span<const std::byte> frame);

    WindowHandle m_handle;
    std::filesystem::path m_directory;
    WindowProcedure m_procedure;
    std::chrono::milliseconds m_sendTimeout;
    std::unique_ptr<IncomingRequests> m_incoming;
    RequestSender m_sender;
};

} // namespace platform
