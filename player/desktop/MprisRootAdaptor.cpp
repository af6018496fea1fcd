#include "player/desktop/MprisRootAdaptor.h"

#include "player/desktop/PlayerControl.h"

#include <QTimer>

namespace desktop {

MprisRootAdaptor::MprisRootAdaptor(QObject* parent, PlayerControl& player)
    : QDBusAbstractAdaptor(parent)
    , m_player(player)
{
}

QStringList MprisRootAdaptor::SupportedMimeTypes() const
{
    return {QStringLiteral("audio/mpeg"), QStringLiteral("audio/x-mpegurl"), QStringLiteral("audio/mpegurl")};
}

void MprisRootAdaptor::Raise()
{
    m_player.Raise();
}

void MprisRootAdaptor::Quit()
{
    // After the reply has gone: the shut-down ends the event loop.
    QTimer::singleShot(0, parent(), [player = &m_player] { player->Quit(); });
}

} // namespace desktop
