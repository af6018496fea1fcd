#pragma once
// An assist's side of the link to the player: installs AssistWndProc on the
// assist's message window (the previous procedure kept and called on),
// announces the window, sends commands, reports the close,
// and hands the player's payloads to the assist while guarding against
// re-entry with the busy flag bInHook.
#include <cstdint>
#include <functional>

#include "platform/MessageWindow.h"
#include "protocol/AssistArguments.h"

namespace protocol {

class AssistLink {
public:
    // Called for each WM_COPYDATA the window receives while not busy, with
    // its payload code (wParam) and descriptor.
    using CopyDataHandler = std::function<void(std::uint32_t wParam, const platform::CopyDataStruct& data)>;

    AssistLink(platform::MessageWindow& window, AssistArguments arguments, CopyDataHandler onCopyData);
    ~AssistLink(); // puts the previous window procedure back
    AssistLink(const AssistLink&) = delete;
    AssistLink& operator=(const AssistLink&) = delete;

    // Installs AssistWndProc, announces this window (CmdAnnounce | index,
    // own handle) and processes pending events.
    void Link();
    bool Linked() const { return m_linked; }
    // Puts the previous procedure back (when linked).
    void Unlink();

    // A command to the player, then pending events are processed.
    void SendCommand(std::uint32_t word, std::int32_t lParam);
    // A command carrying this window's handle (requests, minimize, restore).
    void SendCommandWithHandle(std::uint32_t word);
    // The close report (CmdClosing with own handle), when linked.
    void ReportClosing();

    bool InHook() const { return m_inHook; }
    const AssistArguments& Arguments() const { return m_arguments; }
    platform::MessageWindow& Window() { return m_window; }

    std::int32_t AssistWndProc(const platform::WindowMessage& message);

private:
    platform::MessageWindow& m_window;
    AssistArguments m_arguments;
    CopyDataHandler m_onCopyData;
    platform::WindowProcedure m_previousProcedure;
    bool m_linked = false;
    bool m_inHook = false;
};

} // namespace protocol
