// The pop-up menus, the shortcut keys (through the window, as a user presses
// them), the wheel and the play-list scroll commands.
#include "PlayerTestSupport.h"
#include "support/PlayerWidgetLookup.h"

#include "player/dialogs/frmZelkoProps.h"
#include "player/skin/SkinWindow.h"

#include <QKeyEvent>
#include <QMenu>
#include <QWheelEvent>

#include <fstream>

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
    // A key pressed and released on the window.
    void Release(int qtKey, Qt::KeyboardModifiers modifiers, bool autoRepeat = false)
    {
        QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers, QString(), autoRepeat);
        QCoreApplication::sendEvent(&Player().Window(), &release);
    }
    void Wheel(int delta)
    {
        QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&Player().Window(), &wheel);
    }
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
    // Ctrl+R opens the Properties without blocking.
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

// The assist items are enabled only while a track plays; the change-with-music
// item toggles its setting.
TEST_F(MenuKeyTest, CtrlMShowsTheMainMenuAndAssistItemsFollowPlay)
{
    fs::create_directories(m_folder.Path() / "Assist");
    std::ofstream(m_folder.Path() / "Assist/DummyZKA") << "#!/bin/sh\n";
    fs::permissions(m_folder.Path() / "Assist/DummyZKA", fs::perms::owner_all);
    m_player.reset();
    Load();
    Player().AddMp3Files(Tracks(1));
    const QMenu* assists = &testsupport::PopupMenu("mnuP1Assist");
    ASSERT_NE(assists, nullptr);
    ASSERT_EQ(assists->actions().size(), 1);
    Player().cButtonAction_PlayClick();
    Release(Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(testsupport::PopupMenu("mnuPopup1").isVisible());
    EXPECT_TRUE(assists->actions()[0]->isEnabled());
    testsupport::PopupMenu("mnuPopup1").hide();
    Player().cButtonAction_StopClick();
    Player().cBodyAction_BodyRightClick();
    EXPECT_FALSE(assists->actions()[0]->isEnabled());
    testsupport::PopupMenu("mnuPopup1").hide();

    QAction* changeWithMusic = &testsupport::MenuItem("mnuPopup1", "mnuP1SkinChgMusic");
    changeWithMusic->trigger();
    EXPECT_TRUE(Player().App().SkinWithMusic());
    EXPECT_TRUE(changeWithMusic->isChecked());
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
    Wheel(-120); // towards the user: three lines down
    EXPECT_EQ(firstLineTrack(), 4);
    Release(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(firstLineTrack(), 3);
    Release(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(firstLineTrack(), 1);
}

} // namespace
} // namespace playertest
