#pragma once
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <stdexcept>
#include <thread>

#include "platform/MessageWindow.h"
#include "support/TempFolder.h"

namespace testsupport {

// A private endpoint folder under /tmp (short, for socket path limits).
class TempEndpointDir : public TempFolder {
public:
    TempEndpointDir()
        : TempFolder("zkt", "/tmp")
    {}
};

inline platform::MessageWindow::Options WindowOptions(const std::filesystem::path& dir, platform::WindowHandle handle,
                                                      std::chrono::milliseconds timeout = std::chrono::milliseconds(1000))
{
    platform::MessageWindow::Options o;
    o.Directory = dir;
    o.Handle = handle;
    o.SendTimeout = timeout;
    o.UseQtNotifiers = false;
    return o;
}

// A message window serving requests on its own thread until destroyed; its
// procedure is made with access to the window (for nested sends).
class PeerThread {
public:
    using ProcedureFactory = std::function<platform::WindowProcedure(platform::MessageWindow&)>;

    PeerThread(platform::MessageWindow::Options options, ProcedureFactory makeProcedure)
    {
        std::promise<void> ready;
        auto started = ready.get_future();
        m_thread = std::thread([this, options, makeProcedure, &ready] {
            auto opened = platform::MessageWindow::Open({}, options);
            if (!opened.Window) {
                ready.set_exception(std::make_exception_ptr(std::runtime_error(opened.Error)));
                return;
            }
            opened.Window->SetWindowProcedure(makeProcedure(*opened.Window));
            ready.set_value();
            while (!m_stop.load())
                opened.Window->WaitAndDispatch(std::chrono::milliseconds(10));
        });
        try {
            started.get();
        } catch (...) {
            m_thread.join();
            throw;
        }
    }
    ~PeerThread()
    {
        m_stop = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace testsupport
