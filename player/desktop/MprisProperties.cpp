#include "player/desktop/MprisProperties.h"

#include <QStringList>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <optional>

namespace desktop {

QDBusObjectPath TrackId(const PlayerSnapshot& snapshot)
{
    if (snapshot.track.position <= 0)
        return QDBusObjectPath(QString::fromLatin1(NoTrackPath));
    return QDBusObjectPath(QStringLiteral("/org/zelko/Zelko/Track/L%1_%2")
                               .arg(snapshot.listGeneration)
                               .arg(snapshot.track.position));
}

QString FileUri(const std::string& path)
{
    return QString::fromLatin1(QUrl::fromLocalFile(QString::fromStdString(path)).toEncoded());
}

QString PlaybackStatusText(PlaybackStatus status)
{
    switch (status) {
    case PlaybackStatus::Playing: return QStringLiteral("Playing");
    case PlaybackStatus::Paused: return QStringLiteral("Paused");
    case PlaybackStatus::Stopped: break;
    }
    return QStringLiteral("Stopped");
}

QString LoopStatusText(bool repeat)
{
    return repeat ? QStringLiteral("Playlist") : QStringLiteral("None");
}

std::optional<bool> RepeatFromLoopStatus(const QString& text)
{
    if (text == QLatin1String("None"))
        return false;
    if (text == QLatin1String("Playlist") || text == QLatin1String("Track"))
        return true;
    return std::nullopt;
}

double VolumeToMpris(int32_t volume)
{
    return std::clamp(volume, 0, 100) / 100.0;
}

int32_t VolumeFromMpris(double volume)
{
    if (!std::isfinite(volume))
        return 0;
    return static_cast<int32_t>(std::lround(std::clamp(volume, 0.0, 1.0) * 100.0));
}

QVariantMap Metadata(const PlayerSnapshot& snapshot, const QString& artUrl)
{
    QVariantMap map;
    map.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(TrackId(snapshot)));
    const TrackSnapshot& t = snapshot.track;
    if (t.position <= 0)
        return map;
    map.insert(QStringLiteral("mpris:length"), QVariant::fromValue<qlonglong>(t.lengthMs * 1000));
    map.insert(QStringLiteral("xesam:title"), QString::fromStdString(t.title));
    map.insert(QStringLiteral("xesam:artist"), QStringList{QString::fromStdString(t.artist)});
    map.insert(QStringLiteral("xesam:album"), QString::fromStdString(t.album));
    map.insert(QStringLiteral("xesam:url"), FileUri(t.path));
    if (!artUrl.isEmpty())
        map.insert(QStringLiteral("mpris:artUrl"), artUrl);
    return map;
}

QVariantMap PlayerProperties(const PlayerSnapshot& snapshot, const QString& artUrl)
{
    const bool hasTracks = snapshot.trackCount > 0;
    QVariantMap map;
    map.insert(QStringLiteral("PlaybackStatus"), PlaybackStatusText(snapshot.status));
    map.insert(QStringLiteral("LoopStatus"), LoopStatusText(snapshot.repeat));
    map.insert(QStringLiteral("Shuffle"), snapshot.shuffle);
    map.insert(QStringLiteral("Volume"), VolumeToMpris(snapshot.volume));
    map.insert(QStringLiteral("Metadata"), Metadata(snapshot, artUrl));
    map.insert(QStringLiteral("CanGoNext"), snapshot.canGoNext);
    map.insert(QStringLiteral("CanGoPrevious"), snapshot.canGoPrevious);
    map.insert(QStringLiteral("CanPlay"), hasTracks);
    map.insert(QStringLiteral("CanPause"), hasTracks);
    map.insert(QStringLiteral("CanSeek"), snapshot.status != PlaybackStatus::Stopped && snapshot.track.lengthMs > 0);
    return map;
}

} // namespace desktop
