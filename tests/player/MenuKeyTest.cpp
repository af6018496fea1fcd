// The pop-up menus, the shortcut keys (through the window, as a user presses
// them), the wheel and the play-list scroll commands.
#include "PlayerTestSupport.h"

#include "player/dialogs/frmZelkoProps.h"
#include "player/skin/SkinWindow.h"

#include <QKeyEvent>
#include <QMenu>
#include <QWheelEvent>

#include <fstream>

namespace playertest {
namespace {

std::vector<std::string> Captions(const QMenu& menu) {
    std::vector<std::string> captions;
    for (const QAction* a : menu.actions()) captions.push_back(a->isSeparator() ? "-" : a->text().toStdString());
    return captions;
}

class MenuKeyTest : public PlayerTest {
protected:
    void SetUp() override {
        PlayerTest::SetUp();
        Load();
        ASSERT_TRUE(m_loadResult);
    }
    // A key pressed and released on the window.
    void Release(int qtKey, Qt::KeyboardModifiers modifiers, bool autoRepeat = false) {
        QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers, QString(), autoRepeat);
        QCoreApplication::sendEvent(&Player().Window(), &release);
    }
    void Wheel(int delta) {
        QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&Player().Window(), &wheel);
    }
};

TEST_F(MenuKeyTest, TransportKeysFollowTheTableAndAutoRepeatReleasesDoNothing)
{
    Player().AddMp3Files(Tracks(3));
    Release(Qt::Key_N, Qt::ControlModifier, true);
    EXPECT_EQ(Player().Playback().PlayPosition(), 1);
    Release(Qt::Key_S, Qt::ControlModifier);  // Ctrl+S without Shift: nothing
    EXPECT_EQ(Player().CurrentSkin().skinFile, "Carbon.zks");
    Release(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);  // plays like Ctrl+P
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
    Release(Qt::Key_P, Qt::NoModifier);  // keys without Ctrl do nothing
    EXPECT_TRUE(Player().Playback().bStop());
    Release(Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(Player().Playback().bShuffle());
    Release(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(Player().Playback().bRepeat());
    Release(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Player().CurrentSkin().skinFile, "Meadow.zks");
}

TEST_F(MenuKeyTest, CtrlMShowsTheMainMenuAndAssistItemsFollowPlay) {
    // An assist program in the Assist folder (never started here).
    fs::create_directories(m_folder.Path() / "Assist");
    std::ofstream(m_folder.Path() / "Assist/DummyZKA") << "#!/bin/sh\n";
    fs::permissions(m_folder.Path() / "Assist/DummyZKA", fs::perms::owner_all);
    m_player.reset();
    Load();
    Player().AddMp3Files(Tracks(1));
    const QMenu* assists = Player().Menus().mnuPopup1().actions()[2]->menu();
    ASSERT_NE(assists, nullptr);
    ASSERT_EQ(Captions(*assists), std::vector<std::string>{"DummyZKA"});

    Release(Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(Player().Menus().mnuPopup1().isVisible());
    EXPECT_FALSE(assists->actions()[0]->isEnabled());
    Player().Menus().mnuPopup1().hide();

    Player().cButtonAction_PlayClick();
    Release(Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(assists->actions()[0]->isEnabled());
    Player().Menus().mnuPopup1().hide();
    Player().cButtonAction_StopClick();
    Player().cBodyAction_BodyRightClick();
    EXPECT_FALSE(assists->actions()[0]->isEnabled());
    Player().Menus().mnuPopup1().hide();
}

TEST_F(MenuKeyTest, WheelAndScrollKeysMoveTheListTop) {
    Player().AddMp3Files(Tracks(5));
    EXPECT_EQ(Player().View().PlayListTop(), 1);
    Wheel(-120);  // towards the user: three lines down
    EXPECT_EQ(Player().View().PlayListTop(), 4);
    Wheel(-360);  // once per message whatever its size; stops at the last track
    EXPECT_EQ(Player().View().PlayListTop(), 5);
    Wheel(120);
    EXPECT_EQ(Player().View().PlayListTop(), 2);
    Release(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(Player().View().PlayListTop(), 1);
    Release(Qt::Key_Up, Qt::ControlModifier);  // the first line already shows track 1
    EXPECT_EQ(Player().View().PlayListTop(), 1);
    Release(Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Player().View().PlayListTop(), 4);
    Release(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Player().View().PlayListTop(), 5);
}

TEST_F(MenuKeyTest, CtrlF4StopsAndClosesThroughTheExitCommand) {
    Player().AddMp3Files(Tracks(2));
    Player().cButtonAction_PlayClick();
    bool closed = false;
    QObject::connect(&Player(), &frmZelko::Closed, [&closed] { closed = true; });
    Release(Qt::Key_F4, Qt::ControlModifier);
    EXPECT_TRUE(closed);
    EXPECT_TRUE(Player().IsUnloaded());
    EXPECT_TRUE(Player().Playback().bStop());
    EXPECT_EQ(m_folder.ReadFile(m_folder.List()), Tracks(2)[0] + "\r\n" + Tracks(2)[1] + "\r\n");
}

TEST_F(MenuKeyTest, CtrlROpensThePropertiesDialogWithoutBlockingAndTheChangeWithMusicItemToggles)
{
    ASSERT_NE(Player().PropertiesDialog(), nullptr);
    EXPECT_FALSE(Player().PropertiesDialog()->isVisible());
    Release(Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(Player().PropertiesDialog()->isVisible());
    EXPECT_FALSE(Player().PropertiesDialog()->isModal());
    Player().PropertiesDialog()->hide();

    QAction* item = Player().Menus().mnuPopup1().actions()[4];
    item->trigger();
    EXPECT_TRUE(Player().App().SkinWithMusic());
    EXPECT_TRUE(item->isChecked());
    item->trigger();
    EXPECT_FALSE(Player().App().SkinWithMusic());
}

} // namespace
} // namespace playertest
