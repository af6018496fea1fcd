// The menus, keys, wheel and gauges of the window, used as a user uses them.
#include "PlayerTestSupport.h"
#include "support/PlayerWidgetLookup.h"

#include "player/FormPlayerControl.h"
#include "player/dialogs/frmZelkoProps.h"
#include "player/skin/SkinWindow.h"

#include <QKeyEvent>
#include <QMenu>
#include <QWheelEvent>

#include <fstream>

using namespace playback;
using namespace skin;

namespace playertest {
namespace {

class MenuKeyTest : public PlayerTest {
protected:
    void SetUp() override
    {
        PlayerTest::SetUp();
        Load();
        ASSERT_TRUE(m_loadResult);
    }
    // A key released on the window.
    void Release(int qtKey, Qt::KeyboardModifiers modifiers, bool autoRepeat = false)
    {
        QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers, QString(), autoRepeat);
        QCoreApplication::sendEvent(&Player().Window(), &release);
    }
    void Click(int x, int y)
    {
        Player().OnMouseDown(MouseButton::Left, KeyShift::None, x, y);
        Player().OnMouseUp(MouseButton::Left, KeyShift::None, x, y);
    }
    std::int32_t Ms() { return Player().Decoder().dec_getPlayMs(); }
};

TEST_F(MenuKeyTest, KeysFollowTheTableAndAutoRepeatReleasesDoNothing)
{
    Player().AddMp3Files(Tracks(3));
    Release(Qt::Key_N, Qt::ControlModifier, true);
    EXPECT_EQ(Player().Playback().PlayPosition(), 1);
    Release(Qt::Key_S, Qt::ControlModifier); // Ctrl+S without Shift: nothing
    EXPECT_EQ(Player().CurrentSkin().skinFile, "Carbon.zks");
    Release(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier); // plays like Ctrl+P
    EXPECT_TRUE(Player().Playback().bPlay());
    Release(Qt::Key_U, Qt::ControlModifier);
    EXPECT_TRUE(Player().Playback().bPause());
    Release(Qt::Key_U, Qt::ControlModifier);
    EXPECT_FALSE(Player().Playback().bPause());
    Release(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Player().Playback().PlayPosition(), 2);
    Release(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Player().Playback().PlayPosition(), 1);
    Release(Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(Player().Playback().bStop());
    Release(Qt::Key_P, Qt::NoModifier); // keys without Ctrl do nothing
    EXPECT_TRUE(Player().Playback().bStop());
    Release(Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(Player().Playback().bShuffle());
    Release(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(Player().Playback().bRepeat());
    Release(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Player().CurrentSkin().skinFile, "Meadow.zks");
    Release(Qt::Key_R, Qt::ControlModifier);
    ASSERT_NE(testsupport::PropertiesDialog(), nullptr);
    EXPECT_TRUE(testsupport::PropertiesDialog()->isVisible());
    EXPECT_FALSE(testsupport::PropertiesDialog()->isModal());
    testsupport::PropertiesDialog()->hide();
    // Ctrl+F4 stops and closes through the exit command.
    Player().cButtonAction_PlayClick();
    bool closed = false;
    QObject::connect(&Player(), &frmZelko::Closed, [&closed] { closed = true; });
    Release(Qt::Key_F4, Qt::ControlModifier);
    EXPECT_TRUE(closed);
    EXPECT_TRUE(Player().IsUnloaded());
    EXPECT_TRUE(Player().Playback().bStop());
}

// Carbon's seek bar: 20,118, 340 x 8; its volume gauge: 322,44, 36 x 14.
TEST_F(MenuKeyTest, SeekKeysTheSeekBarAndTheVolumeGaugeReachThePlayer)
{
    const FormPlayerControl control(Player());
    Player().AddMp3Files({Tones::Instance().Get(60.0, "Long")});
    Player().cButtonAction_PlayClick();
    ASSERT_TRUE(WaitFor([&] { return Ms() > 100; }));
    const std::int32_t start = Ms();
    Release(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_GE(Ms(), start + 5000);
    EXPECT_LT(Ms(), start + 5500);
    Release(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_GE(Ms(), start + 35000);
    EXPECT_LT(Ms(), start + 35500);
    Release(Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
    Release(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_GE(Ms(), start);
    EXPECT_LT(Ms(), start + 1000);

    Click(274, 122);
    EXPECT_NEAR(Ms(), 60000.0 * (274 - 20) / 339, 600);
    EXPECT_EQ(Player().DecoderState(), 1);
    Click(357, 50);
    EXPECT_EQ(ToRecord(Player().Playback().State()).Volume, 100);
}

// The change-with-music item once toggled twice.
TEST_F(MenuKeyTest, AssistItemsFollowPlayAndTheChangeWithMusicItemTogglesOnce)
{
    fs::create_directories(m_folder.Path() / "Assist");
    std::ofstream(m_folder.Path() / "Assist/DummyZKA") << "#!/bin/sh\n";
    fs::permissions(m_folder.Path() / "Assist/DummyZKA", fs::perms::owner_all);
    m_player.reset();
    Load();
    Player().AddMp3Files(Tracks(1));
    const QAction* assist = testsupport::PopupMenu("mnuP1Assist").actions().at(0);
    Player().cButtonAction_PlayClick();
    Player().cBodyAction_BodyRightClick();
    EXPECT_TRUE(assist->isEnabled());
    testsupport::PopupMenu("mnuPopup1").hide();
    Player().cButtonAction_StopClick();
    Player().cBodyAction_BodyRightClick();
    EXPECT_FALSE(assist->isEnabled());
    testsupport::PopupMenu("mnuPopup1").hide();

    QAction& changeWithMusic = testsupport::MenuItem("mnuPopup1", "mnuP1SkinChgMusic");
    changeWithMusic.trigger();
    EXPECT_TRUE(Player().App().SkinWithMusic());
    EXPECT_TRUE(changeWithMusic.isChecked());
}

TEST_F(MenuKeyTest, WheelAndScrollKeysMoveTheListTop)
{
    Player().AddMp3Files(Tracks(5));
    // The track on the list's first line is the one a double click there plays.
    const platform::Rect box = Player().CurrentSkin().coRgns.Find("playlistbox-itemrect")->RgnOrEmpty().BoundingBox();
    const auto firstLineTrack = [&] {
        Player().OnDoubleClick(box.left + 1, box.top + 1);
        return Player().Playback().PlayPosition();
    };
    // Towards the user: three lines down.
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&Player().Window(), &wheel);
    EXPECT_EQ(firstLineTrack(), 4);
    Release(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(firstLineTrack(), 3);
    Release(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(firstLineTrack(), 1);
}

} // namespace
} // namespace playertest
