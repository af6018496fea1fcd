#include "player/desktop/InstanceHandOver.h"

#include "player/desktop/ZelkoBusAdaptor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>

#include <chrono>
#include <thread>

namespace desktop {

HandOverResult HandOver(const std::string& busName, const std::vector<std::string>& files, AddMode mode)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return HandOverResult::Failed;
    QDBusMessage call;
    if (files.empty()) {
        call = QDBusMessage::createMethodCall(QString::fromStdString(busName), QStringLiteral("/org/mpris/MediaPlayer2"),
                                              QString::fromLatin1(ZelkoInterface), QStringLiteral("Raise"));
    } else {
        QStringList paths;
        for (const std::string& file : files)
            paths << QString::fromStdString(file);
        call = QDBusMessage::createMethodCall(QString::fromStdString(busName), QStringLiteral("/org/mpris/MediaPlayer2"),
                                              QString::fromLatin1(ZelkoInterface), QStringLiteral("AddFiles"));
        call << paths << (mode == AddMode::Enqueue);
    }
    // The running player claims its name before its window exists, and
    // answers once it has started: ask again for a while.
    using namespace std::chrono_literals;
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (true) {
        const QDBusMessage reply = bus.call(call, QDBus::Block, 5000);
        if (reply.type() == QDBusMessage::ReplyMessage)
            return HandOverResult::Delivered;
        if (std::chrono::steady_clock::now() > deadline)
            return HandOverResult::Failed;
        std::this_thread::sleep_for(100ms);
    }
}

} // namespace desktop
