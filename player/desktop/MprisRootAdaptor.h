#pragma once
// The MPRIS2 root interface (org.mpris.MediaPlayer2) of the player object.
// Its properties are constant; Raise and Quit go to the player.
#include <QDBusAbstractAdaptor>
#include <QStringList>

namespace desktop {

class PlayerControl;

class MprisRootAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ CanQuit)
    Q_PROPERTY(bool CanRaise READ CanRaise)
    Q_PROPERTY(bool HasTrackList READ HasTrackList)
    Q_PROPERTY(QString Identity READ Identity)
    Q_PROPERTY(QString DesktopEntry READ DesktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ SupportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ SupportedMimeTypes)
public:
    // parent: the object registered at /org/mpris/MediaPlayer2.
    MprisRootAdaptor(QObject* parent, PlayerControl& player);

    bool CanQuit() const { return true; }
    bool CanRaise() const { return true; }
    bool HasTrackList() const { return false; }
    QString Identity() const { return QStringLiteral("Zelko"); }
    QString DesktopEntry() const { return QStringLiteral("zelko"); }
    QStringList SupportedUriSchemes() const { return {QStringLiteral("file")}; }
    QStringList SupportedMimeTypes() const;

public slots:
    void Raise();
    void Quit();

private:
    PlayerControl& m_player;
};

} // namespace desktop
