#include "assists/scope/frmScopeZKA.h"

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "platform/FakePlayerWindow.h"
#include "protocol/CommandWords.h"
#include "protocol/PlayStateRecord.h"
#include "protocol/RecordPayload.h"
#include "protocol/SongInfoRecord.h"

using namespace scope;

using namespace protocol;
using testsupport::Command;

namespace {

// The application lives until the process ends (never destroyed during
// static destruction, which Qt does not survive); an existing one is reused.
QApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "test_scope";
    static char* argv[] = { name, nullptr };
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *existing;
    return *new QApplication(argc, argv);
}

template <typename Record>
void Deliver(platform::MessageWindow& window, std::uint32_t code, std::uint32_t dwData, const Record& record)
{
    const auto bytes = PayloadOf(record);
    platform::CopyDataStruct cds{dwData, static_cast<std::uint32_t>(bytes.size()), bytes.data()};
    window.Dispatch({.msg = platform::WM_COPYDATA, .wParam = code, .copyData = &cds});
}

struct LinkedScope {
    QApplication& qt = TestApp();
    testsupport::TempEndpointDir dir;
    testsupport::FakePlayerWindow player { dir.Path(), 8101 };
    std::unique_ptr<platform::MessageWindow> window =
        platform::MessageWindow::Open({}, testsupport::WindowOptions(dir.Path(), 8102)).Window;
    std::unique_ptr<frmScopeZKA> form = std::make_unique<frmScopeZKA>(*window, AssistArguments { 8101, 1 }, 5u);

    LinkedScope() { form->Start(); }
    ~LinkedScope()
    {
        form.reset();
        window.reset();
    }
};

} // namespace

TEST(ScopeZKA, StartAnnouncesAndSelectsBandLinesAndCyclingColours)
{
    LinkedScope s;
    EXPECT_EQ(s.player.Commands(), (std::vector<Command> { { 0x0F040001, 8102 } }));
    EXPECT_TRUE(s.form->chkFColor->isChecked());
    EXPECT_TRUE(s.form->optTitle[0]->isChecked());
    EXPECT_TRUE(s.form->optLine[0]->isChecked());
    EXPECT_EQ(s.form->Renderer().Title(), ScopeTitle::Band);
    EXPECT_TRUE(s.form->Renderer().FColor());
    EXPECT_EQ(s.form->windowTitle().toStdString(), "Visual - ZKAssist");
    EXPECT_EQ(s.form->optTitle[2]->text().toStdString(), "弧");
    EXPECT_EQ(s.form->chkZelko->text().toStdString(), "Zelko Deck を 最小化");
    // The peaks start on the centre line, as choosing the band sets them.
    for (int i = 0; i < ScopeRenderer::Columns; ++i) {
        ASSERT_EQ(s.form->Renderer().PeakA()[i], s.form->Renderer().CenterY()) << i;
        ASSERT_EQ(s.form->Renderer().PeakB()[i], s.form->Renderer().CenterY()) << i;
    }
}

TEST(ScopeZKA, StartedDuringPlaybackTheMarkersSitOnTheBarsNotAtTheTop)
{
    // Started while a track plays: no play notification comes, only records.
    LinkedScope s;
    AnalyzeRecord record;
    record.Spectrum1.fill(40); // bars of length 20
    Deliver(*s.window, CodeAnalyze, CodeAnalyze, record);
    const QImage& picture = s.form->Renderer().Picture();
    const std::int32_t centre = s.form->Renderer().CenterY();
    for (int y = 0; y < centre - 20; ++y)
        ASSERT_EQ(picture.pixel(10, y), qRgb(0, 0, 0)) << "nothing above the bar, row " << y;
    EXPECT_EQ(s.form->Renderer().PeakA()[10], centre - 20);
}

TEST(ScopeZKA, OnlyThePlayNotificationResetsThePeaks)
{
    LinkedScope s;
    PlayStateRecord state;
    Deliver(*s.window, CodePlayState, NotifyPlay, state);
    EXPECT_EQ(s.form->Renderer().PeakA()[0], 90);

    AnalyzeRecord loud;
    loud.Spectrum1.fill(100);
    Deliver(*s.window, CodeAnalyze, CodeAnalyze, loud);
    EXPECT_EQ(s.form->Renderer().PeakA()[0], 40);
    Deliver(*s.window, CodePlayState, NotifyPause, state);
    Deliver(*s.window, CodePlayState, NotifyStop, state);
    Deliver(*s.window, CodeSongInfo, CodeSongInfo, SongInfoRecord {});
    EXPECT_EQ(s.form->Renderer().PeakA()[0], 40);
    Deliver(*s.window, CodePlayState, NotifyPlay, state);
    EXPECT_EQ(s.form->Renderer().PeakA()[0], 90);
}

TEST(ScopeZKA, ChoosingTheFanResetsAllPeaksToTwenty)
{
    LinkedScope s;
    s.form->optTitle[2]->click();
    EXPECT_EQ(s.form->Renderer().Title(), ScopeTitle::Fan);
    for (int i = 0; i < ScopeRenderer::Columns; ++i) {
        ASSERT_EQ(s.form->Renderer().PeakA()[i], 20);
        ASSERT_EQ(s.form->Renderer().PeakB()[i], 20);
    }
    s.form->optLine[1]->click();
    EXPECT_EQ(s.form->Renderer().Line(), ScopeLine::Points);
    s.form->chkBColor->click();
    EXPECT_TRUE(s.form->Renderer().BColor());
}

TEST(ScopeZKA, TheMinimizeBoxMinimizesAndRestoresThePlayer)
{
    LinkedScope s;
    s.player.Clear();
    s.form->chkZelko->click();
    s.form->chkZelko->click();
    EXPECT_EQ(s.player.Commands(), (std::vector<Command> { { CmdMinimize, 8102 }, { CmdRestore, 8102 } }));
    s.player.Clear();
    s.form->close();
    EXPECT_EQ(s.player.Commands(), (std::vector<Command> { { CmdClosing, 8102 } }));
}
