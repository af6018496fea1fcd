#include "assists/remote/ElidedLabel.h"
#include "assists/remote/RemoteInfoText.h"
#include "assists/remote/frmRemoteZKA.h"

#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include "platform/FakePlayerWindow.h"
#include "protocol/AssistArguments.h"
#include "protocol/CommandWords.h"
#include "protocol/RecordPayload.h"

using namespace remote;

using namespace protocol;
using namespace std::chrono_literals;
using testsupport::Command;
using testsupport::FakePlayerWindow;

namespace {

template <typename Record>
std::int32_t Deliver(platform::MessageWindow& window, std::uint32_t code, std::uint32_t dwData, const Record& record)
{
    const auto bytes = PayloadOf(record);
    platform::CopyDataStruct cds{dwData, static_cast<std::uint32_t>(bytes.size()), bytes.data()};
    return window.Dispatch({.msg = platform::WM_COPYDATA, .wParam = code, .copyData = &cds});
}

struct LinkedRemote {
    testsupport::TempEndpointDir dir;
    FakePlayerWindow player;
    std::unique_ptr<platform::MessageWindow> window;
    std::unique_ptr<frmRemoteZKA> form;

    explicit LinkedRemote(FakePlayerWindow::Reaction react = {})
        : player(dir.Path(), 8001, std::move(react))
        , window(platform::MessageWindow::Open({}, testsupport::WindowOptions(dir.Path(), 8002)).Window)
        , form(std::make_unique<frmRemoteZKA>(*window, AssistArguments{8001, 2}))
    {
        form->Start();
    }
};

} // namespace

TEST(RemoteInfoText, SongLinesInDisplayOrderAndTimesAsMinutesSecondsAndCutHundredths)
{
    SongInfoRecord r;
    SetSongFieldAnsi(r.ArtistName, "Someone", platform::AnsiCharset::Utf8);
    SetSongFieldAnsi(r.Mp3File, "/m/a.mp3", platform::AnsiCharset::Utf8);
    r.TrackName[0] = '\0';
    r.TrackName[1] = 'x'; // left over after the NUL: not shown
    EXPECT_EQ(remote::SongInfoText(r, platform::AnsiCharset::Utf8), "Mp3File=/m/a.mp3\r\nArtist=Someone\r\nTrack=\r\n");
    // CP932 bytes are shown as text.
    SetSongFieldAnsi(r.TrackName, "\x93\xFA\x96\x7B", platform::AnsiCharset::Cp932);
    EXPECT_EQ(remote::SongInfoText(r, platform::AnsiCharset::Cp932),
              "Mp3File=/m/a.mp3\r\nArtist=Someone\r\nTrack=\xE6\x97\xA5\xE6\x9C\xAC\r\n");

    EXPECT_EQ(remote::FormatAssistTime(6000000), "100:00:00");
    EXPECT_EQ(remote::FormatAssistTime(59999), "00:59:99");
    EXPECT_EQ(remote::FormatAssistTime(9), "00:00:00");
    EXPECT_EQ(remote::FormatAssistTime(-500), "00:00:00");
    AnalyzeRecord a;
    a.PlayMs = 61010;
    a.TotalMs = 180000;
    EXPECT_EQ(remote::TimeText(a), "01:01:01 / 03:00:00");
}

TEST(RemoteZKA, LinkingAnnouncesAndAsksForThePlayStateButtonsSendTheirCommandsClosingReports)
{
    LinkedRemote r;
    EXPECT_EQ(r.player.Commands(), (std::vector<Command>{{0x0F040002, 8002}, {CmdPlayInfo, 8002}}));

    r.player.Clear();
    for (QPushButton* b : {r.form->cmdPlay, r.form->cmdPause, r.form->cmdStop, r.form->cmdPTrack, r.form->cmdNTrack,
                           r.form->cmdRepeat, r.form->cmdShuffle, r.form->cmdPlayInfo, r.form->cmdSongInfo})
        b->click();
    const std::vector<Command> sent{
        {0x0F080000, 0},
        {0x0F090000, 0},
        {0x0F0A0000, 0},
        {0x0F0B0000, 0},
        {0x0F0C0000, 0},
        {0x0F100000, 0},
        {0x0F110000, 0},
        {0x0F000000, 8002},
        {0x0F010000, 8002},
    };
    EXPECT_EQ(r.player.Commands(), sent);

    r.player.Clear();
    r.window->Dispatch({.msg = platform::WM_SYSCOMMAND, .wParam = platform::SC_CLOSE}); // the player's close command
    EXPECT_EQ(r.player.Commands(), (std::vector<Command>{{CmdClosing, 8002}}));
    r.form.reset();
    // Unlinked: a payload reaches no handler any more and nothing breaks.
    EXPECT_EQ(Deliver(*r.window, CodePlayState, NotifyPlay, PlayStateRecord{}), 0);
}

TEST(RemoteZKA, PayloadsFillTheLabelsAndTheVolumeBarReportsItsChange)
{
    LinkedRemote r;
    r.player.Clear();
    PlayStateRecord state;
    state.bPlay = VbTrue;
    state.bStop = VbFalse;
    state.bShuffle = VbTrue;
    state.Volume = 80;
    state.DecoderState = 1;
    Deliver(*r.window, CodePlayState, NotifyPlay, state);
    EXPECT_EQ(r.form->InfoCaption(),
              "Play=True\r\nPause=False\r\nStop=False\r\nRepeat=False\r\nShuffle=True\r\nVolume=80\r\nState=1\r\n");
    EXPECT_EQ(r.form->VolumeValue(), 80);
    EXPECT_EQ(r.player.Commands(), (std::vector<Command>{{0x0F060050, 0}}));

    // The same volume again moves nothing and reports nothing; dwData is not looked at.
    Deliver(*r.window, CodePlayState, NotifyRepeat, state);
    EXPECT_EQ(r.player.Commands().size(), 1u);

    AnalyzeRecord analyze;
    analyze.PlayMs = 83456;
    analyze.TotalMs = 6000000;
    Deliver(*r.window, CodeAnalyze, CodeAnalyze, analyze);
    EXPECT_EQ(r.form->TimeCaption(), "01:23:45 / 100:00:00");
    // The label follows within its interval.
    const auto until = std::chrono::steady_clock::now() + 1s;
    while (r.form->lblTime->text() != QStringLiteral("01:23:45 / 100:00:00") && std::chrono::steady_clock::now() < until)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(r.form->lblTime->text().toStdString(), "01:23:45 / 100:00:00");

    // A payload of the wrong size, or an unknown code, changes nothing.
    const std::byte shortPayload[4]{};
    platform::CopyDataStruct cds{NotifyPlay, 4, shortPayload};
    r.window->Dispatch({.msg = platform::WM_COPYDATA, .wParam = CodePlayState, .copyData = &cds});
    r.window->Dispatch({.msg = platform::WM_COPYDATA, .wParam = 0x0F030000, .copyData = &cds});
    EXPECT_EQ(r.form->InfoCaption(),
              "Play=True\r\nPause=False\r\nStop=False\r\nRepeat=False\r\nShuffle=True\r\nVolume=80\r\nState=1\r\n");
    EXPECT_EQ(r.form->TimeCaption(), "01:23:45 / 100:00:00");
}

TEST(RemoteZKA, APayloadArrivingWhileOneIsHandledIsNotActedOn)
{
    // The fake player answers the volume report at once, while the assist is busy with the first.
    std::atomic<bool> armed{false};
    std::atomic<bool> echoed{false};
    LinkedRemote r([&](platform::MessageWindow& self, const Command& c) {
        if (armed && protocol::CommandOf(c.Word) == CmdVolume) {
            PlayStateRecord echo;
            echo.Volume = 10;
            const auto bytes = PayloadOf(echo);
            echoed = self.SendCopyData(8002, CodePlayState, NotifyVolume, bytes).Delivered();
        }
    });
    armed = true;
    PlayStateRecord state;
    state.Volume = 70;
    Deliver(*r.window, CodePlayState, NotifyVolume, state);
    EXPECT_TRUE(echoed.load()); // it did arrive, during the handling
    EXPECT_EQ(r.form->VolumeValue(), 70);
    EXPECT_NE(r.form->InfoCaption().find("Volume=70"), std::string::npos);
    EXPECT_FALSE(r.form->Link().InHook());
}

TEST(RemoteZKA, SongTextsAreShownAsWrittenAndCutToTheWindowWhichNeverWidens)
{
    LinkedRemote r;
    r.form->show();
    QCoreApplication::processEvents();
    const int width = r.form->width();
    ASSERT_LT(width, 1280);

    // A path of 255 bytes and a Japanese title of 255 bytes (85 characters).
    SongInfoRecord song;
    const std::string path = "/" + std::string(250, 'p') + ".mp3";
    std::string title;
    for (int i = 0; i < 85; ++i)
        title += "\xE6\x9B\xB2"; // 曲
    SetSongFieldText(song.Mp3File, path);
    SetSongFieldText(song.TrackName, title);
    Deliver(*r.window, CodeSongInfo, CodeSongInfo, song);
    QCoreApplication::processEvents();

    EXPECT_EQ(r.form->width(), width);
    EXPECT_LE(r.form->cmdShuffle->geometry().right(), r.form->width());
    const QString whole = QString::fromStdString("Mp3File=" + path + "\nArtist=\nTrack=" + title + "\n");
    EXPECT_EQ(r.form->lblInfo->FullText(), whole);
    EXPECT_EQ(r.form->lblInfo->toolTip(), whole);
    const QStringList shown = r.form->lblInfo->text().split(QLatin1Char('\n'));
    ASSERT_EQ(shown.size(), 4);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Mp3File=/ppp")));
    EXPECT_TRUE(shown[0].endsWith(QChar(0x2026)));
    EXPECT_EQ(shown[1], QStringLiteral("Artist="));
    for (const QString& line : shown)
        EXPECT_LE(r.form->lblInfo->fontMetrics().horizontalAdvance(line), r.form->lblInfo->contentsRect().width());

    // Ampersands are shown as written; short texts whole, with no tool tip.
    SongInfoRecord amp;
    SetSongFieldText(amp.Mp3File, "/music/Trailing &.mp3");
    SetSongFieldText(amp.ArtistName, "Rock && Roll");
    SetSongFieldText(amp.TrackName, "Song & Dance");
    Deliver(*r.window, CodeSongInfo, CodeSongInfo, amp);
    QCoreApplication::processEvents();
    const QString shownWhole = QStringLiteral("Mp3File=/music/Trailing &.mp3\nArtist=Rock && Roll\nTrack=Song & Dance\n");
    ASSERT_EQ(r.form->lblInfo->text(), shownWhole);
    EXPECT_TRUE(r.form->lblInfo->toolTip().isEmpty());
    // The pixels are those of a plain label, which draws every "&" it holds.
    QLabel reference;
    reference.setTextFormat(Qt::PlainText);
    reference.setAlignment(r.form->lblInfo->alignment());
    reference.setFont(r.form->lblInfo->font());
    reference.setPalette(r.form->lblInfo->palette());
    reference.setText(shownWhole);
    reference.resize(r.form->lblInfo->size());
    // Only what the labels draw themselves, over white.
    auto drawn = [](QWidget& label) {
        QImage image(label.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        label.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    };
    EXPECT_TRUE(drawn(*r.form->lblInfo) == drawn(reference));
}
