#include "player/assisthost/ClsZelkoAssistHost.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

#include <chrono>
#include <utility>
#include <unistd.h>

#include "platform/ProgramLauncher.h"

namespace assisthost {

namespace {

bool IsExecutableFile(const std::filesystem::path& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

// Clears a flag when the scope ends, also when a handler throws.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag)
        : m_flag(flag)
    {
        m_flag = true;
    }
    ~FlagGuard() { m_flag = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& m_flag;
};

} // namespace

ClsZelkoAssistHost::ClsZelkoAssistHost(AssistHostPlayer& player, QMenu& assistMenu, std::filesystem::path appPath)
    : ClsZelkoAssistHost(player, assistMenu, std::move(appPath), Options{})
{
}

ClsZelkoAssistHost::ClsZelkoAssistHost(AssistHostPlayer& player, QMenu& assistMenu, std::filesystem::path appPath,
                                       Options options)
    : m_appPath(std::move(appPath))
    , m_options(std::move(options))
    , m_catalogue(assistMenu, [this](int index) { mnuP1AEnum_Click(index); })
{
    platform::MessageWindow::Options windowOptions;
    windowOptions.Directory = m_options.EndpointDirectory;
    windowOptions.SendTimeout = m_options.SendTimeout;
    auto opened = platform::MessageWindow::Open(
        [](const platform::WindowMessage&) { return 0; }, windowOptions);
    m_window = std::move(opened.Window);
    m_windowError = std::move(opened.Error);
    m_broadcaster = std::make_unique<AssistBroadcaster>(player, m_catalogue, m_window.get());
    m_decoder = std::make_unique<AssistCommandDecoder>(
        player, m_catalogue, *m_broadcaster,
        [this](std::int32_t handle) { return m_window && m_window->IsWindow(handle); },
        [this] { m_assistReady = true; });
}

ClsZelkoAssistHost::~ClsZelkoAssistHost() = default;

platform::WindowHandle ClsZelkoAssistHost::Handle() const
{
    return m_window ? m_window->Handle() : 0;
}

void ClsZelkoAssistHost::ProcessPendingEvents()
{
    if (m_window)
        m_window->ProcessPendingEvents();
    else if (QCoreApplication::instance() != nullptr)
        QCoreApplication::processEvents();
}

// --- Starting and closing -------------------------------------------------

void ClsZelkoAssistHost::ExecuteSelectedAssists()
{
    for (std::size_t i = 0; i < m_catalogue.Assists().size(); ++i) {
        if (m_catalogue.Assists()[i].Selected())
            ExecuteAssist(m_catalogue.Assists()[i].ExeName(), static_cast<std::int32_t>(i + 1));
    }
}

bool ClsZelkoAssistHost::ExecuteAssist(const std::string& path, std::int32_t position)
{
    // Nothing can link without the player's window, and an executable that
    // vanished since discovery is passed over at once.
    if (!m_window || !IsExecutableFile(path))
        return false;
    m_assistReady = false;
    const platform::LaunchResult launched =
        platform::ProgramLauncher::StartDetached(path, {std::to_string(Handle()), std::to_string(position)});
    if (!launched)
        return false;

    for (int round = 0; round < m_options.WaitRounds && !m_assistReady; ++round) {
        ProcessPendingEvents();
        // The pause between rounds still answers the assists' requests, so
        // the announcement ends the wait as soon as it arrives.
        const auto until = std::chrono::steady_clock::now() + m_options.RoundWait;
        while (!m_assistReady) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                break;
            m_window->WaitAndDispatch(left);
        }
    }
    return true;
}

void ClsZelkoAssistHost::mnuP1AEnum_Click(int index)
{
    QAction* item = m_catalogue.MenuItem(index);
    if (item == nullptr)
        return;
    ClsZelkoAssist* entry = m_catalogue.FindByCaption(*item);
    if (entry == nullptr)
        return; // "<なし>"
    if (item->isChecked()) {
        CloseAssistWindow(*entry);
        entry = m_catalogue.FindByCaption(*item);
        if (entry) {
            entry->SetSelected(false);
            entry->SetEnabled(false);
        }
        item->setChecked(false);
    } else {
        entry->SetSelected(true);
        const std::string exe = entry->ExeName();
        if (ExecuteAssist(exe, index + 1)) {
            item->setChecked(true);
        } else if (ClsZelkoAssist* again = m_catalogue.FindByCaption(*item)) {
            again->SetSelected(false);
        }
    }
}

void ClsZelkoAssistHost::CloseAssistWindow(ClsZelkoAssist& entry)
{
    if (m_window)
        m_window->SendMessage(entry.hwnd(), platform::WM_SYSCOMMAND, platform::SC_CLOSE, 0);
    ProcessPendingEvents();
}

void ClsZelkoAssistHost::ClearAssists()
{
    m_catalogue.Clear([this](ClsZelkoAssist& entry) { CloseAssistWindow(entry); });
}

// --- The window procedure -------------------------------------------------

void ClsZelkoAssistHost::InstallHook()
{
    if (m_hookInstalled)
        return;
    m_hookInstalled = true;
    if (m_window) {
        m_previousProcedure =
            m_window->SetWindowProcedure([this](const platform::WindowMessage& message) { return HookWndProc(message); });
    }
}

void ClsZelkoAssistHost::RemoveHook()
{
    if (!m_hookInstalled)
        return;
    m_hookInstalled = false;
    if (m_window)
        m_window->SetWindowProcedure(std::move(m_previousProcedure));
    m_previousProcedure = {};
}

platform::WindowProcedure ClsZelkoAssistHost::SetBaseProcedure(platform::WindowProcedure procedure)
{
    if (!m_window)
        return {};
    if (!m_hookInstalled)
        return m_window->SetWindowProcedure(std::move(procedure));
    return std::exchange(m_previousProcedure, std::move(procedure));
}

std::int32_t ClsZelkoAssistHost::HookWndProc(const platform::WindowMessage& message)
{
    // A command that arrives while another is handled (nested, during a
    // send) is passed over.
    if (!m_inHook && message.msg == platform::WM_USER) {
        FlagGuard busy(m_inHook);
        m_decoder->HandleCommand(message.wParam, message.lParam);
    }
    return platform::CallWindowProc(m_previousProcedure, message);
}

} // namespace assisthost
