#pragma once
// A player stand-in on its own thread that records the commands it receives
// and may react to each.
#include <functional>
#include <mutex>
#include <vector>

#include "platform/MessagingTestSupport.h"

namespace testsupport {

struct Command {
    std::uint32_t Word = 0;
    std::int32_t LParam = 0;
    bool operator==(const Command&) const = default;
};

class FakePlayerWindow {
public:
    using Reaction = std::function<void(platform::MessageWindow& self, const Command& command)>;

    FakePlayerWindow(const std::filesystem::path& dir, platform::WindowHandle handle, Reaction react = {})
        : m_handle(handle)
        , m_peer(WindowOptions(dir, handle), [this, react](platform::MessageWindow& self) {
            return [this, react, &self](const platform::WindowMessage& m) -> std::int32_t {
                if (m.msg == platform::WM_USER) {
                    const Command c{m.wParam, m.lParam};
                    {
                        std::lock_guard lock(m_mutex);
                        m_commands.push_back(c);
                    }
                    if (react)
                        react(self, c);
                }
                return 0;
            };
        })
    {
    }
    platform::WindowHandle Handle() const { return m_handle; }
    std::vector<Command> Commands()
    {
        std::lock_guard lock(m_mutex);
        return m_commands;
    }
    void Clear()
    {
        std::lock_guard lock(m_mutex);
        m_commands.clear();
    }

private:
    platform::WindowHandle m_handle;
    std::mutex m_mutex;
    std::vector<Command> m_commands;
    PeerThread m_peer;
};

} // namespace testsupport
