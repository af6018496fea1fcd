// The real player on a private session bus, driven as a desktop would drive
// it: playerctl for MPRIS2, direct D-Bus calls where the types matter, and
// xdotool clicks on the skin under the test's X server.
#include "DesktopProgramSupport.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>

#include "platform/MessageWindow.h"
#include "player/desktop/InstanceName.h"
#include "protocol/CommandWords.h"
#include "protocol/PlayStateRecord.h"
#include "protocol/SongInfoRecord.h"
#include "support/Id3PictureTag.h"

#include <QUrl>

#include <algorithm>
#include <cstring>
#include <sstream>

#include <gtest/gtest.h>

namespace desktoptest {
namespace {

const QString MprisPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString PlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

class MprisProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!fs::exists(fs::path(ZELKO_PROGRAM_DIR) / "Zelko"))
            GTEST_SKIP() << "the program is not built";
        ASSERT_TRUE(m_bus.Ok());
        m_tracks = {MakeTone(m_folder.Path(), "Track 1", 30.0), MakeTone(m_folder.Path(), "Track 2", 30.0),
                    MakeTone(m_folder.Path(), "Track 3", 30.0)};
        m_folder.Write("Zelko.m3u", m_tracks[0] + "\r\n" + m_tracks[1] + "\r\n" + m_tracks[2] + "\r\n");
        m_folder.Write("Zelko.ini", "[PlayInfo]\nVolume=50\n[PlayListWindow]\nPosition=1\n");
    }

    void Start(const QStringList& arguments = {})
    {
        m_player = std::make_unique<Player>(m_folder.Path(), m_bus.Address(), arguments);
        ASSERT_TRUE(WaitFor([&] { return !BusName().isEmpty(); })) << "the player did not appear on the bus";
        ASSERT_TRUE(WaitFor([&] { return Ctl({"status"}).exitCode == 0; }));
    }

    // The player's name on the bus (org.mpris.MediaPlayer2.zelko.instance_...).
    QString BusName()
    {
        const QDBusReply<QStringList> names = m_bus.Connection().interface()->registeredServiceNames();
        for (const QString& name : names.value()) {
            if (name.startsWith(QLatin1String("org.mpris.MediaPlayer2.zelko")))
                return name;
        }
        return {};
    }

    ToolResult Ctl(QStringList arguments)
    {
        return RunTool(QStringLiteral("playerctl"), QStringList {"-p", "zelko"} + arguments, m_bus.Address());
    }
    std::string Status() { return Ctl({"status"}).out; }
    std::string Title() { return Ctl({"metadata", "xesam:title"}).out; }
    double Number(const QStringList& arguments) { return std::stod(Ctl(arguments).out); }

    QVariant Property(const QString& name)
    {
        QDBusMessage get = QDBusMessage::createMethodCall(BusName(), MprisPath,
                                                          QStringLiteral("org.freedesktop.DBus.Properties"),
                                                          QStringLiteral("Get"));
        get << PlayerInterface << name;
        const QDBusMessage reply = m_bus.Connection().call(get);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return {};
        return reply.arguments().at(0).value<QDBusVariant>().variant();
    }

    // The X window of the player.
    std::string Window()
    {
        std::string id;
        WaitFor([&] {
            const ToolResult r = RunTool(QStringLiteral("xdotool"),
                                     {"search", "--onlyvisible", "--pid", QString::number(m_player->Pid())},
                                     m_bus.Address());
            id = r.out.substr(0, r.out.find('\n'));
            return !id.empty();
        });
        return id;
    }

    void Xdotool(const QStringList& arguments)
    {
        EXPECT_EQ(RunTool(QStringLiteral("xdotool"), arguments, m_bus.Address()).exitCode, 0) << arguments.join(' ').toStdString();
    }

    void SecondStartRaisesTheFirst(const QString& busAddress);

    PrivateBus m_bus;
    Folder m_folder;
    std::vector<std::string> m_tracks;
    std::unique_ptr<Player> m_player;
};

TEST_F(MprisProgramTest, PlayerctlDrivesTheTransport)
{
    Start();
    EXPECT_EQ(Status(), "Stopped");
    EXPECT_EQ(Ctl({"play"}).exitCode, 0);
    EXPECT_TRUE(WaitFor([&] { return Status() == "Playing"; }));
    EXPECT_EQ(Title(), "Track 1");
    Ctl({"next"});
    EXPECT_TRUE(WaitFor([&] { return Title() == "Track 2"; }));
    EXPECT_EQ(Status(), "Playing");
    Ctl({"previous"});
    EXPECT_TRUE(WaitFor([&] { return Title() == "Track 1"; }));
    Ctl({"pause"});
    EXPECT_TRUE(WaitFor([&] { return Status() == "Paused"; }));
    Ctl({"play-pause"});
    EXPECT_TRUE(WaitFor([&] { return Status() == "Playing"; }));

    Ctl({"position", "12"});
    const double at = Number({"position"});
    EXPECT_GE(at, 12.0);
    EXPECT_LT(at, 14.0);
    Ctl({"position", "5-"});
    const double back = Number({"position"});
    EXPECT_GE(back, 7.0);
    EXPECT_LT(back, 9.5);

    Ctl({"volume", "0.25"});
    EXPECT_DOUBLE_EQ(Number({"volume"}), 0.25);
    EXPECT_EQ(Ctl({"loop"}).out, "None");
    Ctl({"loop", "Playlist"});
    EXPECT_EQ(Ctl({"loop"}).out, "Playlist");
    Ctl({"loop", "None"});
    EXPECT_EQ(Ctl({"loop"}).out, "None");
    Ctl({"loop", "Track"});
    EXPECT_EQ(Ctl({"loop"}).out, "Playlist");
    Ctl({"shuffle", "On"});
    EXPECT_EQ(Ctl({"shuffle"}).out, "On");
    Ctl({"stop"});
    EXPECT_TRUE(WaitFor([&] { return Status() == "Stopped"; }));

    // Quit is the normal shut-down: the settings show what the bus changed.
    QDBusMessage quit = QDBusMessage::createMethodCall(BusName(), MprisPath, QStringLiteral("org.mpris.MediaPlayer2"),
                                                       QStringLiteral("Quit"));
    m_bus.Connection().call(quit);
    ASSERT_TRUE(m_player->Process().waitForFinished(10000));
    EXPECT_EQ(m_player->Process().exitCode(), 0);
    std::ifstream in(m_folder.Path() / "Zelko.ini");
    const std::string ini((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(ini.find("Volume=25"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Repeat=-1"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Shuffle=-1"), std::string::npos) << ini;
}

TEST_F(MprisProgramTest, MetadataFieldsHaveTheirTypes)
{
    Start();
    Ctl({"play"});
    ASSERT_TRUE(WaitFor([&] { return Status() == "Playing"; }));
    const QDBusArgument argument = Property(QStringLiteral("Metadata")).value<QDBusArgument>();
    QVariantMap metadata;
    argument >> metadata;
    ASSERT_FALSE(metadata.isEmpty());
    EXPECT_EQ(metadata.value("mpris:trackid").userType(), qMetaTypeId<QDBusObjectPath>());
    EXPECT_EQ(metadata.value("mpris:length").userType(), QMetaType::LongLong);
    EXPECT_NEAR(metadata.value("mpris:length").toLongLong() / 1e6, 30.0, 1.0);
    EXPECT_EQ(metadata.value("xesam:title").toString(), "Track 1");
    EXPECT_EQ(metadata.value("xesam:artist").toStringList(), QStringList {"Tester"});
    EXPECT_EQ(metadata.value("xesam:album").toString(), "Tones");
    const QString url = metadata.value("xesam:url").toString();
    EXPECT_TRUE(url.startsWith("file:///")) << url.toStdString();
    EXPECT_TRUE(url.endsWith("Track%201.mp3")) << url.toStdString();
    EXPECT_EQ(Property("Position").userType(), QMetaType::LongLong);
    EXPECT_EQ(Property("Volume").toDouble(), 0.5);
    EXPECT_TRUE(Property("CanSeek").toBool());
    EXPECT_TRUE(Property("CanControl").toBool());
    EXPECT_EQ(Property("Rate").toDouble(), 1.0);
    EXPECT_EQ(Ctl({"metadata", "xesam:artist"}).out, "Tester");
}

TEST_F(MprisProgramTest, ATrackWithAnEmbeddedPictureHasItsCachedCopyAsArt)
{
    using namespace testsupport;
    const TagBytes picture = PngLikeBytes(7, 2000);
    PrependTag(m_tracks[0], Tag(3, {TextFrame(3, "Track 1"), PictureFrame(3, TagPicture {3, "image/png", 0, "", picture})}));
    Start();
    Ctl({"play"});
    ASSERT_TRUE(WaitFor([&] { return Status() == "Playing" && Title() == "Track 1"; }));
    auto metadata = [&] {
        QVariantMap map;
        Property(QStringLiteral("Metadata")).value<QDBusArgument>() >> map;
        return map;
    };
    const QString art = metadata().value("mpris:artUrl").toString();
    ASSERT_TRUE(art.startsWith("file:///")) << art.toStdString();
    const fs::path file = QUrl(art).toLocalFile().toStdString();
    EXPECT_EQ(file.parent_path(), m_folder.Path() / "cache" / "zelko" / "art");
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(TagBytes((std::istreambuf_iterator<char>(in)), {}), picture);
    // playerctl shows it as any other field.
    EXPECT_EQ(Ctl({"metadata", "mpris:artUrl"}).out, art.toStdString());

    // A track without a picture has none.
    Ctl({"next"});
    ASSERT_TRUE(WaitFor([&] { return Title() == "Track 2"; }));
    EXPECT_TRUE(WaitFor([&] { return !metadata().contains("mpris:artUrl"); })) << metadata().value("mpris:artUrl").toString().toStdString();
    EXPECT_FALSE(metadata().isEmpty());
    // Back again: the same file.
    Ctl({"previous"});
    ASSERT_TRUE(WaitFor([&] { return Title() == "Track 1"; }));
    EXPECT_EQ(metadata().value("mpris:artUrl").toString(), art);
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);
}

TEST_F(MprisProgramTest, TheRootInterfaceDescribesThePlayerAndOpenUriPlaysAFile)
{
    Start();
    auto root = [&](const char* name) {
        QDBusMessage get = QDBusMessage::createMethodCall(BusName(), MprisPath,
                                                          QStringLiteral("org.freedesktop.DBus.Properties"),
                                                          QStringLiteral("Get"));
        get << QStringLiteral("org.mpris.MediaPlayer2") << QString::fromLatin1(name);
        const QDBusMessage reply = m_bus.Connection().call(get);
        return reply.arguments().isEmpty() ? QVariant() : reply.arguments().at(0).value<QDBusVariant>().variant();
    };
    EXPECT_EQ(root("Identity").toString(), "Zelko");
    EXPECT_EQ(root("DesktopEntry").toString(), "zelko");
    EXPECT_TRUE(root("CanQuit").toBool());
    EXPECT_TRUE(root("CanRaise").toBool());
    EXPECT_FALSE(root("HasTrackList").toBool());
    EXPECT_EQ(root("SupportedUriSchemes").toStringList(), QStringList {"file"});
    EXPECT_TRUE(root("SupportedMimeTypes").toStringList().contains("audio/mpeg"));

    // A file whose name needs percent-encoding in a URI, opened as a desktop would.
    fs::create_directories(m_folder.Path() / "a b#c");
    const std::string song = MakeTone(m_folder.Path() / "a b#c", "Song D", 30.0);
    const QString uri = QString::fromUtf8(QUrl::fromLocalFile(QString::fromStdString(song)).toEncoded());
    EXPECT_EQ(Ctl({"open", uri}).exitCode, 0);
    EXPECT_TRUE(WaitFor([&] { return Title() == "Song D" && Status() == "Playing"; })) << Title();
    EXPECT_EQ(Ctl({"metadata", "xesam:url"}).out, uri.toStdString());
    // Something else than a file is not opened.
    Ctl({"open", "http://example.invalid/x.mp3"});
    WaitFor([] { return false; }, 500);
    EXPECT_EQ(Title(), "Song D");
}

TEST_F(MprisProgramTest, ASecondStartWithEnqueueOnlyAddsItsFile)
{
    Start();
    Ctl({"play"});
    ASSERT_TRUE(WaitFor([&] { return Status() == "Playing" && Title() == "Track 1"; }));
    const std::string song = MakeTone(m_folder.Path(), "Song E", 30.0);
    Player second(m_folder.Path(), m_bus.Address(), {"--enqueue", QString::fromStdString(song)});
    ASSERT_TRUE(second.Process().waitForFinished(20000));
    EXPECT_EQ(second.Process().exitCode(), 0);
    // Still the first track; the new one comes after the three of the list.
    WaitFor([] { return false; }, 500);
    EXPECT_EQ(Title(), "Track 1");
    Ctl({"previous"});
    EXPECT_TRUE(WaitFor([&] { return Title() == "Song E"; })) << Title();
}

TEST_F(MprisProgramTest, SetPositionIsIgnoredUnlessTheTrackIdMatches)
{
    Start();
    Ctl({"play"});
    ASSERT_TRUE(WaitFor([&] { return Status() == "Playing"; }));
    const QDBusArgument argument = Property(QStringLiteral("Metadata")).value<QDBusArgument>();
    QVariantMap metadata;
    argument >> metadata;
    const QDBusObjectPath id = metadata.value("mpris:trackid").value<QDBusObjectPath>();
    ASSERT_FALSE(id.path().isEmpty());

    auto setPosition = [&](const QDBusObjectPath& track, qlonglong us) {
        QDBusMessage call = QDBusMessage::createMethodCall(BusName(), MprisPath, PlayerInterface,
                                                           QStringLiteral("SetPosition"));
        call << QVariant::fromValue(track) << us;
        return m_bus.Connection().call(call).type() == QDBusMessage::ReplyMessage;
    };
    EXPECT_TRUE(setPosition(QDBusObjectPath("/org/zelko/Zelko/Track/L999_9"), 20'000'000));
    EXPECT_LT(Property("Position").toLongLong(), 10'000'000);
    EXPECT_TRUE(setPosition(id, 20'000'000));
    const qlonglong at = Property("Position").toLongLong();
    EXPECT_GE(at, 20'000'000);
    EXPECT_LT(at, 22'000'000);
}

TEST_F(MprisProgramTest, FollowSeesTheSkinsPauseButton)
{
    Start();
    Ctl({"play"});
    ASSERT_TRUE(WaitFor([&] { return Status() == "Playing"; }));
    QProcess follow;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DBUS_SESSION_BUS_ADDRESS", m_bus.Address());
    follow.setProcessEnvironment(env);
    follow.start(QStringLiteral("playerctl"), {"-p", "zelko", "--follow", "status"});
    ASSERT_TRUE(follow.waitForStarted(5000));
    QString seen;
    ASSERT_TRUE(WaitFor([&] {
        seen += QString::fromUtf8(follow.readAllStandardOutput());
        return seen.contains("Playing");
    }));
    // The Carbon skin's Pause button: 88,132 30x26.
    const std::string window = Window();
    ASSERT_FALSE(window.empty());
    Xdotool({"mousemove", "--window", QString::fromStdString(window), "103", "145"});
    Xdotool({"click", "1"});
    EXPECT_TRUE(WaitFor([&] {
        seen += QString::fromUtf8(follow.readAllStandardOutput());
        return seen.contains("Paused");
    })) << seen.toStdString();
    EXPECT_EQ(Status(), "Paused");
    follow.kill();
    follow.waitForFinished(5000);
}

// Counts the player's Seeked signals on the bus.
class SeekedCounter : public QObject {
    Q_OBJECT
public:
    int count = 0;
    qlonglong last = -1;
public slots:
    void OnSeeked(qlonglong position)
    {
        ++count;
        last = position;
    }
};

TEST_F(MprisProgramTest, ASeekBarDragSendsOneSeeked)
{
    Start();
    Ctl({"play"});
    ASSERT_TRUE(WaitFor([&] { return Status() == "Playing"; }));
    SeekedCounter counter;
    ASSERT_TRUE(m_bus.Connection().connect(BusName(), MprisPath, PlayerInterface, QStringLiteral("Seeked"), &counter,
                                           SLOT(OnSeeked(qlonglong))));
    QProcess follow;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DBUS_SESSION_BUS_ADDRESS", m_bus.Address());
    follow.setProcessEnvironment(env);
    follow.start(QStringLiteral("playerctl"), {"-p", "zelko", "--follow", "position"});
    ASSERT_TRUE(follow.waitForStarted(5000));

    // The Carbon skin's seek bar: 20,118 340x8; drag from a quarter to three quarters.
    const std::string window = Window();
    ASSERT_FALSE(window.empty());
    const QString w = QString::fromStdString(window);
    Xdotool({"mousemove", "--window", w, "105", "122"});
    Xdotool({"mousedown", "1"});
    for (int x = 120; x <= 274; x += 22)
        Xdotool({"mousemove", "--window", w, QString::number(x), "122"});
    Xdotool({"mouseup", "1"});
    ASSERT_TRUE(WaitFor([&] { return counter.count >= 1; }));
    // A little longer: no more come for the same drag, nor for the progress.
    WaitFor([] { return false; }, 1500);
    EXPECT_EQ(counter.count, 1);
    // 254 of 339 pixels of a 30 s track.
    EXPECT_NEAR(counter.last / 1e6, 30.0 * (274 - 20) / 339.0, 1.0);
    const double at = Number({"position"});
    EXPECT_NEAR(at, 30.0 * (274 - 20) / 339.0, 2.0);
    // playerctl saw the Seeked signal: it printed the new place.
    QString seen;
    EXPECT_TRUE(WaitFor([&] {
        seen += QString::fromUtf8(follow.readAllStandardOutput());
        for (const QString& line : seen.split('\n', Qt::SkipEmptyParts)) {
            if (std::abs(line.toDouble() - counter.last / 1e6) < 0.5)
                return true;
        }
        return false;
    })) << seen.toStdString();
    follow.kill();
    follow.waitForFinished(5000);
}

TEST_F(MprisProgramTest, ASecondStartHandsItsFileToTheFirstAndEnds)
{
    const std::string a = MakeTone(m_folder.Path(), "Song A", 30.0);
    fs::create_directories(m_folder.Path() / "minimize" / "log");
    const std::string b = MakeTone(m_folder.Path() / "minimize" / "log", "Song B", 30.0);
    Start({QString::fromStdString(a)});
    EXPECT_TRUE(WaitFor([&] { return Title() == "Song A" && Status() == "Playing"; }));
    // A path with "/minimize" in it is a file, not the switch: the window stays shown.
    Player second(m_folder.Path(), m_bus.Address(), {QString::fromStdString(b)});
    ASSERT_TRUE(second.Process().waitForFinished(20000));
    EXPECT_EQ(second.Process().exitCode(), 0);
    EXPECT_TRUE(WaitFor([&] { return Title() == "Song B" && Status() == "Playing"; })) << Title();
    EXPECT_FALSE(Window().empty());
    EXPECT_EQ(m_player->Process().state(), QProcess::Running);
}

// A window of the test's own beside the player's, asking it what the assists
// may ask: the file it plays and whether it plays.
class WindowPeer {
public:
    explicit WindowPeer(const fs::path& endpointFolder)
    {
        platform::MessageWindow::Options options;
        options.Directory = endpointFolder;
        options.UseQtNotifiers = false;
        m_window = platform::MessageWindow::Open(
                       [this](const platform::WindowMessage& m) {
                           if (!m.copyData)
                               return 0;
                           const platform::CopyDataStruct& data = *m.copyData;
                           if (m.wParam == protocol::CodeSongInfo && data.cbData == sizeof m_song)
                               std::memcpy(&m_song, data.lpData, sizeof m_song);
                           if (m.wParam == protocol::CodePlayState && data.cbData == sizeof m_state)
                               std::memcpy(&m_state, data.lpData, sizeof m_state);
                           return 0;
                       },
                       options)
                       .Window;
    }
    bool Ok() const { return m_window != nullptr; }

    // The file the player plays and whether it plays it (and is not paused).
    std::string PlayingFile(platform::WindowHandle player)
    {
        m_song = {};
        m_state = {};
        m_window->SendMessage(player, platform::WM_USER, protocol::CmdSongInfo, m_window->Handle());
        m_window->SendMessage(player, platform::WM_USER, protocol::CmdPlayInfo, m_window->Handle());
        if (!protocol::FromVbBool(m_state.bPlay) || protocol::FromVbBool(m_state.bPause))
            return {};
        return std::string(protocol::SongFieldBytes(m_song.Mp3File));
    }

private:
    std::unique_ptr<platform::MessageWindow> m_window;
    protocol::SongInfoRecord m_song {};
    protocol::PlayStateRecord m_state {};
};

TEST_F(MprisProgramTest, WithoutABusASecondStartHandsItsFileToTheFirstAndEnds)
{
    Player first(m_folder.Path(), QString(), {"/log"});
    const fs::path log = m_folder.Path() / "Zelko.log";
    auto logText = [&] {
        std::ifstream in(log);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    };
    ASSERT_TRUE(WaitFor([&] { return logText().find("no session bus") != std::string::npos; }));
    const std::string song = MakeTone(m_folder.Path(), "Song C", 30.0);
    Player second(m_folder.Path(), QString(), {QString::fromStdString(song)});
    ASSERT_TRUE(second.Process().waitForFinished(20000));
    EXPECT_EQ(second.Process().exitCode(), 0);
    EXPECT_EQ(first.Process().state(), QProcess::Running);
    // The first player took the file and plays it.
    WindowPeer peer(m_folder.Path() / "zelko");
    ASSERT_TRUE(peer.Ok());
    const auto handle = static_cast<platform::WindowHandle>(first.Pid());
    EXPECT_TRUE(WaitFor([&] { return peer.PlayingFile(handle) == song; })) << peer.PlayingFile(handle);
    // One line, and the second start did not touch the first one's log.
    const std::string text = logText();
    EXPECT_EQ(text.find("no session bus"), text.rfind("no session bus")) << text;
    // The file is in the list the first player saves.
    first.Process().terminate();
    ASSERT_TRUE(first.Process().waitForFinished(10000));
    std::ifstream in(m_folder.Path() / "Zelko.m3u");
    const std::string list((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(list.find("Song C.mp3"), std::string::npos) << list;
}

// The stacking order of the screen's top-level windows, bottom first.
std::vector<std::string> StackingOrder()
{
    const ToolResult r = RunTool(QStringLiteral("xwininfo"), {"-root", "-children"}, QString());
    std::vector<std::string> ids;
    std::istringstream lines(r.out);
    // The children are the lines that start with their id.
    for (std::string line; std::getline(lines, line);) {
        const auto at = line.find_first_not_of(' ');
        if (at != std::string::npos && line.compare(at, 2, "0x") == 0)
            ids.push_back(line.substr(at, line.find(' ', at) - at));
    }
    // xwininfo lists the top first.
    std::reverse(ids.begin(), ids.end());
    return ids;
}

// A second start without files brings the first player's window to the
// front; busAddress empty: without a session bus.
void MprisProgramTest::SecondStartRaisesTheFirst(const QString& busAddress)
{
    Player first(m_folder.Path(), busAddress, {});
    if (busAddress.isEmpty()) {
        const fs::path lock = m_folder.Path() / (desktop::InstanceBusName(desktop::RunKind::Develop,
                                                                          m_folder.Path().string()) + ".lock");
        ASSERT_TRUE(WaitFor([&] { return fs::exists(lock); }));
    }
    std::string player;
    ASSERT_TRUE(WaitFor([&] {
        const ToolResult r = RunTool(QStringLiteral("xdotool"),
                                     {"search", "--onlyvisible", "--pid", QString::number(first.Pid())},
                                     QString());
        player = r.out.substr(0, r.out.find('\n'));
        return !player.empty();
    }));
    // Another program's window over the whole screen, over the player.
    QProcess cover;
    cover.start(QStringLiteral("xmessage"), {"-geometry", "1280x1024+0+0", "-name", "zelko-cover", "cover"});
    ASSERT_TRUE(cover.waitForStarted(5000));
    std::string coverId;
    ASSERT_TRUE(WaitFor([&] {
        const ToolResult r = RunTool(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--classname", "^zelko-cover$"},
                                     QString());
        coverId = r.out.substr(0, r.out.find('\n'));
        return !coverId.empty();
    }));
    auto above = [&](const std::string& top, const std::string& under) {
        const std::vector<std::string> order = StackingOrder();
        const auto t = std::find_if(order.begin(), order.end(), [&](const std::string& id) {
            return std::stoul(id, nullptr, 16) == std::stoul(top, nullptr, 0);
        });
        const auto u = std::find_if(order.begin(), order.end(), [&](const std::string& id) {
            return std::stoul(id, nullptr, 16) == std::stoul(under, nullptr, 0);
        });
        return t != order.end() && u != order.end() && t > u;
    };
    ASSERT_TRUE(WaitFor([&] { return above(coverId, player); }));

    Player second(m_folder.Path(), busAddress, {});
    ASSERT_TRUE(second.Process().waitForFinished(20000));
    EXPECT_EQ(second.Process().exitCode(), 0);
    EXPECT_TRUE(WaitFor([&] { return above(player, coverId); }));
    EXPECT_EQ(first.Process().state(), QProcess::Running);
    cover.kill();
    cover.waitForFinished(5000);
}

TEST_F(MprisProgramTest, WithoutABusASecondStartWithoutFilesRaisesTheFirst)
{
    SecondStartRaisesTheFirst(QString());
}

TEST_F(MprisProgramTest, ASecondStartWithoutFilesRaisesTheFirst)
{
    SecondStartRaisesTheFirst(m_bus.Address());
}

} // namespace
} // namespace desktoptest

#include "MprisProgramTest.moc"
