// The message window between programs over its real sockets, with real peers
// and raw clients that misbehave (one file: the cases share those peers).
#include "platform/MessageWindow.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/MessagingTestSupport.h"
#include "platform/RequestFrame.h"

using namespace platform;
using namespace std::chrono_literals;
using testsupport::PeerThread;
using testsupport::TempEndpointDir;
using testsupport::WindowOptions;

namespace {

// Qt socket notifiers in an event loop, or polling by the program itself.
enum class Loop { Poll,
                  Qt };

std::unique_ptr<MessageWindow> OpenWindow(const std::filesystem::path& dir, WindowHandle handle,
                                          WindowProcedure procedure = {}, Loop loop = Loop::Poll,
                                          std::chrono::milliseconds timeout = 1000ms)
{
    static int argc = 1;
    static char name[] = "test_platform";
    static char* argv[] = {name, nullptr};
    if (loop == Loop::Qt && QCoreApplication::instance() == nullptr)
        new QCoreApplication(argc, argv); // lives until the process ends
    auto options = WindowOptions(dir, handle, timeout);
    options.UseQtNotifiers = loop == Loop::Qt;
    auto opened = MessageWindow::Open(std::move(procedure), options);
    EXPECT_TRUE(opened.Window) << opened.Error;
    return std::move(opened.Window);
}

// Serves what has arrived until done() holds or the limit passes.
template <typename Condition>
void PumpUntil(MessageWindow& window, Loop loop, Condition done, std::chrono::milliseconds limit = 3s)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < until) {
        if (loop == Loop::Qt)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        else
            window.WaitAndDispatch(10ms);
    }
}

sockaddr_un AddressOf(const std::filesystem::path& path)
{
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    std::strcpy(a.sun_path, path.c_str());
    return a;
}

// A socket file no window serves: closed, a program that ended; listening, a hung one.
int BindWithoutWindow(const std::filesystem::path& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const sockaddr_un a = AddressOf(path);
    EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a), 0);
    return fd;
}

std::vector<std::byte> Requests(std::uint32_t count)
{
    std::vector<std::byte> bytes;
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto header = RequestFrame::EncodeHeader({WM_USER, i, 0, 0, 0});
        bytes.insert(bytes.end(), header.begin(), header.end());
    }
    return bytes;
}

// A raw client socket connected to an endpoint, for feeding bytes by hand.
class RawClient {
public:
    enum class Connect { Wait,
                         NoWait };
    explicit RawClient(const std::filesystem::path& path, Connect mode = Connect::Wait)
        : m_fd(::socket(AF_UNIX, SOCK_STREAM | (mode == Connect::NoWait ? SOCK_NONBLOCK : 0), 0))
    {
        const sockaddr_un a = AddressOf(path);
        m_connected = ::connect(m_fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
    }
    ~RawClient() { ::close(m_fd); }
    bool Connected() const { return m_connected; }
    void Write(std::span<const std::byte> bytes) { ASSERT_EQ(::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL), (ssize_t)bytes.size()); }
    // Up to n bytes, waiting at most the given time (none and Closed() when the peer closed).
    std::vector<std::byte> Read(std::size_t n, std::chrono::milliseconds wait = 500ms)
    {
        std::vector<std::byte> out(n);
        timeval tv{0, static_cast<suseconds_t>(std::chrono::microseconds(wait).count())};
        ::setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        const ssize_t got = ::recv(m_fd, out.data(), n, MSG_WAITALL);
        m_closed = got == 0;
        out.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        return out;
    }
    bool Closed() const { return m_closed; }

private:
    int m_fd;
    bool m_connected = false;
    bool m_closed = false;
};

std::int32_t Echo(const WindowMessage& m)
{
    return static_cast<std::int32_t>(m.wParam);
}

} // namespace

TEST(MessageWindow, ASendToItselfCallsItsProcedureDirectly)
{
    TempEndpointDir dir;
    auto window = OpenWindow(dir.Path(), 501, [](const WindowMessage& m) {
        EXPECT_EQ(m.hwnd, 501);
        return static_cast<std::int32_t>(m.msg + 1000);
    });
    ASSERT_TRUE(window);
    EXPECT_EQ(window->SendMessage(501, WM_USER, 0, 0).Result(), 1000 + 0x400);
    EXPECT_EQ(CallWindowProc({}, {.hwnd = 1, .msg = WM_USER}), 0);
}

TEST(MessageWindow, EndpointIsCreatedRemovedAndAStaleOneReplacedAndNoWindowAnswersAtOnce)
{
    TempEndpointDir dir;
    const auto path = dir.Path() / "502";
    {
        auto window = OpenWindow(dir.Path(), 502);
        ASSERT_TRUE(window);
        EXPECT_EQ(window->EndpointPath(), path);
        EXPECT_TRUE(std::filesystem::exists(path));
        // A second live window with the same handle is refused.
        auto twin = MessageWindow::Open({}, WindowOptions(dir.Path(), 502));
        EXPECT_FALSE(twin.Window);
        EXPECT_FALSE(twin.Error.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(path));

    // Nothing listens on a socket file left by a program that ended: a send must not wait its hour.
    ::close(BindWithoutWindow(path));
    auto observer = OpenWindow(dir.Path(), 503, {}, Loop::Poll, 1h);
    EXPECT_FALSE(observer->IsWindow(502));
    for (const WindowHandle none : {502, 999999, 0, -7})
        EXPECT_EQ(observer->SendMessage(none, WM_USER, 0x0F080000, 0).Status, SendStatus::NoWindow) << none;
    EXPECT_FALSE(observer->IsWindow(0));
    EXPECT_TRUE(observer->IsWindow(503));
    auto window = OpenWindow(dir.Path(), 502);
    ASSERT_TRUE(window);
    EXPECT_TRUE(observer->IsWindow(502));
}

TEST(MessageWindow, RequestsAndCopyDataReachThePeerAndRepliesComeBack)
{
    TempEndpointDir dir;
    std::atomic<int> calls{0};
    std::vector<std::byte> lastPayload;
    std::uint32_t lastDwData = 0;
    PeerThread peer(WindowOptions(dir.Path(), 602), [&](MessageWindow&) {
        return [&](const WindowMessage& m) -> std::int32_t {
            ++calls;
            EXPECT_EQ(m.hwnd, 602);
            if (m.msg == WM_COPYDATA) {
                const CopyDataStruct& cds = *m.copyData;
                lastDwData = cds.dwData;
                const auto* data = static_cast<const std::byte*>(cds.lpData);
                lastPayload.assign(data, data + cds.cbData);
                return static_cast<std::int32_t>(cds.cbData);
            }
            if (m.msg == WM_USER)
                return static_cast<std::int32_t>(m.wParam) + m.lParam;
            return -5;
        };
    });
    auto window = OpenWindow(dir.Path(), 601);
    EXPECT_EQ(window->SendMessage(602, WM_USER, 40, 2).Result(), 42);
    EXPECT_EQ(window->SendMessage(602, WM_USER, 0, -43).Result(), -43);
    EXPECT_EQ(window->SendMessage(602, WM_SYSCOMMAND, SC_CLOSE, 0).Result(), -5);

    std::vector<std::byte> payload(2056);
    for (std::size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<std::byte>(i * 7);
    EXPECT_EQ(window->SendCopyData(602, 0x0F020000, 0x0F020000, payload).Result(), 2056);
    EXPECT_EQ(lastPayload, payload);
    EXPECT_EQ(lastDwData, 0x0F020000u);
    // The largest payload passes, one byte more is refused before sending.
    std::vector<std::byte> big(MaxCopyDataBytes, std::byte{1});
    EXPECT_EQ(window->SendCopyData(602, 1, 2, big).Result(), 65536);
    big.push_back(std::byte{0});
    EXPECT_EQ(window->SendCopyData(602, 1, 2, big).Status, SendStatus::Invalid);
    EXPECT_EQ(calls.load(), 5);
    // Many requests on the one kept connection are answered in order.
    for (std::uint32_t i = 0; i < 500; ++i)
        ASSERT_EQ(window->SendMessage(602, WM_USER, i, 1).Result(), static_cast<std::int32_t>(i + 1));
}

TEST(MessageWindow, WhileASendWaitsRequestsToTheSenderRunNested)
{
    TempEndpointDir dir;
    // The peer answers a request by first sending one back to its sender.
    PeerThread peer(WindowOptions(dir.Path(), 702), [](MessageWindow& self) {
        return [&self](const WindowMessage& m) -> std::int32_t {
            if (m.msg != WM_USER)
                return 0;
            const SendOutcome back = self.SendMessage(701, WM_USER, m.wParam * 10, 0);
            return back.Result() + 1;
        };
    });
    std::vector<std::uint32_t> seen;
    int depth = 0;
    int maxDepth = 0;
    MessageWindow* selfPtr = nullptr;
    auto window = OpenWindow(dir.Path(), 701, [&](const WindowMessage& m) {
        seen.push_back(m.wParam);
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        std::int32_t r = static_cast<std::int32_t>(m.wParam);
        // One more level: answer the nested request with another send.
        if (m.wParam < 1000)
            r += selfPtr->SendMessage(702, WM_USER, m.wParam, 0).Result();
        --depth;
        return r;
    });
    selfPtr = window.get();
    const auto outcome = window->SendMessage(702, WM_USER, 3, 0);
    ASSERT_EQ(outcome.Status, SendStatus::Replied);
    // 3 -> peer sends 30 -> we send 30 -> peer sends 300 -> we send 300 -> peer sends 3000 -> 3000.
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{30, 300, 3000}));
    EXPECT_EQ(maxDepth, 3);
    EXPECT_EQ(outcome.Result(), 3000 + 1 + 300 + 1 + 30 + 1);
}

TEST(MessageWindow, ASendWithoutReplyTimesOutAndTheNextOneWorks)
{
    TempEndpointDir dir;
    // A listening socket that never answers stands for a hung program.
    const auto path = dir.Path() / "802";
    const int hung = BindWithoutWindow(path);
    ASSERT_EQ(::listen(hung, 4), 0);

    auto window = OpenWindow(dir.Path(), 801, {}, Loop::Poll, 150ms);
    const SendOutcome outcome = window->SendMessage(802, WM_USER, 1, 0);
    EXPECT_EQ(outcome.Status, SendStatus::TimedOut);
    EXPECT_EQ(outcome.Result(), 0);
    ::close(hung);
    ::unlink(path.c_str());

    PeerThread peer(WindowOptions(dir.Path(), 802), [](MessageWindow&) {
        return [](const WindowMessage&) { return 77; };
    });
    window->SetSendTimeout(1000ms);
    EXPECT_EQ(window->SendMessage(802, WM_USER, 1, 0).Result(), 77);
}

TEST(MessageWindow, AKeptConnectionToAnEndedWindowIsReplacedByAFreshOne)
{
    TempEndpointDir dir;
    auto window = OpenWindow(dir.Path(), 901);
    {
        PeerThread first(WindowOptions(dir.Path(), 902), [](MessageWindow&) {
            return [](const WindowMessage&) { return 1; };
        });
        EXPECT_EQ(window->SendMessage(902, WM_USER, 0, 0).Result(), 1);
    }
    EXPECT_EQ(window->SendMessage(902, WM_USER, 0, 0).Status, SendStatus::NoWindow);
    PeerThread second(WindowOptions(dir.Path(), 902), [](MessageWindow&) {
        return [](const WindowMessage&) { return 2; };
    });
    EXPECT_EQ(window->SendMessage(902, WM_USER, 0, 0).Result(), 2);
}

TEST(MessageWindow, HostileClientsNeverBlockTheReceiver)
{
    // A receiver that waited for any of these clients would hang the dispatches below.
    TempEndpointDir dir;
    int handled = 0;
    auto window = OpenWindow(dir.Path(), 1001, [&](const WindowMessage& m) {
        ++handled;
        return Echo(m);
    });
    const auto path = window->EndpointPath();

    RawClient silent(path);      // connects and never sends
    RawClient half(path);        // half a header
    RawClient halfPayload(path); // a whole header, part of its payload
    RawClient garbage(path);     // an unknown layout
    RawClient huge(path);        // 4 GB declared
    RawClient good(path);
    ASSERT_TRUE(silent.Connected() && half.Connected() && good.Connected());

    const auto header = RequestFrame::EncodeHeader({WM_USER, 5, 0, 0, 0});
    half.Write(std::span(header).first(11));
    const auto copyHeader = RequestFrame::EncodeHeader({WM_COPYDATA, 5, 0, 0, 1000});
    halfPayload.Write(copyHeader);
    halfPayload.Write(std::vector<std::byte>(500));
    garbage.Write(std::vector<std::byte>(64, std::byte{0xAB}));
    huge.Write(RequestFrame::EncodeHeader({WM_COPYDATA, 5, 0, 0, 0xFFFFFFFFu}));
    good.Write(RequestFrame::EncodeHeader({WM_USER, 42, 0, 0, 0}));
    for (int i = 0; i < 5; ++i)
        window->DispatchPending();

    EXPECT_EQ(handled, 1);
    const auto reply = good.Read(4);
    ASSERT_EQ(reply.size(), 4u);
    EXPECT_EQ(RequestFrame::DecodeReply(std::span<const std::byte, 4>(reply.data(), 4)), 42);
    // Garbage and the 4 GB frame were closed unanswered.
    EXPECT_TRUE(garbage.Read(4).empty());
    EXPECT_TRUE(garbage.Closed());
    EXPECT_TRUE(huge.Read(4).empty());
    EXPECT_TRUE(huge.Closed());
    EXPECT_EQ(window->IncomingConnectionCount(), 4u); // silent, half, halfPayload, good

    // The half frame completes later and is then handled.
    half.Write(std::span(header).subspan(11));
    window->DispatchPending();
    EXPECT_EQ(handled, 2);
    EXPECT_EQ(half.Read(4).size(), 4u);

    // A client that ends mid-payload is dropped without dispatching.
    {
        RawClient cut(path);
        cut.Write(copyHeader);
        cut.Write(std::vector<std::byte>(10));
    }
    window->DispatchPending();
    window->DispatchPending();
    EXPECT_EQ(handled, 2);
}

// Twenty requests in one write pass the limit of requests per turn; a quiet
// connection stays while a partial frame followed by silence is closed.
TEST(MessageWindow, OnEitherLoopABatchIsAnsweredWholeAndAPartialFrameIsClosedAfterTwoSeconds)
{
    for (const Loop loop : {Loop::Poll, Loop::Qt}) {
        SCOPED_TRACE(loop == Loop::Qt ? "Qt events" : "polling");
        TempEndpointDir dir;
        int handled = 0;
        auto window = OpenWindow(
            dir.Path(), 1401, [&handled](const WindowMessage& m) {
                ++handled;
                return Echo(m);
            },
            loop);
        ASSERT_TRUE(window);
        RawClient batch(window->EndpointPath());
        batch.Write(Requests(20));
        PumpUntil(*window, loop, [&] { return handled == 20; });
        const auto replies = batch.Read(20 * ReplySize);
        ASSERT_EQ(replies.size(), 20 * ReplySize);
        for (std::int32_t i = 0; i < 20; ++i)
            EXPECT_EQ(RequestFrame::DecodeReply(std::span<const std::byte, 4>(replies.data() + i * ReplySize, 4)), i);

        const auto header = RequestFrame::EncodeHeader({WM_USER, 7, 0, 0, 0});
        RawClient half(window->EndpointPath());
        RawClient silent(window->EndpointPath()); // never sends: not a partial frame
        half.Write(std::span(header).first(11));
        const auto start = std::chrono::steady_clock::now();
        PumpUntil(*window, loop, [&] { return window->IncomingConnectionCount() == 3; });
        ASSERT_EQ(window->IncomingConnectionCount(), 3u);
        PumpUntil(
            *window, loop, [&] { return window->IncomingConnectionCount() != 3; }, 6s);
        EXPECT_GE(std::chrono::steady_clock::now() - start, 1900ms);
        EXPECT_EQ(window->IncomingConnectionCount(), 2u);
        EXPECT_TRUE(half.Read(4).empty());
        EXPECT_TRUE(half.Closed());
        // The batch's connection, quiet since its replies, still works.
        batch.Write(header);
        std::vector<std::byte> reply;
        PumpUntil(*window, loop, [&] { return !(reply = batch.Read(4, 10ms)).empty(); });
        EXPECT_EQ(reply.size(), 4u);
    }
}

TEST(MessageWindow, AThousandConnectionsAtOnceAreRefusedBeyondTheLimitAndNothingLeaks)
{
    TempEndpointDir dir;
    auto window = OpenWindow(dir.Path(), 1701, Echo, Loop::Qt);
    ASSERT_TRUE(window);
    const auto pump = [] {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    };
    // An assist that has been talking before the flood.
    RawClient assist(window->EndpointPath());
    assist.Write(RequestFrame::EncodeHeader({WM_USER, 1, 0, 0, 0}));
    std::vector<std::byte> first;
    PumpUntil(*window, Loop::Qt, [&] { return !(first = assist.Read(4, 10ms)).empty(); });
    ASSERT_EQ(first.size(), 4u);
    const auto descriptorCount = [] {
        const std::filesystem::directory_iterator fds("/proc/self/fd");
        return std::distance(begin(fds), end(fds));
    };
    const auto descriptorsBefore = descriptorCount();

    {
        std::vector<std::unique_ptr<RawClient>> flood;
        for (int i = 0; i < 1000; ++i)
            flood.push_back(std::make_unique<RawClient>(window->EndpointPath(), RawClient::Connect::NoWait));
        std::size_t mostOpen = 0;
        for (int i = 0; i < 20; ++i) {
            pump();
            mostOpen = std::max(mostOpen, window->IncomingConnectionCount());
        }
        EXPECT_LE(mostOpen, 64u);
        // The assist keeps its place and its answers, and a newcomer that
        // sends is served although the silent ones fill every place.
        RawClient newcomer(window->EndpointPath());
        for (RawClient* client : {&assist, &newcomer}) {
            client->Write(RequestFrame::EncodeHeader({WM_USER, 2, 0, 0, 0}));
            std::vector<std::byte> reply;
            PumpUntil(*window, Loop::Qt, [&] { return !(reply = client->Read(4, 10ms)).empty(); });
            EXPECT_EQ(reply.size(), 4u);
        }
    }
    // Every flood connection is gone: the receiver's descriptors are back.
    PumpUntil(*window, Loop::Qt, [&] { return window->IncomingConnectionCount() == 1; });
    pump();
    EXPECT_EQ(window->IncomingConnectionCount(), 1u);
    EXPECT_EQ(descriptorCount(), descriptorsBefore);
}

// The endpoint's mode bars any other user from connecting.
TEST(MessageWindow, TheEndpointIsTheOwnersAloneWhateverTheUmask)
{
    TempEndpointDir dir;
    ::chmod(dir.Path().c_str(), 0711);
    const mode_t oldMask = ::umask(0);
    auto window = OpenWindow(dir.Path(), 1801);
    ::umask(oldMask);
    ASSERT_TRUE(window);
    struct stat st {};
    ASSERT_EQ(::stat(window->EndpointPath().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0077, 0u) << std::oct << (st.st_mode & 07777);
}

TEST(MessageWindow, AnEndpointPathOfMoreThan107BytesOpensNoWindow)
{
    TempEndpointDir dir;
    // A folder name that makes DIR/1234 exactly 107 bytes, then one byte more.
    const std::string base = dir.Path().string() + "/";
    const std::size_t fill = 107 - base.size() - std::string("/1234").size();
    const std::filesystem::path fits = base + std::string(fill, 'f');
    const std::filesystem::path over = base + std::string(fill + 1, 'o');
    ASSERT_EQ((fits / "1234").string().size(), 107u);

    auto opened = MessageWindow::Open({}, WindowOptions(fits, 1234));
    ASSERT_TRUE(opened.Window) << opened.Error;
    EXPECT_TRUE(opened.Window->IsWindow(1234));

    auto refused = MessageWindow::Open({}, WindowOptions(over, 1234));
    EXPECT_FALSE(refused.Window);
    EXPECT_NE(refused.Error.find("endpoint path too long"), std::string::npos) << refused.Error;
    // To a sender in that folder, the handle names no window.
    auto sender = OpenWindow(over, 12);
    ASSERT_TRUE(sender);
    EXPECT_FALSE(sender->IsWindow(1234));
    EXPECT_EQ(sender->SendMessage(1234, WM_USER, 1, 0).Status, SendStatus::NoWindow);
}
