#include "player/desktop/ZelkoBusAdaptor.h"

#include "player/desktop/PlayerControl.h"

#include <QTimer>

namespace desktop {

ZelkoBusAdaptor::ZelkoBusAdaptor(QObject* parent, PlayerControl& player)
    : QDBusAbstractAdaptor(parent)
    , m_player(player)
{
}

void ZelkoBusAdaptor::AddFiles(const QStringList& paths, bool enqueue)
{
    std::vector<std::string> list;
    list.reserve(static_cast<std::size_t>(paths.size()));
    for (const QString& path : paths)
        list.push_back(path.toStdString());
    // After the reply: reading the files may take a while, and the second
    // start only waits for the hand-over.
    QTimer::singleShot(0, parent(), [player = &m_player, list = std::move(list), enqueue] {
        player->AddFiles(list, enqueue ? AddMode::Enqueue : AddMode::Play);
    });
}

void ZelkoBusAdaptor::Raise()
{
    m_player.Raise();
}

} // namespace desktop
