#pragma once
// The player on the session bus: the MPRIS2 object /org/mpris/MediaPlayer2
// with its root and player interfaces, plus org.zelko.Zelko (how a second
// start hands over its files). The bus name is claimed before, by
// InstanceClaim, so that a second start is turned away before it reads any
// settings.
//
// It observes the player: every change of a snapshot goes out as one
// PropertiesChanged signal with the changed player properties, whatever
// caused it; every seek as a Seeked signal. It also looks at the snapshot
// twice a second, so a change nobody reported still goes out.
//
// User-interface thread only; the bus calls arrive there through the event loop.
#include "player/desktop/PlayerControl.h"

#include <QObject>
#include <QTimer>
#include <QVariantMap>

namespace desktop {

class MprisPlayerAdaptor;

class MprisService : public QObject, public PlayerControl::Observer {
    Q_OBJECT
public:
    enum class StartResult {
        Registered, // the object is on the bus
        NoBus,      // no session bus answers
        Failed,     // the bus refused the object
    };

    explicit MprisService(PlayerControl& player);
    ~MprisService() override;
    MprisService(const MprisService&) = delete;
    MprisService& operator=(const MprisService&) = delete;

    [[nodiscard]] StartResult Start();

    PlayerControl& Player() { return m_player; }
    // The player properties as they are now (a new snapshot is taken and
    // any change is signalled first).
    const QVariantMap& CurrentProperties();
    const PlayerSnapshot& CurrentSnapshot();

    // PlayerControl::Observer
    void StateMayHaveChanged() override;
    void Seeked(int64_t positionMs) override;

private:
    void Refresh();

    PlayerControl& m_player;
    bool m_registered = false;
    MprisPlayerAdaptor* m_playerAdaptor = nullptr; // owned by this object, as Qt's adaptors are
    PlayerSnapshot m_snapshot;
    QVariantMap m_properties;
    QTimer m_poll;
    bool m_refreshQueued = false;
};

} // namespace desktop
