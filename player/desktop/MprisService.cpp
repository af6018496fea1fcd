#include "player/desktop/MprisService.h"

#include "player/desktop/MprisPlayerAdaptor.h"
#include "player/desktop/MprisProperties.h"
#include "player/desktop/MprisRootAdaptor.h"
#include "player/desktop/ZelkoBusAdaptor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>

namespace desktop {

namespace {

constexpr const char* ObjectPath = "/org/mpris/MediaPlayer2";
constexpr int PollIntervalMs = 500;

} // namespace

MprisService::MprisService(PlayerControl& player)
    : m_player(player)
{
    new MprisRootAdaptor(this, m_player);
    m_playerAdaptor = new MprisPlayerAdaptor(*this);
    new ZelkoBusAdaptor(this, m_player);
    m_poll.setInterval(PollIntervalMs);
    connect(&m_poll, &QTimer::timeout, this, [this] { Refresh(); });
}

MprisService::~MprisService()
{
    m_player.SetObserver(nullptr);
    if (m_registered)
        QDBusConnection::sessionBus().unregisterObject(QString::fromLatin1(ObjectPath));
}

MprisService::StartResult MprisService::Start()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return StartResult::NoBus;
    if (!bus.registerObject(QString::fromLatin1(ObjectPath), this, QDBusConnection::ExportAdaptors))
        return StartResult::Failed;
    m_registered = true;
    m_snapshot = m_player.Snapshot();
    m_properties = PlayerProperties(m_snapshot, QString::fromStdString(m_snapshot.track.artUrl));
    m_player.SetObserver(this);
    m_poll.start();
    return StartResult::Registered;
}

const QVariantMap& MprisService::CurrentProperties()
{
    Refresh();
    return m_properties;
}

const PlayerSnapshot& MprisService::CurrentSnapshot()
{
    Refresh();
    return m_snapshot;
}

void MprisService::StateMayHaveChanged()
{
    if (m_refreshQueued)
        return;
    m_refreshQueued = true;
    QTimer::singleShot(0, this, [this] { Refresh(); });
}

void MprisService::Seeked(int64_t positionMs)
{
    // A seek may also have ended the track: what changed goes out first.
    Refresh();
    emit m_playerAdaptor->Seeked(static_cast<qlonglong>(positionMs) * 1000);
}

void MprisService::Refresh()
{
    m_refreshQueued = false;
    if (!m_registered)
        return;
    PlayerSnapshot now = m_player.Snapshot();
    if (now == m_snapshot)
        return;
    m_snapshot = std::move(now);
    const QVariantMap properties = PlayerProperties(m_snapshot, QString::fromStdString(m_snapshot.track.artUrl));
    QVariantMap changed;
    for (auto it = properties.cbegin(); it != properties.cend(); ++it) {
        if (m_properties.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    }
    m_properties = properties;
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(
        QString::fromLatin1(ObjectPath), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"));
    signal << QStringLiteral("org.mpris.MediaPlayer2.Player") << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

} // namespace desktop
