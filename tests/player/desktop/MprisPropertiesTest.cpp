#include "player/desktop/MprisProperties.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

desktop::PlayerSnapshot Playing()
{
    desktop::PlayerSnapshot s;
    s.status = desktop::PlaybackStatus::Playing;
    s.volume = 37;
    s.trackCount = 3;
    s.listGeneration = 4;
    s.canGoNext = true;
    s.canGoPrevious = true;
    s.track = {2, "/music/a b/ç.mp3", "Title", "Artist", "Album", 61500, ""};
    return s;
}

TEST(MprisPropertiesTest, MetadataHasTheSpecifiedKeysAndTypes)
{
    const QVariantMap m = desktop::Metadata(Playing(), QString());
    EXPECT_EQ(m.value("mpris:trackid").userType(), qMetaTypeId<QDBusObjectPath>());
    EXPECT_EQ(m.value("mpris:trackid").value<QDBusObjectPath>().path(), "/org/zelko/Zelko/Track/L4_2");
    EXPECT_EQ(m.value("mpris:length").userType(), QMetaType::LongLong);
    EXPECT_EQ(m.value("mpris:length").toLongLong(), 61500000);
    EXPECT_EQ(m.value("xesam:title").toString(), "Title");
    EXPECT_EQ(m.value("xesam:artist").toStringList(), QStringList{"Artist"});
    EXPECT_EQ(m.value("xesam:album").toString(), "Album");
    EXPECT_EQ(m.value("xesam:url").toString(), "file:///music/a%20b/%C3%A7.mp3");
    EXPECT_FALSE(m.contains("mpris:artUrl"));
}

TEST(MprisPropertiesTest, TrackIdsChangeWithTheListAndTheEntry)
{
    desktop::PlayerSnapshot a = Playing();
    desktop::PlayerSnapshot b = a;
    b.listGeneration = 5;
    desktop::PlayerSnapshot c = a;
    c.track.position = 3;
    EXPECT_NE(desktop::TrackId(a), desktop::TrackId(b));
    EXPECT_NE(desktop::TrackId(a), desktop::TrackId(c));
    desktop::PlayerSnapshot none;
    EXPECT_EQ(desktop::TrackId(none).path(), "/org/mpris/MediaPlayer2/TrackList/NoTrack");
    EXPECT_EQ(desktop::Metadata(none, QString()).size(), 1);
}

TEST(MprisPropertiesTest, LoopStatusVolumeAndCapabilities)
{
    EXPECT_EQ(desktop::LoopStatusText(false), "None");
    EXPECT_EQ(desktop::LoopStatusText(true), "Playlist");
    EXPECT_EQ(desktop::RepeatFromLoopStatus("Track"), true);
    EXPECT_EQ(desktop::RepeatFromLoopStatus("None"), false);
    EXPECT_FALSE(desktop::RepeatFromLoopStatus("Sometimes").has_value());
    EXPECT_DOUBLE_EQ(desktop::VolumeToMpris(37), 0.37);
    EXPECT_EQ(desktop::VolumeFromMpris(0.374), 37);
    EXPECT_EQ(desktop::VolumeFromMpris(2.0), 100);
    EXPECT_EQ(desktop::VolumeFromMpris(-1.0), 0);
    const QVariantMap p = desktop::PlayerProperties(Playing(), QString());
    EXPECT_EQ(p.value("PlaybackStatus").toString(), "Playing");
    EXPECT_TRUE(p.value("CanSeek").toBool());
    desktop::PlayerSnapshot stopped = Playing();
    stopped.status = desktop::PlaybackStatus::Stopped;
    EXPECT_FALSE(desktop::PlayerProperties(stopped, QString()).value("CanSeek").toBool());
    EXPECT_FALSE(p.contains("Position"));
}

} // namespace
