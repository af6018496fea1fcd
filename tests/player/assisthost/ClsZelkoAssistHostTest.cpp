// The assist host against fake assists that speak the real wire format.
#include "player/assisthost/ClsZelkoAssistHost.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <mutex>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <thread>
#include <tuple>

#include "platform/MessagingTestSupport.h"
#include "player/assisthost/AssistHostTestSupport.h"
#include "protocol/AnalyzeRecord.h"
#include "protocol/RecordPayload.h"

using namespace assisthost;

using namespace std::chrono_literals;
using namespace protocol;
using platform::WindowHandle;
using testsupport::FakePlayer;
using testsupport::PeerThread;
using testsupport::TempEndpointDir;

namespace {

struct Received {
    std::uint32_t wParam = 0;
    std::uint32_t dwData = 0;
    std::vector<std::byte> payload;
};

// An assist on its own thread: records what it gets and may answer with a command.
class FakeAssist {
public:
    using Reaction = std::function<void(platform::MessageWindow& self, const Received& message)>;

    FakeAssist(const std::filesystem::path& dir, WindowHandle handle, Reaction react = {})
        : m_handle(handle)
        , m_peer(testsupport::WindowOptions(dir, handle), [this, react](platform::MessageWindow& self) {
            return [this, react, &self](const platform::WindowMessage& m) {
                if (m.msg == platform::WM_COPYDATA) {
                    const auto& cds = *m.copyData;
                    Received r{m.wParam, cds.dwData, {}};
                    const auto* data = static_cast<const std::byte*>(cds.lpData);
                    r.payload.assign(data, data + cds.cbData);
                    {
                        std::lock_guard lock(m_mutex);
                        m_received.push_back(r);
                    }
                    if (react)
                        react(self, r);
                } else if (m.msg == platform::WM_SYSCOMMAND) {
                    std::lock_guard lock(m_mutex);
                    ++m_closeCommands;
                }
                return 0;
            };
        })
    {
    }
    WindowHandle Handle() const { return m_handle; }
    std::vector<Received> Messages()
    {
        std::lock_guard lock(m_mutex);
        return m_received;
    }
    int CloseCommands()
    {
        std::lock_guard lock(m_mutex);
        return m_closeCommands;
    }

private:
    WindowHandle m_handle;
    std::mutex m_mutex;
    std::vector<Received> m_received;
    int m_closeCommands = 0;
    PeerThread m_peer;
};

void AddExecutable(const std::filesystem::path& path)
{
    std::ofstream(path.string()) << "#!/bin/sh\nexit 0\n";
    ::chmod(path.c_str(), 0755);
}

// The host with its hook in, over an Assist/ folder of fake executables.
struct LinkedHost {
    QApplication& qt = testsupport::TestApp();
    TempEndpointDir endpoints;
    TempEndpointDir app;
    FakePlayer player;
    QMenu menu;
    std::unique_ptr<ClsZelkoAssistHost> host;

    explicit LinkedHost(std::vector<std::string> names, std::chrono::milliseconds timeout = 1000ms,
                        const std::function<void(const std::filesystem::path&)>& beforeDiscovery = {})
    {
        std::filesystem::create_directory(Assist());
        for (const auto& n : names)
            AddExecutable(Assist() / n);
        if (beforeDiscovery)
            beforeDiscovery(Assist());
        ClsZelkoAssistHost::Options o;
        o.EndpointDirectory = endpoints.Path();
        o.SendTimeout = timeout;
        o.WaitRounds = 2;
        o.RoundWait = 50ms;
        host = std::make_unique<ClsZelkoAssistHost>(player, menu, app.Path(), o);
        player.Host = host.get();
        host->EnumAssists();
        host->InstallHook();
    }
    std::filesystem::path Assist() const { return app.Path() / "Assist"; }
    void Send(std::uint32_t word, std::int32_t lParam = 0)
    {
        host->Window()->Dispatch({.msg = platform::WM_USER, .wParam = word, .lParam = lParam});
    }
    void Announce(int position, WindowHandle hwnd) { Send(MakeCommand(CmdAnnounce, position), hwnd); }
};

template <typename Record>
Record As(const Received& r)
{
    Record out{};
    EXPECT_TRUE(CopyPayload(out, r.payload.data(), r.payload.size()));
    return out;
}

} // namespace

// Byte order, without ".exe"; a case twin, plain files, folders and late files do not count.
TEST(AssistHost, DiscoveryListsExecutablesByNameWithoutExe)
{
    LinkedHost h({"Zeta.EXE", ".hidden", "alpha", "ALPHA.exe", "Beta"}, 1000ms, [](const std::filesystem::path& assist) {
        std::filesystem::create_symlink(assist / "Beta", assist / "link");
        std::ofstream((assist / "notes.txt").string()) << "x";
        std::filesystem::create_directory(assist / "dir.exe");
    });
    AddExecutable(h.Assist() / "zz_late");

    std::vector<std::string> captions;
    for (const QAction* item : h.menu.actions())
        captions.push_back(item->text().toStdString());
    EXPECT_EQ(captions, (std::vector<std::string>{".hidden", "ALPHA", "Beta", "Zeta", "link"}));
    EXPECT_EQ(h.host->Assists()[3].ExeName(), (h.Assist() / "Zeta.EXE").string());
    EXPECT_EQ(h.host->Assists()[4].MenuIndex(), 4); // position 5 on its command line
    EXPECT_TRUE(h.menu.actions()[0]->isEnabled());
}

TEST(AssistHost, EmptyAssistFolderKeepsTheNoneItemAndWritesAnEmptySection)
{
    LinkedHost h({});
    ASSERT_EQ(h.menu.actions().size(), 1);
    EXPECT_FALSE(h.menu.actions()[0]->isEnabled());
    h.host->mnuP1AEnum_Click(0); // cannot be chosen: nothing happens
    EXPECT_TRUE(h.host->Assists().empty());
    EXPECT_EQ(h.host->AssistSectionData(), std::string(1, '\0'));
}

TEST(AssistHost, AssistSectionRoundTripIgnoresCaseAndUnknownNames)
{
    LinkedHost h({"RemoteZKA", "ScopeZKA"});
    for (const char* line : {"ExecuteFile=scopezka", "ExecuteFile=NoSuchAssist", "no equals sign", "AnyKey=REMOTEZKA"})
        h.host->SelectAssistFromIni(line);
    const auto lines = h.host->AssistSectionLines();
    EXPECT_EQ(lines, (std::vector<std::string>{"ExecuteFile=RemoteZKA", "ExecuteFile=ScopeZKA"}));
    EXPECT_EQ(h.host->AssistSectionData(), std::string("ExecuteFile=RemoteZKA\0ExecuteFile=ScopeZKA\0\0", 44));

    // The next run reads the section back; closing one drops it again.
    LinkedHost next({"RemoteZKA", "ScopeZKA"});
    for (const auto& line : lines)
        next.host->SelectAssistFromIni(line);
    EXPECT_TRUE(next.host->Assists()[0].Selected());
    EXPECT_TRUE(next.host->Assists()[1].Selected());
    next.Announce(2, next.host->Handle());
    next.host->CloseAssist(next.host->Handle());
    EXPECT_EQ(next.host->AssistSectionLines(), (std::vector<std::string>{"ExecuteFile=RemoteZKA"}));
    EXPECT_FALSE(next.menu.actions()[1]->isChecked());
}

TEST(AssistHost, AnnouncementLinksTheEntryAtItsPosition)
{
    LinkedHost h({"one", "two", "three"});
    FakeAssist assist(h.endpoints.Path(), 4242);
    h.Announce(3, assist.Handle());
    EXPECT_TRUE(h.host->Assists()[2].Enabled());
    EXPECT_TRUE(h.host->AssistReady());
    EXPECT_FALSE(h.host->Assists()[0].Enabled());

    // Positions outside the list are ignored.
    h.Announce(0, assist.Handle());
    h.Announce(4, assist.Handle());
    EXPECT_EQ(h.host->Assists()[1].hwnd(), 0);

    // A handle with no window yet is not linked: no notifications, but its requests are answered.
    h.Announce(1, 4243);
    EXPECT_EQ(h.host->Assists()[0].hwnd(), 4243);
    EXPECT_FALSE(h.host->Assists()[0].Enabled());
    FakeAssist late(h.endpoints.Path(), 4243);
    h.host->NotifyAssists(NotifyPlay);
    h.host->SendAnalyze(protocol::AnalyzeRecord{});
    EXPECT_TRUE(late.Messages().empty());
    h.Send(CmdPlayInfo, late.Handle());
    EXPECT_EQ(late.Messages().size(), 1u);
}

TEST(AssistHost, EveryCommandWordReachesItsHandlerAndOthersAreIgnored)
{
    LinkedHost h({"remote"});
    FakeAssist assist(h.endpoints.Path(), 5001);
    h.Announce(1, assist.Handle());
    // Each row: the words sent (with the assist's handle) and the calls they make.
    const std::vector<std::pair<std::vector<std::uint32_t>, std::vector<std::string>>> rows{
        {{0x0F080000, 0x0F091234, 0x0F0AFFFF, 0x0F0B0001, 0x0F0C0000, 0x0F100000, 0x0F11ABCD},
         {"Play", "Pause", "Stop", "PTrack", "NTrack", "Repeat", "Shuffle"}},
        // The second of each pair finds the window already so.
        {{0x0F300000, 0x0F300000, 0x0F300001, 0x0F300001}, {"Minimize", "Restore"}},
        {{0x0F06FFFF, 0x0F060000, 0x0F060037}, {"Volume 100", "Volume 0", "Volume 55"}},
        {{0x0F200000, 0x0F21FFFF}, {"AnalyzeOn", "ClearAnalyzer", "AnalyzeOff"}},
        // Words compared exactly or by their high half that name nothing.
        {{0x0F000007u, 0x0F300003u, 0x0F010001u, 0x0F050000u, 0x0E080000u, 0x0F120000u, 0u}, {}},
    };
    for (const auto& [words, calls] : rows) {
        SCOPED_TRACE(calls.empty() ? "unknown words" : calls.front());
        h.player.Calls.clear();
        const std::size_t before = assist.Messages().size();
        for (const std::uint32_t word : words)
            h.Send(word, assist.Handle());
        EXPECT_EQ(h.player.Calls, calls);
        if (calls.empty()) {
            EXPECT_EQ(assist.Messages().size(), before);
        }
    }
    EXPECT_EQ(h.player.State.Volume, 55);

    // The assist reports it is closing.
    h.Send(0x0F300002, assist.Handle());
    EXPECT_FALSE(h.host->Assists()[0].Enabled());
    EXPECT_FALSE(h.host->Assists()[0].Selected());
}

TEST(AssistHost, RequestsAreAnsweredToTheAskingWindowOnly)
{
    LinkedHost h({"a", "b"});
    FakeAssist asking(h.endpoints.Path(), 5101);
    FakeAssist other(h.endpoints.Path(), 5102);
    h.Announce(1, asking.Handle());
    h.Announce(2, other.Handle());
    h.player.State.Volume = 80;
    h.player.State.bPlay = VbTrue;
    h.player.Decoder = 2;
    h.host->SetSongInfo(SongInfoField::Mp3File, "/music/日本.mp3");
    h.host->SetSongInfo(SongInfoField::TrackName, "Title");
    h.host->SetSongInfo(SongInfoField::ArtistName, "Artist");
    h.host->SetSongInfo(SongInfoField::ArtistName, "");

    h.Send(CmdPlayInfo, asking.Handle());
    h.Send(CmdSongInfo, asking.Handle());

    const auto got = asking.Messages();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(std::tie(got[0].wParam, got[0].dwData), std::tie(CodePlayState, NotifyPlayInfoReply));
    const auto state = As<PlayStateRecord>(got[0]);
    EXPECT_EQ(state.Volume, 80);
    EXPECT_EQ(state.DecoderState, 2); // read from the decoder before replying
    EXPECT_EQ(state.bPlay, VbTrue);
    EXPECT_EQ(std::tie(got[1].wParam, got[1].dwData), std::tie(CodeSongInfo, CodeSongInfo));
    const auto song = As<SongInfoRecord>(got[1]);
    EXPECT_EQ(SongFieldBytes(song.TrackName), "Title");
    EXPECT_EQ(song.ArtistName[0], '\0'); // overwritten with nothing
    EXPECT_EQ(SongFieldText(song.Mp3File), "/music/日本.mp3");
    EXPECT_TRUE(other.Messages().empty());
}

TEST(AssistHost, NotificationsGoToEnabledAssistsInListOrder)
{
    LinkedHost h({"a", "b", "c"});
    std::vector<WindowHandle> order;
    std::mutex orderMutex;
    auto note = [&](WindowHandle who) {
        return [&, who](platform::MessageWindow&, const Received&) {
            std::lock_guard lock(orderMutex);
            order.push_back(who);
        };
    };
    FakeAssist a(h.endpoints.Path(), 5201, note(5201));
    FakeAssist c(h.endpoints.Path(), 5203, note(5203));
    h.Announce(3, c.Handle());
    h.Announce(1, a.Handle());
    // b never announced: it gets nothing.

    h.player.Decoder = 1;
    h.host->NotifyAssists(NotifyPlay);
    h.player.Decoder = 0;
    h.player.State.Volume = 30;
    h.host->NotifyVolume(); // does not read the decoder state
    AnalyzeRecord sent{};
    sent.PlayMs = 1234;
    sent.Spectrum2[7] = -3;
    h.host->SendAnalyze(sent);

    EXPECT_EQ(order, (std::vector<WindowHandle>{5201, 5203, 5201, 5203, 5201, 5203}));
    const auto got = a.Messages();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].dwData, NotifyPlay);
    EXPECT_EQ(As<PlayStateRecord>(got[0]).DecoderState, 1);
    EXPECT_EQ(got[1].dwData, NotifyVolume);
    EXPECT_EQ(As<PlayStateRecord>(got[1]).DecoderState, 1);
    EXPECT_EQ(As<PlayStateRecord>(got[1]).Volume, 30);
    EXPECT_EQ(std::tie(got[2].wParam, got[2].dwData), std::tie(CodeAnalyze, CodeAnalyze));
    const auto analyze = As<AnalyzeRecord>(got[2]);
    EXPECT_EQ(analyze.PlayMs, 1234);
    EXPECT_EQ(analyze.Spectrum2[7], -3);
}

TEST(AssistHost, TheBusyFlagSuppressesTheVolumeEchoOnlyInsideTheHook)
{
    LinkedHost h({"remote"});
    // Like RemoteZKA's volume bar: a volume notification is answered with another volume.
    FakeAssist assist(h.endpoints.Path(), 5301, [&](platform::MessageWindow& self, const Received& r) {
        if (r.wParam == CodePlayState && r.dwData == NotifyVolume) {
            const auto state = As<PlayStateRecord>(r);
            self.SendMessage(h.host->Handle(), platform::WM_USER, MakeCommand(CmdVolume, state.Volume + 7), 0);
        }
    });
    h.Announce(1, assist.Handle());

    // A volume command from the assist: the echo arrives while the hook is busy.
    h.Send(MakeCommand(CmdVolume, 40));
    EXPECT_EQ(h.player.Calls, (std::vector<std::string>{"Volume 40"}));
    EXPECT_FALSE(h.host->InHook());

    // A volume change of the player's own (volume buttons): the echo runs nested.
    h.player.Calls.clear();
    h.player.State.Volume = 10;
    h.host->NotifyVolume();
    EXPECT_EQ(h.player.Calls, (std::vector<std::string>{"Volume 17"}));
}

TEST(AssistHost, TheHookCallsThePreviousProcedureOnAndCommandsStopWhenItIsOut)
{
    LinkedHost h({});
    h.host->RemoveHook();
    int previousCalls = 0;
    h.host->Window()->SetWindowProcedure([&](const platform::WindowMessage&) {
        ++previousCalls;
        return 5;
    });
    h.host->InstallHook();
    EXPECT_EQ(h.host->Window()->Dispatch({.msg = platform::WM_USER, .wParam = 0x0F080000, .lParam = 0}), 5);
    EXPECT_EQ(h.player.Calls, (std::vector<std::string>{"Play"}));
    EXPECT_EQ(previousCalls, 1);

    h.host->RemoveHook();
    h.Send(0x0F080000);
    EXPECT_EQ(h.player.Calls, (std::vector<std::string>{"Play"}));
    EXPECT_EQ(previousCalls, 2);
}

// A hung assist and one that never reads its endpoint are unlinked but stay selected.
TEST(AssistHost, AnAssistThatDoesNotAnswerIsUnlinkedButStaysSelected)
{
    LinkedHost h({"a_slow", "b_blocking", "c_quick"}, 150ms);
    std::atomic<bool> hang{true};
    FakeAssist slow(h.endpoints.Path(), 5401, [&](platform::MessageWindow&, const Received&) {
        if (hang)
            std::this_thread::sleep_for(600ms);
    });
    const WindowHandle blocking = 5402;
    const std::filesystem::path path = h.endpoints.Path() / std::to_string(blocking);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(fd, 8), 0);
    FakeAssist quick(h.endpoints.Path(), 5403);
    h.host->SelectAssistFromIni("ExecuteFile=a_slow");
    h.host->SelectAssistFromIni("ExecuteFile=b_blocking");
    h.Announce(1, slow.Handle());
    h.Announce(2, blocking);
    h.Announce(3, quick.Handle());
    ASSERT_TRUE(h.host->Assists()[1].Enabled());

    h.Send(CmdPlayInfo, blocking); // the reply cannot be delivered
    EXPECT_FALSE(h.host->Assists()[1].Enabled());
    h.host->SendAnalyze(AnalyzeRecord{});
    for (std::size_t i : {0u, 1u}) {
        EXPECT_FALSE(h.host->Assists()[i].Enabled()) << i;
        EXPECT_TRUE(h.host->Assists()[i].Selected()) << i;
        EXPECT_TRUE(h.menu.actions()[static_cast<int>(i)]->isChecked()) << i;
    }
    EXPECT_EQ(h.host->AssistSectionLines(), (std::vector<std::string>{"ExecuteFile=a_slow", "ExecuteFile=b_blocking"}));
    h.host->NotifyAssists(NotifyPlay);
    EXPECT_EQ(quick.Messages().size(), 2u);
    hang = false;
    ::close(fd);
}

// A linked one is sent the close command; at shut-down only the enabled ones are.
TEST(AssistHost, ChoosingACheckedAssistClosesAndUnchecksIt)
{
    LinkedHost h({"gone", "linked", "never"});
    FakeAssist assist(h.endpoints.Path(), 5501);
    for (const char* line : {"ExecuteFile=linked", "ExecuteFile=never"})
        h.host->SelectAssistFromIni(line);
    h.Announce(2, assist.Handle());
    h.host->CloseAssist(0); // the empty handle closes nothing
    EXPECT_TRUE(h.host->Assists()[2].Selected());
    h.host->mnuP1AEnum_Click(1);
    EXPECT_EQ(assist.CloseCommands(), 1);
    h.menu.actions()[2]->trigger(); // as the user's menu choice
    for (std::size_t i : {1u, 2u}) {
        EXPECT_FALSE(h.menu.actions()[static_cast<int>(i)]->isChecked()) << i;
        EXPECT_FALSE(h.host->Assists()[i].Selected()) << i;
        EXPECT_FALSE(h.host->Assists()[i].Enabled()) << i;
    }

    std::filesystem::remove(h.Assist() / "gone");
    h.host->mnuP1AEnum_Click(0);
    EXPECT_FALSE(h.host->Assists()[0].Selected());
    EXPECT_FALSE(h.menu.actions()[0]->isChecked());
    EXPECT_FALSE(h.host->ExecuteAssist((h.Assist() / "gone").string(), 1));

    h.Announce(2, assist.Handle());
    h.host->RemoveHook();
    h.host->ClearAssists();
    EXPECT_EQ(assist.CloseCommands(), 2);
    EXPECT_TRUE(h.host->Assists().empty());
    ASSERT_EQ(h.menu.actions().size(), 1);
    EXPECT_EQ(h.menu.actions()[0]->text(), QString::fromUtf8("<なし>"));
}
