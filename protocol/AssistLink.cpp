#include "protocol/AssistLink.h"

#include "protocol/CommandWords.h"

namespace protocol {

AssistLink::AssistLink(platform::MessageWindow& window, AssistArguments arguments, CopyDataHandler onCopyData)
    : m_window(window)
    , m_arguments(arguments)
    , m_onCopyData(std::move(onCopyData))
{
}

AssistLink::~AssistLink()
{
    Unlink();
}

void AssistLink::Link()
{
    if (m_linked)
        return;
    m_previousProcedure =
        m_window.SetWindowProcedure([this](const platform::WindowMessage& message) { return AssistWndProc(message); });
    m_linked = true;
    SendCommand(MakeCommand(CmdAnnounce, static_cast<std::uint32_t>(m_arguments.AssistIndex)), m_window.Handle());
}

void AssistLink::Unlink()
{
    if (!m_linked)
        return;
    m_window.SetWindowProcedure(std::move(m_previousProcedure));
    m_previousProcedure = {};
    m_linked = false;
}

void AssistLink::SendCommand(std::uint32_t word, std::int32_t lParam)
{
    m_window.SendMessage(m_arguments.PlayerHwnd, platform::WM_USER, word, lParam);
    m_window.ProcessPendingEvents();
}

void AssistLink::SendCommandWithHandle(std::uint32_t word)
{
    SendCommand(word, m_window.Handle());
}

void AssistLink::ReportClosing()
{
    if (m_linked)
        SendCommandWithHandle(CmdClosing);
}

std::int32_t AssistLink::AssistWndProc(const platform::WindowMessage& message)
{
    if (!m_inHook) {
        m_inHook = true;
        struct Clear {
            bool& flag;
            ~Clear() { flag = false; }
        } clear{m_inHook};
        if (message.copyData && m_onCopyData)
            m_onCopyData(message.wParam, *message.copyData);
    }
    return platform::CallWindowProc(m_previousProcedure, message);
}

} // namespace protocol
