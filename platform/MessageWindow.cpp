#include "platform/MessageWindow.h"

#include <QCoreApplication>

#include <unistd.h>

#include "platform/EndpointDirectory.h"
#include "platform/IncomingRequests.h"
#include "platform/RequestFrame.h"
#include "platform/UnixEndpoint.h"

namespace platform {

MessageWindow::OpenResult MessageWindow::Open(WindowProcedure defaultProcedure)
{
    return Open(std::move(defaultProcedure), Options{});
}

MessageWindow::OpenResult MessageWindow::Open(WindowProcedure defaultProcedure, Options options)
{
    OpenResult result;
    const std::filesystem::path directory =
        options.Directory.empty() ? EndpointDirectory::DefaultPath() : options.Directory;
    if (auto error = EndpointDirectory::Prepare(directory)) {
        result.Error = *error;
        return result;
    }
    const WindowHandle handle = options.Handle != 0 ? options.Handle : static_cast<WindowHandle>(::getpid());
    if (handle <= 0) {
        result.Error = "a window handle must be positive";
        return result;
    }
    UnixEndpoint::ListenResult listening = UnixEndpoint::Listen(EndpointDirectory::EndpointOf(directory, handle), handle);
    if (!listening.Socket.Valid()) {
        result.Error = listening.Error;
        return result;
    }
    result.Window.reset(
        new MessageWindow(handle, directory, std::move(listening.Socket), std::move(defaultProcedure), options));
    return result;
}

MessageWindow::MessageWindow(WindowHandle handle, std::filesystem::path directory, FileDescriptor listening,
                             WindowProcedure procedure, const Options& options)
    : m_handle(handle)
    , m_directory(std::move(directory))
    , m_procedure(std::move(procedure))
    , m_sendTimeout(options.SendTimeout)
    , m_incoming(std::make_unique<IncomingRequests>(
          std::move(listening), options.UseQtNotifiers && QCoreApplication::instance() != nullptr,
          [this](const WindowMessage& message) { return CallProcedure(message); }))
    , m_sender(m_directory)
{
}

MessageWindow::~MessageWindow()
{
    m_incoming.reset();
    ::unlink(EndpointPath().c_str());
}

std::filesystem::path MessageWindow::EndpointPath() const
{
    return EndpointDirectory::EndpointOf(m_directory, m_handle);
}

WindowProcedure MessageWindow::SetWindowProcedure(WindowProcedure procedure)
{
    WindowProcedure previous = std::move(m_procedure);
    m_procedure = std::move(procedure);
    return previous;
}

std::int32_t MessageWindow::CallProcedure(WindowMessage message)
{
    message.hwnd = m_handle;
    // The procedure may replace itself while it runs; call a copy.
    const WindowProcedure procedure = m_procedure;
    const IncomingRequests::ProcedureRun running(*m_incoming);
    return CallWindowProc(procedure, message);
}

std::int32_t MessageWindow::Dispatch(WindowMessage message)
{
    return CallProcedure(message);
}

bool MessageWindow::IsWindow(WindowHandle handle) const
{
    if (handle <= 0)
        return false;
    if (handle == m_handle)
        return true;
    int fd = -1;
    if (UnixEndpoint::Connect(EndpointDirectory::EndpointOf(m_directory, handle), fd) != UnixEndpoint::ConnectResult::Connected)
        return false;
    ::close(fd);
    return true;
}

void MessageWindow::DispatchPending()
{
    m_incoming->DispatchPending();
}

void MessageWindow::WaitAndDispatch(std::chrono::milliseconds timeout)
{
    m_incoming->ReleaseClosed();
    m_incoming->PollAndDispatch(timeout, -1, 0);
}

void MessageWindow::ProcessPendingEvents()
{
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::processEvents();
    DispatchPending();
}

std::size_t MessageWindow::IncomingConnectionCount() const
{
    return m_incoming->ConnectionCount();
}

SendOutcome MessageWindow::SendMessage(WindowHandle to, std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam)
{
    if (to <= 0)
        return {SendStatus::NoWindow, 0};
    if (to == m_handle)
        return {SendStatus::Replied, CallProcedure({.msg = msg, .wParam = wParam, .lParam = lParam})};
    RequestHeader header{msg, wParam, lParam, 0, 0};
    if (RequestFrame::Check(header) != HeaderCheck::Valid)
        return {SendStatus::Invalid, 0};
    const auto frame = RequestFrame::EncodeHeader(header);
    return Transact(to, frame);
}

SendOutcome MessageWindow::SendCopyData(WindowHandle to, std::uint32_t wParam, std::uint32_t dwData,
                                        std::span<const std::byte> payload)
{
    if (payload.size() > MaxCopyDataBytes)
        return {SendStatus::Invalid, 0};
    if (to <= 0)
        return {SendStatus::NoWindow, 0};
    if (to == m_handle) {
        CopyDataStruct descriptor{dwData, static_cast<std::uint32_t>(payload.size()),
                                  payload.empty() ? nullptr : payload.data()};
        return {SendStatus::Replied,
                CallProcedure({.msg = WM_COPYDATA, .wParam = wParam, .copyData = &descriptor})};
    }
    const auto frame = RequestFrame::Encode({WM_COPYDATA, wParam, 0, dwData, 0}, payload);
    return Transact(to, frame);
}

SendOutcome MessageWindow::Transact(WindowHandle to, std::span<const std::byte> frame)
{
    m_incoming->ReleaseClosed();
    // While the send waits, this window's own endpoint is served (nested requests).
    return m_sender.Transact(to, frame, m_sendTimeout, [this](std::chrono::milliseconds limit, int fd, short events) {
        m_incoming->PollAndDispatch(limit, fd, events);
    });
}

} // namespace platform
