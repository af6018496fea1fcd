#include "player/desktop/MprisPlayerAdaptor.h"

#include "player/desktop/MprisProperties.h"
#include "player/desktop/MprisService.h"

#include <QUrl>

namespace desktop {

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService& service)
    : QDBusAbstractAdaptor(&service)
    , m_service(service)
{
}

bool MprisPlayerAdaptor::Property(const char* name) const
{
    return m_service.CurrentProperties().value(QString::fromLatin1(name)).toBool();
}

QString MprisPlayerAdaptor::PlaybackStatus() const
{
    return PlaybackStatusText(m_service.CurrentSnapshot().status);
}

QString MprisPlayerAdaptor::LoopStatus() const
{
    return LoopStatusText(m_service.CurrentSnapshot().repeat);
}

void MprisPlayerAdaptor::SetLoopStatus(const QString& status)
{
    if (const auto repeat = RepeatFromLoopStatus(status))
        m_service.Player().SetRepeat(*repeat);
}

bool MprisPlayerAdaptor::Shuffle() const
{
    return m_service.CurrentSnapshot().shuffle;
}

void MprisPlayerAdaptor::SetShuffle(bool on)
{
    m_service.Player().SetShuffle(on);
}

QVariantMap MprisPlayerAdaptor::Metadata() const
{
    return m_service.CurrentProperties().value(QStringLiteral("Metadata")).toMap();
}

double MprisPlayerAdaptor::Volume() const
{
    return VolumeToMpris(m_service.CurrentSnapshot().volume);
}

void MprisPlayerAdaptor::SetVolume(double volume)
{
    m_service.Player().SetVolume(VolumeFromMpris(volume));
}

qlonglong MprisPlayerAdaptor::Position() const
{
    return static_cast<qlonglong>(m_service.Player().PositionMs()) * 1000;
}

bool MprisPlayerAdaptor::CanGoNext() const { return Property("CanGoNext"); }
bool MprisPlayerAdaptor::CanGoPrevious() const { return Property("CanGoPrevious"); }
bool MprisPlayerAdaptor::CanPlay() const { return Property("CanPlay"); }
bool MprisPlayerAdaptor::CanPause() const { return Property("CanPause"); }
bool MprisPlayerAdaptor::CanSeek() const { return Property("CanSeek"); }

void MprisPlayerAdaptor::Next() { m_service.Player().Next(); }
void MprisPlayerAdaptor::Previous() { m_service.Player().Previous(); }
void MprisPlayerAdaptor::Pause() { m_service.Player().Pause(); }
void MprisPlayerAdaptor::PlayPause() { m_service.Player().PlayPause(); }
void MprisPlayerAdaptor::Stop() { m_service.Player().Stop(); }
void MprisPlayerAdaptor::Play() { m_service.Player().Play(); }

void MprisPlayerAdaptor::Seek(qlonglong Offset)
{
    if (m_service.CurrentSnapshot().status == ::desktop::PlaybackStatus::Stopped)
        return;
    m_service.Player().SeekBy(Offset / 1000);
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position)
{
    const PlayerSnapshot& now = m_service.CurrentSnapshot();
    if (now.status == ::desktop::PlaybackStatus::Stopped || TrackId != ::desktop::TrackId(now))
        return;
    if (Position < 0 || Position > now.track.lengthMs * 1000)
        return;
    m_service.Player().SeekTo(Position / 1000);
}

void MprisPlayerAdaptor::OpenUri(const QString& Uri)
{
    const QUrl url(Uri);
    if (!url.isLocalFile())
        return;
    m_service.Player().AddFiles({url.toLocalFile().toStdString()}, AddMode::Play);
}

} // namespace desktop
