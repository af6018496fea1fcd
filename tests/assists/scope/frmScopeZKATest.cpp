#include "assists/scope/frmScopeZKA.h"

#include <QCheckBox>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "platform/FakePlayerWindow.h"
#include "protocol/AssistArguments.h"
#include "protocol/CommandWords.h"
#include "protocol/PlayStateRecord.h"
#include "protocol/RecordPayload.h"
#include "protocol/SongInfoRecord.h"

using namespace scope;

using namespace protocol;
using testsupport::Command;

namespace {

template <typename Record>
void Deliver(platform::MessageWindow& window, std::uint32_t code, std::uint32_t dwData, const Record& record)
{
    const auto bytes = PayloadOf(record);
    platform::CopyDataStruct cds{dwData, static_cast<std::uint32_t>(bytes.size()), bytes.data()};
    window.Dispatch({.msg = platform::WM_COPYDATA, .wParam = code, .copyData = &cds});
}

// ScopeZKA's window linked to a fake player.
struct LinkedScope {
    testsupport::TempEndpointDir dir;
    testsupport::FakePlayerWindow player{dir.Path(), 8101};
    std::unique_ptr<platform::MessageWindow> window =
        platform::MessageWindow::Open({}, testsupport::WindowOptions(dir.Path(), 8102)).Window;
    std::unique_ptr<frmScopeZKA> form = std::make_unique<frmScopeZKA>(*window, AssistArguments{8101, 1}, 5u);

    LinkedScope() { form->Start(); }
};

} // namespace

// Started while a track plays, no play notification comes, only records: the
// markers must begin on the centre line, not at the top.
TEST(ScopeZKA, StartAnnouncesAndTheBandsPeaksStartOnTheCentreLine)
{
    LinkedScope s;
    EXPECT_EQ(s.player.Commands(), (std::vector<Command>{{0x0F040001, 8102}}));
    EXPECT_EQ(s.form->Renderer().Title(), ScopeTitle::Band);
    AnalyzeRecord record;
    record.Spectrum1.fill(40); // bars of length 20
    Deliver(*s.window, CodeAnalyze, CodeAnalyze, record);
    EXPECT_EQ(s.form->Renderer().PeakA()[10], s.form->Renderer().CenterY() - 20);
}

TEST(ScopeZKA, TheOptionsSetTheRendererTheBoxMinimizesAndClosingReports)
{
    LinkedScope s;
    s.player.Clear();
    s.form->optTitle[2]->click();
    EXPECT_EQ(s.form->Renderer().Title(), ScopeTitle::Fan);
    EXPECT_EQ(s.form->Renderer().PeakB()[0], 20); // choosing resets the peaks
    s.form->optLine[1]->click();
    EXPECT_EQ(s.form->Renderer().Line(), ScopeLine::Points);
    s.form->chkBColor->click();
    EXPECT_TRUE(s.form->Renderer().BColor());
    s.form->chkZelko->click();
    s.form->chkZelko->click();
    s.form->close();
    EXPECT_EQ(s.player.Commands(), (std::vector<Command>{{CmdMinimize, 8102}, {CmdRestore, 8102}, {CmdClosing, 8102}}));
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
    Deliver(*s.window, CodeSongInfo, CodeSongInfo, SongInfoRecord{});
    EXPECT_EQ(s.form->Renderer().PeakA()[0], 40);
    Deliver(*s.window, CodePlayState, NotifyPlay, state);
    EXPECT_EQ(s.form->Renderer().PeakA()[0], 90);
}
