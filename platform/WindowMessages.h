#pragma once
// Window messages between programs: the message numbers, the copy-data
// descriptor and the window-procedure type.
//
// A window that takes part is named by a handle, a positive 32-bit number
// (the process id of the program that owns it). Messages reach the window's
// current window procedure as a WindowMessage; the procedure's result is the
// sender's reply.
#include <cstdint>
#include <functional>

namespace platform {

using WindowHandle = std::int32_t; // 0 names no window

inline constexpr std::uint32_t WM_COPYDATA = 0x004A;
inline constexpr std::uint32_t WM_SYSCOMMAND = 0x0112;
inline constexpr std::uint32_t WM_USER = 0x0400;
inline constexpr std::uint32_t SC_CLOSE = 0xF060;

// The copy-data descriptor a WM_COPYDATA procedure receives through lParam.
struct CopyDataStruct {
    std::uint32_t dwData = 0;
    std::uint32_t cbData = 0;
    const void* lpData = nullptr;
};

// One message as a window procedure receives it. A WM_COPYDATA carries its
// descriptor in copyData, which points into the receiver's memory and is
// valid only during the call; every other message has no descriptor.
struct WindowMessage {
    WindowHandle hwnd = 0; // the window the message reached
    std::uint32_t msg = 0;
    std::uint32_t wParam = 0;
    std::int32_t lParam = 0;
    const CopyDataStruct* copyData = nullptr;
};

using WindowProcedure = std::function<std::int32_t(const WindowMessage& message)>;

// Calls a kept procedure; an empty one answers 0, as default processing does
// for messages it does not know.
inline std::int32_t CallWindowProc(const WindowProcedure& procedure, const WindowMessage& message)
{
    return procedure ? procedure(message) : 0;
}

} // namespace platform
