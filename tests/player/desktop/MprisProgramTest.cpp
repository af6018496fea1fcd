// The real player on a private session bus, driven by playerctl and by direct
// calls where the types matter; the mapping rules are MprisPropertiesTest's.
#include "support/Id3PictureTag.h"
#include "support/PlayerProgramFixture.h"
#include "support/ToneMp3.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QProcess>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const QString MprisPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString RootInterface = QStringLiteral("org.mpris.MediaPlayer2");
const QString PlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        ::usleep(10000);
    }
    return true;
}

struct ToolResult {
    int exitCode = -1;
    std::string out;
};

// A dbus-daemon of the test's own, ended with the test.
class PrivateBus {
public:
    PrivateBus()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
        if (!m_daemon.waitForStarted(5000))
            return;
        // Read the address without depending on an event loop turning.
        for (int waited = 0; !m_daemon.canReadLine() && waited < 20; ++waited)
            m_daemon.waitForReadyRead(500);
        if (!m_daemon.canReadLine())
            return;
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        m_connection = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(m_address, m_name));
    }
    ~PrivateBus()
    {
        m_connection.reset();
        QDBusConnection::disconnectFromBus(m_name);
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool Ok() const { return !m_address.isEmpty() && m_connection && m_connection->isConnected(); }
    const QString& Address() const { return m_address; }
    QDBusConnection& Connection() { return *m_connection; }

private:
    QProcess m_daemon;
    QString m_address;
    const QString m_name = QStringLiteral("test-bus");
    std::unique_ptr<QDBusConnection> m_connection;
};

// A mono tone MP3 with title (the name), artist and album tags.
std::string MakeTone(const fs::path& folder, const std::string& name, double seconds)
{
    const testsupport::Tone tone{440.0, seconds, 22050, 1, 8000.0 / 32767.0};
    const fs::path mp3 = testsupport::MakeToneMp3(folder, name, tone,
                                                  "-m m -b 32 --tt '" + name + "' --ta 'Tester' --tl 'Tones'");
    fs::remove(folder / (name + ".wav"));
    return mp3.string();
}

// With an empty address there is no bus; the lock and endpoints live in the folder.
std::unique_ptr<testsupport::PlayerProgram> StartPlayer(const fs::path& folder, const QString& busAddress,
                                                        const QStringList& arguments = {})
{
    const QString noBus = QString::fromStdString("unix:path=" + (folder / "no-bus-here").string());
    testsupport::PlayerProgram::Variables variables{
        {"QT_QPA_PLATFORM", "xcb"},
        // Without these the program ends at its first window under the sanitizers.
        {"ASAN_OPTIONS", "strict_string_checks=1:detect_leaks=0:suppressions=" ZELKO_SOURCE_DIR "/tests/player/screen/asan.supp"},
        {"XDG_CACHE_HOME", QString::fromStdString((folder / "cache").string())},
        {"DBUS_SESSION_BUS_ADDRESS", busAddress.isEmpty() ? noBus : busAddress}};
    if (busAddress.isEmpty())
        variables.emplace_back("XDG_RUNTIME_DIR", QString::fromStdString(folder.string()));
    return std::make_unique<testsupport::PlayerProgram>(folder, arguments, variables);
}

// The player's signals as they come over the bus.
class SignalRecorder : public QObject {
    Q_OBJECT
public:
    int seeked = 0;
    qlonglong lastSeekedTo = -1;
    QVariantMap changed;
public slots:
    void OnSeeked(qlonglong position)
    {
        ++seeked;
        lastSeekedTo = position;
    }
    void OnPropertiesChanged(const QString&, const QVariantMap& properties, const QStringList&)
    {
        changed.insert(properties);
    }
};

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

    // playerctl run to its end on the private bus.
    ToolResult Ctl(const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SESSION_BUS_ADDRESS", m_bus.Address());
        process.setProcessEnvironment(env);
        process.start(QStringLiteral("playerctl"), QStringList{"-p", "zelko"} + arguments);
        if (!process.waitForFinished(15000))
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()).trimmed().toStdString()};
    }
    std::string Status() { return Ctl({"status"}).out; }
    std::string Title() { return Ctl({"metadata", "xesam:title"}).out; }

    // A property of the player interface, or of another one.
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
    bool Call(const QString& interface, const QString& method, const QVariantList& arguments = {})
    {
        QDBusMessage call = QDBusMessage::createMethodCall(BusName(), MprisPath, interface, method);
        call.setArguments(arguments);
        return m_bus.Connection().call(call).type() == QDBusMessage::ReplyMessage;
    }

    PrivateBus m_bus;
    testsupport::PlayerProgramFolder m_folder;
    std::vector<std::string> m_tracks;
    std::unique_ptr<testsupport::PlayerProgram> m_player;
};

} // namespace

// Quit is the normal shut-down, so the settings show what the bus changed.
TEST_F(MprisProgramTest, EveryMethodAndPropertyWorksOverTheBusAndQuitSavesWhatTheyChanged)
{
    using namespace testsupport;
    const TagBytes picture = PngLikeBytes(7, 2000);
    PrependTag(m_tracks[0], Tag(3, {TextFrame(3, "Track 1"), PictureFrame(3, TagPicture{3, "image/png", 0, "", picture})}));
    Start();
    const std::vector<std::pair<QString, QVariant>> root{
        {"Identity", QStringLiteral("Zelko")},
        {"DesktopEntry", QStringLiteral("zelko")},
        {"CanQuit", true},
        {"CanRaise", true},
        {"HasTrackList", false},
        {"SupportedUriSchemes", QStringList{"file"}},
    };
    for (const auto& [name, value] : root)
        EXPECT_EQ(Property(name, RootInterface), value) << name.toStdString();
    EXPECT_TRUE(Property("SupportedMimeTypes", RootInterface).toStringList().contains("audio/mpeg"));
    SignalRecorder signals_;
    ASSERT_TRUE(m_bus.Connection().connect(BusName(), MprisPath, PlayerInterface, QStringLiteral("Seeked"), &signals_,
                                           SLOT(OnSeeked(qlonglong))));
    ASSERT_TRUE(m_bus.Connection().connect(BusName(), MprisPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                           QStringLiteral("PropertiesChanged"), &signals_,
                                           SLOT(OnPropertiesChanged(QString, QVariantMap, QStringList))));
    EXPECT_EQ(Status(), "Stopped");
    Ctl({"play"});
    ASSERT_TRUE(WaitFor([&] { return signals_.changed.value("PlaybackStatus").toString() == "Playing"; }));

    // The metadata keep their types across the bus; the tag's picture is the art.
    QVariantMap metadata;
    Property("Metadata").value<QDBusArgument>() >> metadata;
    EXPECT_EQ(metadata.value("mpris:trackid").userType(), qMetaTypeId<QDBusObjectPath>());
    EXPECT_EQ(metadata.value("mpris:length").userType(), QMetaType::LongLong);
    EXPECT_EQ(metadata.value("xesam:title").toString(), "Track 1");
    const std::string art = m_folder.ReadFile(QUrl(metadata.value("mpris:artUrl").toString()).toLocalFile().toStdString());
    EXPECT_EQ(TagBytes(art.begin(), art.end()), picture);
    const std::vector<std::pair<QString, QVariant>> properties{
        {"Volume", 0.5},
        {"Rate", 1.0},
        {"MinimumRate", 1.0},
        {"MaximumRate", 1.0},
        {"LoopStatus", QStringLiteral("None")},
        {"Shuffle", false},
        {"CanGoNext", true},
        {"CanGoPrevious", true},
        {"CanPlay", true},
        {"CanPause", true},
        {"CanSeek", true},
        {"CanControl", true},
    };
    for (const auto& [name, value] : properties)
        EXPECT_EQ(Property(name), value) << name.toStdString();

    // SetPosition needs the playing track's id; each seek sends one Seeked, playing sends none.
    const QVariant otherTrack = QVariant::fromValue(QDBusObjectPath("/org/zelko/Zelko/Track/L999_9"));
    EXPECT_TRUE(Call(PlayerInterface, QStringLiteral("SetPosition"), {otherTrack, qlonglong{20'000'000}}));
    EXPECT_LT(Property("Position").toLongLong(), 10'000'000);
    EXPECT_TRUE(Call(PlayerInterface, QStringLiteral("SetPosition"), {metadata.value("mpris:trackid"), qlonglong{20'000'000}}));
    EXPECT_GE(Property("Position").toLongLong(), 20'000'000);
    Ctl({"position", "5-"});
    EXPECT_TRUE(WaitFor([&] { return signals_.seeked == 2; }));
    WaitFor([] { return false; }, 1500);
    EXPECT_EQ(signals_.seeked, 2);
    EXPECT_NEAR(signals_.lastSeekedTo / 1e6, 15.0, 1.5);

    Ctl({"next"});
    EXPECT_TRUE(WaitFor([&] { return Title() == "Track 2"; }));
    Ctl({"previous"});
    EXPECT_TRUE(WaitFor([&] { return Title() == "Track 1"; }));
    Ctl({"pause"});
    EXPECT_TRUE(WaitFor([&] { return Status() == "Paused"; }));
    Ctl({"play-pause"});
    EXPECT_TRUE(WaitFor([&] { return Status() == "Playing"; }));
    Ctl({"volume", "0.25"});
    Ctl({"loop", "Playlist"});
    Ctl({"shuffle", "On"});
    Ctl({"stop"});
    EXPECT_TRUE(WaitFor([&] { return Status() == "Stopped"; }));

    // A file whose name needs percent-encoding in a URI, opened as a desktop would.
    fs::create_directories(m_folder.Path() / "a b#c");
    const std::string song = MakeTone(m_folder.Path() / "a b#c", "Song D", 30.0);
    const QString uri = QString::fromUtf8(QUrl::fromLocalFile(QString::fromStdString(song)).toEncoded());
    EXPECT_EQ(Ctl({"open", uri}).exitCode, 0);
    EXPECT_TRUE(WaitFor([&] { return Title() == "Song D" && Status() == "Playing"; })) << Title();
    // Something else than a file is not opened.
    Ctl({"open", "http://example.invalid/x.mp3"});
    WaitFor([] { return false; }, 500);
    EXPECT_EQ(Title(), "Song D");

    EXPECT_TRUE(Call(RootInterface, QStringLiteral("Raise")));
    EXPECT_TRUE(Call(RootInterface, QStringLiteral("Quit")));
    ASSERT_TRUE(m_player->Process().waitForFinished(10000));
    EXPECT_EQ(m_player->Process().exitCode(), 0);
    const std::string ini = m_folder.ReadFile(m_folder.Ini());
    for (const char* line : {"Volume=25", "Repeat=-1", "Shuffle=-1"})
        EXPECT_NE(ini.find(line), std::string::npos) << line << " in " << ini;
}

// With --enqueue the files are added after the track that plays.
TEST_F(MprisProgramTest, ASecondStartHandsItsFilesToTheFirst)
{
    const std::string e = MakeTone(m_folder.Path(), "Song E", 30.0);
    Start({QString::fromStdString(MakeTone(m_folder.Path(), "Song A", 30.0))});
    EXPECT_TRUE(WaitFor([&] { return Title() == "Song A" && Status() == "Playing"; }));
    const auto second = StartPlayer(m_folder.Path(), m_bus.Address(), {"--enqueue", QString::fromStdString(e)});
    ASSERT_TRUE(second->Process().waitForFinished(20000));
    EXPECT_EQ(second->Process().exitCode(), 0);
    WaitFor([] { return false; }, 500);
    EXPECT_EQ(Title(), "Song A");
    Ctl({"next"});
    EXPECT_TRUE(WaitFor([&] { return Title() == "Song E"; })) << Title();
}

TEST_F(MprisProgramTest, WithoutABusASecondStartHandsItsFileToTheFirst)
{
    const auto first = StartPlayer(m_folder.Path(), QString(), {"/log"});
    const fs::path log = m_folder.Path() / "Zelko.log";
    ASSERT_TRUE(WaitFor([&] { return m_folder.ReadFile(log).find("no session bus") != std::string::npos; }));
    const std::string song = MakeTone(m_folder.Path(), "Song C", 30.0);
    const auto second = StartPlayer(m_folder.Path(), QString(), {QString::fromStdString(song)});
    ASSERT_TRUE(second->Process().waitForFinished(20000));
    EXPECT_EQ(second->Process().exitCode(), 0);
    // One line: the later starts did not touch the first one's log.
    const std::string text = m_folder.ReadFile(log);
    EXPECT_EQ(text.find("no session bus"), text.rfind("no session bus")) << text;
    // The first player took the file: it is in the list it saves as it ends.
    first->Process().terminate();
    ASSERT_TRUE(first->Process().waitForFinished(10000));
    EXPECT_NE(m_folder.ReadFile(m_folder.List()).find("Song C.mp3"), std::string::npos);
}

#include "MprisProgramTest.moc"
