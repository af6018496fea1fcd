#include "player/desktop/WindowHandOver.h"

#include "platform/MessageWindow.h"
#include "player/desktop/HandOverMessage.h"
#include "player/desktop/InstanceClaim.h"

#include <QCoreApplication>
#include <QTimer>

#include <thread>

namespace desktop {

HandOverResult HandOverByWindow(const std::string& lockPath, const std::vector<std::string>& files, AddMode mode,
                                std::chrono::milliseconds timeout)
{
    auto opened = platform::MessageWindow::Open(
        [](const platform::WindowMessage&) { return 0; });
    if (!opened.Window)
        return HandOverResult::Failed;
    platform::MessageWindow& window = *opened.Window;
    const std::vector<HandOverMessage> messages = EncodeHandOver(files, mode, platform::MaxCopyDataBytes);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::size_t sent = 0;
    while (sent < messages.size()) {
        // The running player writes its handle into the lock once it holds
        // it, and takes the messages once its window is up: ask again.
        const std::optional<platform::WindowHandle> holder = InstanceClaim::LockHolder(lockPath);
        if (holder) {
            const HandOverMessage& message = messages[sent];
            const platform::SendOutcome outcome = window.SendCopyData(
                *holder, HandOverCode, static_cast<std::uint32_t>(message.request), message.payload);
            if (outcome.Result() == HandOverTaken) {
                ++sent;
                continue;
            }
        }
        if (std::chrono::steady_clock::now() > deadline)
            return HandOverResult::Failed;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return HandOverResult::Delivered;
}

platform::WindowProcedure HandOverProcedure(PlayerControl& player, platform::WindowProcedure next)
{
    return [&player, next = std::move(next)](const platform::WindowMessage& m) -> std::int32_t {
        if (!m.copyData || m.wParam != HandOverCode)
            return platform::CallWindowProc(next, m);
        const platform::CopyDataStruct& data = *m.copyData;
        const std::span<const std::byte> payload(static_cast<const std::byte*>(data.lpData), data.cbData);
        std::optional<HandOverContent> content = DecodeHandOver(data.dwData, payload);
        if (!content)
            return 0;
        // The sender waits for the reply only; reading the files may take a while.
        QTimer::singleShot(0, QCoreApplication::instance(), [&player, content = std::move(*content)] {
            if (content.request == HandOverRequest::Raise)
                player.Raise();
            else
                player.AddFiles(content.files,
                                content.request == HandOverRequest::Play ? AddMode::Play : AddMode::Enqueue);
        });
        return HandOverTaken;
    };
}

} // namespace desktop
