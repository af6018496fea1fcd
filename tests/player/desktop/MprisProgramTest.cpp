// The real player on a private session bus, driven as a desktop would drive
// it: playerctl for MPRIS2, direct D-Bus calls where the types matter, and
// xdotool clicks on the skin under the test's X server.
#include "DesktopProgramSupport.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
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

// The first X window the search finds ("" when none).
std::string FindWindow(const QStringList& search)
{
    std::string id;
    WaitFor([&] {
        const ToolResult r = RunTool(QStringLiteral("xdotool"), QStringList{"search", "--onlyvisible"} + search, QString());
        id = r.out.substr(0, r.out.find('\n'));
        return !id.empty();
    });
    return id;
}

// Whether window top is above window under in the screen's stacking order.
bool Above(const std::string& top, const std::string& under)
{
    // xwininfo lists the top first; the children are the lines that start with their id.
    const ToolResult r = RunTool(QStringLiteral("xwininfo"), {"-root", "-children"}, QString());
    std::vector<unsigned long> order;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) {
        const auto at = line.find_first_not_of(' ');
        if (at != std::string::npos && line.compare(at, 2, "0x") == 0)
            order.push_back(std::stoul(line.substr(at), nullptr, 16));
    }
    const auto t = std::find(order.begin(), order.end(), std::stoul(top, nullptr, 0));
    const auto u = std::find(order.begin(), order.end(), std::stoul(under, nullptr, 0));
    return t != order.end() && u != order.end() && t < u;
}

class MprisProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!testsupport::PlayerProgram::Built())
            GTEST_SKIP() << "the program is not built";
        ASSERT_TRUE(m_bus.Ok());
        m_tracks = {MakeTone(m_folder.Path(), "Track 1", 30.0), MakeTone(m_folder.Path(), "Track 2", 30.0),
                    MakeTone(m_folder.Path(), "Track 3", 30.0)};
        m_folder.WriteList(m_tracks);
        m_folder.WriteIni("[PlayInfo]\nVolume=50\n[PlayListWindow]\nPosition=1\n");
    }

    void Start(const QStringList& arguments = {})
    {
        m_player = StartPlayer(m_folder.Path(), m_bus.Address(), arguments);
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
    void PlayAndWait()
    {
        Ctl({"play"});
        ASSERT_TRUE(WaitFor([&] { return Status() == "Playing"; }));
    }

    // A property of the player interface, or of the root one.
    QVariant Property(const QString& name, const QString& interface = PlayerInterface)
    {
        QDBusMessage get = QDBusMessage::createMethodCall(BusName(), MprisPath,
                                                          QStringLiteral("org.freedesktop.DBus.Properties"),
                                                          QStringLiteral("Get"));
        get << interface << name;
        const QDBusMessage reply = m_bus.Connection().call(get);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return {};
        return reply.arguments().at(0).value<QDBusVariant>().variant();
    }
    QVariant Root(const char* name) { return Property(QString::fromLatin1(name), QStringLiteral("org.mpris.MediaPlayer2")); }
    QVariantMap Metadata()
    {
        QVariantMap map;
        Property(QStringLiteral("Metadata")).value<QDBusArgument>() >> map;
        return map;
    }
    bool Call(const QString& interface, const QString& method, const QVariantList& arguments = {})
    {
        QDBusMessage call = QDBusMessage::createMethodCall(BusName(), MprisPath, interface, method);
        call.setArguments(arguments);
        return m_bus.Connection().call(call).type() == QDBusMessage::ReplyMessage;
    }

    void Xdotool(const QStringList& arguments)
    {
        EXPECT_EQ(RunTool(QStringLiteral("xdotool"), arguments, m_bus.Address()).exitCode, 0) << arguments.join(' ').toStdString();
    }

    // A second start without files brings the first player's window to the
    // front of another program's window over the whole screen.
    void SecondStartRaises(testsupport::PlayerProgram& first, const QString& busAddress)
    {
        const std::string player = FindWindow({"--pid", QString::number(first.Pid())});
        ASSERT_FALSE(player.empty());
        QProcess cover;
        cover.start(QStringLiteral("xmessage"), {"-geometry", "1280x1024+0+0", "-name", "zelko-cover", "cover"});
        ASSERT_TRUE(cover.waitForStarted(5000));
        const std::string coverId = FindWindow({"--classname", "^zelko-cover$"});
        ASSERT_FALSE(coverId.empty());
        ASSERT_TRUE(WaitFor([&] { return Above(coverId, player); }));
        const auto second = StartPlayer(m_folder.Path(), busAddress);
        ASSERT_TRUE(second->Process().waitForFinished(20000));
        EXPECT_EQ(second->Process().exitCode(), 0);
        EXPECT_TRUE(WaitFor([&] { return Above(player, coverId); }));
        EXPECT_EQ(first.Process().state(), QProcess::Running);
        cover.kill();
        cover.waitForFinished(5000);
    }

    PrivateBus m_bus;
    Folder m_folder;
    std::vector<std::string> m_tracks;
    std::unique_ptr<testsupport::PlayerProgram> m_player;
};

// The methods and properties of both interfaces over the bus, with a picture
// in the first track's tag; Quit is the normal shut-down, so the settings
// show what the bus changed.
TEST_F(MprisProgramTest, PlayerctlAndBusCallsDriveThePlayerAndQuitSavesWhatTheyChanged)
{
    using namespace testsupport;
    const TagBytes picture = PngLikeBytes(7, 2000);
    PrependTag(m_tracks[0], Tag(3, {TextFrame(3, "Track 1"), PictureFrame(3, TagPicture{3, "image/png", 0, "", picture})}));
    Start();
    EXPECT_EQ(Root("Identity").toString(), "Zelko");
    EXPECT_EQ(Root("DesktopEntry").toString(), "zelko");
    EXPECT_TRUE(Root("CanQuit").toBool());
    EXPECT_TRUE(Root("CanRaise").toBool());
    EXPECT_FALSE(Root("HasTrackList").toBool());
    EXPECT_EQ(Root("SupportedUriSchemes").toStringList(), QStringList{"file"});
    EXPECT_TRUE(Root("SupportedMimeTypes").toStringList().contains("audio/mpeg"));
    EXPECT_EQ(Status(), "Stopped");
    PlayAndWait();

    // The metadata keep their types across the bus.
    const QVariantMap metadata = Metadata();
    EXPECT_EQ(metadata.value("mpris:trackid").userType(), qMetaTypeId<QDBusObjectPath>());
    EXPECT_EQ(metadata.value("mpris:length").userType(), QMetaType::LongLong);
    EXPECT_NEAR(metadata.value("mpris:length").toLongLong() / 1e6, 30.0, 1.0);
    EXPECT_EQ(metadata.value("xesam:title").toString(), "Track 1");
    EXPECT_EQ(metadata.value("xesam:artist").toStringList(), QStringList{"Tester"});
    EXPECT_EQ(metadata.value("xesam:album").toString(), "Tones");
    EXPECT_TRUE(metadata.value("xesam:url").toString().endsWith("Track%201.mp3"));
    EXPECT_EQ(Property("Position").userType(), QMetaType::LongLong);
    EXPECT_EQ(Property("Volume").toDouble(), 0.5);
    EXPECT_TRUE(Property("CanSeek").toBool());
    EXPECT_TRUE(Property("CanControl").toBool());
    EXPECT_EQ(Property("Rate").toDouble(), 1.0);
    EXPECT_EQ(Ctl({"metadata", "xesam:artist"}).out, "Tester");
    // The embedded picture is the art, a copy in the cache, shown by playerctl as any other field.
    const QString art = metadata.value("mpris:artUrl").toString();
    ASSERT_TRUE(art.startsWith("file:///")) << art.toStdString();
    const fs::path file = QUrl(art).toLocalFile().toStdString();
    EXPECT_EQ(file.parent_path(), m_folder.Path() / "cache" / "zelko" / "art");
    const std::string bytes = m_folder.ReadFile(file);
    EXPECT_EQ(TagBytes(bytes.begin(), bytes.end()), picture);
    EXPECT_EQ(Ctl({"metadata", "mpris:artUrl"}).out, art.toStdString());

    // SetPosition is ignored unless the track id is the playing one's.
    const QDBusObjectPath id = metadata.value("mpris:trackid").value<QDBusObjectPath>();
    const auto setPosition = QStringLiteral("SetPosition");
    EXPECT_TRUE(Call(PlayerInterface, setPosition, {QVariant::fromValue(QDBusObjectPath("/org/zelko/Zelko/Track/L999_9")), qlonglong{20'000'000}}));
    EXPECT_LT(Property("Position").toLongLong(), 10'000'000);
    EXPECT_TRUE(Call(PlayerInterface, setPosition, {QVariant::fromValue(id), qlonglong{20'000'000}}));
    EXPECT_GE(Property("Position").toLongLong(), 20'000'000);
    EXPECT_LT(Property("Position").toLongLong(), 22'000'000);

    Ctl({"next"});
    EXPECT_TRUE(WaitFor([&] { return Title() == "Track 2"; }));
    EXPECT_EQ(Status(), "Playing");
    // A track without a picture has no art; back again, the same file.
    EXPECT_TRUE(WaitFor([&] { return !Metadata().contains("mpris:artUrl"); }));
    Ctl({"previous"});
    EXPECT_TRUE(WaitFor([&] { return Title() == "Track 1"; }));
    EXPECT_EQ(Metadata().value("mpris:artUrl").toString(), art);
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);
    Ctl({"pause"});
    EXPECT_TRUE(WaitFor([&] { return Status() == "Paused"; }));
    Ctl({"play-pause"});
    EXPECT_TRUE(WaitFor([&] { return Status() == "Playing"; }));

    Ctl({"position", "12"});
    EXPECT_GE(Number({"position"}), 12.0);
    EXPECT_LT(Number({"position"}), 14.0);
    Ctl({"position", "5-"});
    const double back = Number({"position"});
    EXPECT_GE(back, 7.0);
    EXPECT_LT(back, 9.5);

    Ctl({"volume", "0.25"});
    EXPECT_DOUBLE_EQ(Number({"volume"}), 0.25);
    const std::vector<std::pair<QString, std::string>> loops{{"Playlist", "Playlist"}, {"None", "None"}, {"Track", "Playlist"}};
    for (const auto& [set, shown] : loops) {
        Ctl({"loop", set});
        EXPECT_EQ(Ctl({"loop"}).out, shown) << set.toStdString();
    }
    Ctl({"shuffle", "On"});
    EXPECT_EQ(Ctl({"shuffle"}).out, "On");
    Ctl({"stop"});
    EXPECT_TRUE(WaitFor([&] { return Status() == "Stopped"; }));

    // A file whose name needs percent-encoding in a URI, opened as a desktop
    // would; something else than a file is not opened.
    fs::create_directories(m_folder.Path() / "a b#c");
    const std::string song = MakeTone(m_folder.Path() / "a b#c", "Song D", 30.0);
    const QString uri = QString::fromUtf8(QUrl::fromLocalFile(QString::fromStdString(song)).toEncoded());
    EXPECT_EQ(Ctl({"open", uri}).exitCode, 0);
    EXPECT_TRUE(WaitFor([&] { return Title() == "Song D" && Status() == "Playing"; })) << Title();
    EXPECT_EQ(Ctl({"metadata", "xesam:url"}).out, uri.toStdString());
    Ctl({"open", "http://example.invalid/x.mp3"});
    WaitFor([] { return false; }, 500);
    EXPECT_EQ(Title(), "Song D");

    EXPECT_TRUE(Call(QStringLiteral("org.mpris.MediaPlayer2"), QStringLiteral("Quit")));
    ASSERT_TRUE(m_player->Process().waitForFinished(10000));
    EXPECT_EQ(m_player->Process().exitCode(), 0);
    const std::string ini = m_folder.ReadFile(m_folder.Ini());
    for (const char* line : {"Volume=25", "Repeat=-1", "Shuffle=-1"})
        EXPECT_NE(ini.find(line), std::string::npos) << line << " in " << ini;
}

// The skin's Pause button changes the status that playerctl follows, and a
// drag of the seek bar sends one Seeked signal.
TEST_F(MprisProgramTest, TheSkinsPauseButtonAndSeekBarReachTheBus)
{
    Start();
    PlayAndWait();
    QProcess follow;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DBUS_SESSION_BUS_ADDRESS", m_bus.Address());
    follow.setProcessEnvironment(env);
    follow.start(QStringLiteral("playerctl"), {"-p", "zelko", "--follow", "status"});
    ASSERT_TRUE(follow.waitForStarted(5000));
    QString seen;
    auto followed = [&](const char* status) {
        return WaitFor([&] {
            seen += QString::fromUtf8(follow.readAllStandardOutput());
            return seen.contains(status);
        });
    };
    ASSERT_TRUE(followed("Playing"));
    const QString window = QString::fromStdString(FindWindow({"--pid", QString::number(m_player->Pid())}));
    ASSERT_FALSE(window.isEmpty());
    // The Carbon skin's Pause button: 88,132 30x26.
    Xdotool({"mousemove", "--window", window, "103", "145"});
    Xdotool({"click", "1"});
    EXPECT_TRUE(followed("Paused")) << seen.toStdString();
    EXPECT_EQ(Status(), "Paused");
    follow.kill();
    follow.waitForFinished(5000);
    PlayAndWait();

    SeekedCounter counter;
    ASSERT_TRUE(m_bus.Connection().connect(BusName(), MprisPath, PlayerInterface, QStringLiteral("Seeked"), &counter,
                                           SLOT(OnSeeked(qlonglong))));
    // The Carbon skin's seek bar: 20,118 340x8; drag from a quarter to three quarters.
    Xdotool({"mousemove", "--window", window, "105", "122"});
    Xdotool({"mousedown", "1"});
    for (int x = 120; x <= 274; x += 22)
        Xdotool({"mousemove", "--window", window, QString::number(x), "122"});
    Xdotool({"mouseup", "1"});
    ASSERT_TRUE(WaitFor([&] { return counter.count >= 1; }));
    // A little longer: no more come for the same drag, nor for the progress.
    WaitFor([] { return false; }, 1500);
    EXPECT_EQ(counter.count, 1);
    // 254 of 339 pixels of a 30 s track.
    EXPECT_NEAR(counter.last / 1e6, 30.0 * (274 - 20) / 339.0, 1.0);
    EXPECT_NEAR(Number({"position"}), 30.0 * (274 - 20) / 339.0, 2.0);
}

// Later starts hand their files to the first player and end: played at once,
// or only added with --enqueue; without files they raise the first window.
TEST_F(MprisProgramTest, ASecondStartHandsItsFilesToTheFirstOrRaisesIt)
{
    fs::create_directories(m_folder.Path() / "minimize" / "log");
    const std::string b = MakeTone(m_folder.Path() / "minimize" / "log", "Song B", 30.0);
    const std::string e = MakeTone(m_folder.Path(), "Song E", 30.0);
    Start({QString::fromStdString(MakeTone(m_folder.Path(), "Song A", 30.0))});
    EXPECT_TRUE(WaitFor([&] { return Title() == "Song A" && Status() == "Playing"; }));
    // A path with "/minimize" in it is a file, not the switch: the window stays shown.
    const auto second = StartPlayer(m_folder.Path(), m_bus.Address(), {QString::fromStdString(b)});
    ASSERT_TRUE(second->Process().waitForFinished(20000));
    EXPECT_EQ(second->Process().exitCode(), 0);
    EXPECT_TRUE(WaitFor([&] { return Title() == "Song B" && Status() == "Playing"; })) << Title();
    const auto third = StartPlayer(m_folder.Path(), m_bus.Address(), {"--enqueue", QString::fromStdString(e)});
    ASSERT_TRUE(third->Process().waitForFinished(20000));
    EXPECT_EQ(third->Process().exitCode(), 0);
    // Still the same track; the new one comes after it.
    WaitFor([] { return false; }, 500);
    EXPECT_EQ(Title(), "Song B");
    Ctl({"next"});
    EXPECT_TRUE(WaitFor([&] { return Title() == "Song E"; })) << Title();
    SecondStartRaises(*m_player, m_bus.Address());
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
        auto keep = [this](const platform::WindowMessage& m) {
            if (m.copyData && m.wParam == protocol::CodeSongInfo && m.copyData->cbData == sizeof m_song)
                std::memcpy(&m_song, m.copyData->lpData, sizeof m_song);
            if (m.copyData && m.wParam == protocol::CodePlayState && m.copyData->cbData == sizeof m_state)
                std::memcpy(&m_state, m.copyData->lpData, sizeof m_state);
            return 0;
        };
        m_window = platform::MessageWindow::Open(keep, options).Window;
    }
    bool Ok() const { return m_window != nullptr; }

    // The file the player plays, or "" when it does not play or is paused.
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

TEST_F(MprisProgramTest, WithoutABusASecondStartHandsItsFileToTheFirstOrRaisesIt)
{
    const auto first = StartPlayer(m_folder.Path(), QString(), {"/log"});
    const fs::path log = m_folder.Path() / "Zelko.log";
    ASSERT_TRUE(WaitFor([&] { return m_folder.ReadFile(log).find("no session bus") != std::string::npos; }));
    const fs::path lock = m_folder.Path() / (desktop::InstanceBusName(desktop::RunKind::Develop, m_folder.Path().string()) + ".lock");
    ASSERT_TRUE(WaitFor([&] { return fs::exists(lock); }));
    SecondStartRaises(*first, QString());

    const std::string song = MakeTone(m_folder.Path(), "Song C", 30.0);
    const auto second = StartPlayer(m_folder.Path(), QString(), {QString::fromStdString(song)});
    ASSERT_TRUE(second->Process().waitForFinished(20000));
    EXPECT_EQ(second->Process().exitCode(), 0);
    EXPECT_EQ(first->Process().state(), QProcess::Running);
    // The first player took the file and plays it.
    WindowPeer peer(m_folder.Path() / "zelko");
    ASSERT_TRUE(peer.Ok());
    const auto handle = static_cast<platform::WindowHandle>(first->Pid());
    EXPECT_TRUE(WaitFor([&] { return peer.PlayingFile(handle) == song; })) << peer.PlayingFile(handle);
    // One line, and the later starts did not touch the first one's log.
    const std::string text = m_folder.ReadFile(log);
    EXPECT_EQ(text.find("no session bus"), text.rfind("no session bus")) << text;
    // The file is in the list the first player saves.
    first->Process().terminate();
    ASSERT_TRUE(first->Process().waitForFinished(10000));
    EXPECT_NE(m_folder.ReadFile(m_folder.List()).find("Song C.mp3"), std::string::npos);
}

} // namespace
} // namespace desktoptest

#include "MprisProgramTest.moc"
