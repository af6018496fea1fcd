#pragma once
// The values of the MPRIS2 player interface for a snapshot of the player, as
// the D-Bus types the MPRIS2 interface uses: times in microseconds, the volume
// 0.0..1.0, the track id an object path.
#include "player/desktop/PlayerControl.h"

#include <QDBusObjectPath>
#include <QString>
#include <QVariantMap>

#include <optional>

namespace desktop {

// The path MPRIS uses for "no track".
inline constexpr const char* NoTrackPath = "/org/mpris/MediaPlayer2/TrackList/NoTrack";

// A track id unique to the list entry and stable while the list does not change.
QDBusObjectPath TrackId(const PlayerSnapshot& snapshot);
// A percent-encoded file URI for an absolute path.
QString FileUri(const std::string& path);
QString PlaybackStatusText(PlaybackStatus status);
// "None" or "Playlist": the player repeats the whole list or nothing.
QString LoopStatusText(bool repeat);
// Repeat on for "Playlist" and "Track" (the player has no single-track
// repeat, so the nearer behaviour is taken), off for "None"; nothing for
// other texts.
std::optional<bool> RepeatFromLoopStatus(const QString& text);
double VolumeToMpris(int32_t volume);
int32_t VolumeFromMpris(double volume);
// mpris:trackid, mpris:length, xesam:title, xesam:artist (a list),
// xesam:album, xesam:url, and mpris:artUrl when artUrl is not empty. Empty
// (no keys but the NoTrack id) without a track.
QVariantMap Metadata(const PlayerSnapshot& snapshot, const QString& artUrl);
// Every property of the player interface that a snapshot decides (all but
// Position and the constant ones), by name.
QVariantMap PlayerProperties(const PlayerSnapshot& snapshot, const QString& artUrl);

} // namespace desktop
