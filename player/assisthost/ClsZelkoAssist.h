#pragma once
// One entry of the player's assist list: an executable found in Assist/ and
// its state (not started, started = Selected, linked = Enabled, closed).
#include <cstdint>
#include <string>

#include "platform/WindowMessages.h"

namespace assisthost {

class ClsZelkoAssist {
public:
    // Index of the entry's menu item (0-based; the entry's position - 1).
    std::int32_t MenuIndex() const { return m_menuIndex; }
    void SetMenuIndex(std::int32_t v) { m_menuIndex = v; }

    // Full path of the executable (application folder + "Assist/" + file name).
    const std::string& ExeName() const { return m_exeName; }
    void SetExeName(std::string v) { m_exeName = std::move(v); }

    // The user wants this assist running (menu item checked, saved at exit).
    bool Selected() const { return m_selected; }
    void SetSelected(bool v) { m_selected = v; }

    // The assist's announced window. Setting it also sets Enabled to whether
    // the handle names a window, which the caller decides and passes in.
    platform::WindowHandle hwnd() const { return m_hwnd; }
    void Sethwnd(platform::WindowHandle v, bool namesWindow)
    {
        m_hwnd = v;
        m_enabled = namesWindow;
    }

    // Linked: receives notifications.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool v) { m_enabled = v; }

private:
    std::int32_t m_menuIndex = 0;
    std::string m_exeName;
    bool m_selected = false;
    platform::WindowHandle m_hwnd = 0;
    bool m_enabled = false;
};

} // namespace assisthost
