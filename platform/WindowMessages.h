#pragma once
// Window messages between programs: the message numbers, the copy-data
// descriptor and the window-procedure type.
//
// A window that takes part is named by a handle, a positive 32-bit number
// (the process id of the program that owns it). Messages reach the window's
// current window procedure as (hwnd, msg, wParam, lParam); the procedure's
// result is the sender's reply. For WM_COPYDATA lParam is the address of a
// CopyDataStruct in the receiver's memory, valid only during the call.
#include <cstdint>
#include <functional>

namespace platform {

using WindowHandle = std::int32_t; // 0 names no window

inline constexpr std::uint32_t WM_COPYDATA = 0x004A;
inline constexpr std::uint32_t WM_SYSCOMMAND = 0x0112;
inline constexpr std::uint32_t WM_MOUSEWHEEL = 0x020A; // local only, never on the wire
inline constexpr std::uint32_t WM_USER = 0x0400;
inline constexpr std::uint32_t SC_CLOSE = 0xF060;

// The copy-data descriptor a WM_COPYDATA procedure receives through lParam.
struct CopyDataStruct {
    std::uint32_t dwData = 0;
    std::uint32_t cbData = 0;
    const void* lpData = nullptr;
};

// lParam is pointer-sized so that it can carry a CopyDataStruct address; on
// the wire it is a signed 32-bit value.
using WindowProcedure =
    std::function<std::int32_t(WindowHandle hwnd, std::uint32_t msg, std::uint32_t wParam, std::intptr_t lParam)>;

// Calls a kept procedure; an empty one answers 0, as default processing does
// for messages it does not know.
inline std::int32_t CallWindowProc(const WindowProcedure& procedure, WindowHandle hwnd, std::uint32_t msg,
                                   std::uint32_t wParam, std::intptr_t lParam)
{
    return procedure ? procedure(hwnd, msg, wParam, lParam) : 0;
}

// The CopyDataStruct of a WM_COPYDATA lParam.
inline const CopyDataStruct& CopyDataOf(std::intptr_t lParam)
{
    return *reinterpret_cast<const CopyDataStruct*>(lParam);
}

} // namespace platform
