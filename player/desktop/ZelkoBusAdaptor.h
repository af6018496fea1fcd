#pragma once
// org.zelko.Zelko on the player object: what a second start of the player
// uses to hand its files over to the running one, with the same meaning as
// its command line (see CommandLineFiles).
#include <QDBusAbstractAdaptor>
#include <QStringList>

namespace desktop {

class PlayerControl;

inline constexpr const char* ZelkoInterface = "org.zelko.Zelko";

class ZelkoBusAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.zelko.Zelko")
public:
    ZelkoBusAdaptor(QObject* parent, PlayerControl& player);

public slots:
    // Absolute paths of files and folders; enqueue: add only, else play the first added.
    void AddFiles(const QStringList& paths, bool enqueue);
    void Raise();

private:
    PlayerControl& m_player;
};

} // namespace desktop
