// The Open button keeps its pressed look while its menu is open, and the
// play loop goes on meanwhile.
#include "PlayerTestSupport.h"
#include "support/PlayerWidgetLookup.h"

#include "player/skin/SkinWindow.h"

#include <QMenu>

using namespace skin;

namespace playertest {
namespace {

class OpenButtonTest : public PlayerTest {
protected:
    QImage Look(const QRect& box) { return Player().Window().Surface().Image().copy(box); }
};

TEST_F(OpenButtonTest, ThePressedLookLastsUntilTheMenuClosesWhileTheTrackPlays)
{
    Load();
    ASSERT_TRUE(m_loadResult);
    Player().AddMp3Files(Tracks(1, 5.0));
    Player().cButtonAction_PlayClick();
    // The button's box, and a point inside its region.
    const platform::Region& region = Player().CurrentSkin().coRgns.Find("sysbuttons-open")->RgnOrEmpty();
    const platform::Rect b = region.BoundingBox();
    const QRect box(b.left, b.top, b.Width(), b.bottom - b.top);
    QPoint at(-1, -1);
    for (int y = b.top; y < b.bottom && at.x() < 0; ++y)
        for (int x = b.left; x < b.right && at.x() < 0; ++x)
            if (region.Contains(x, y)) at = QPoint(x, y);
    ASSERT_GE(at.x(), 0);
    const QImage idle = Look(box);

    Player().OnMouseDown(MouseButton::Left, KeyShift::None, at.x(), at.y());
    const QImage pressed = Look(box);
    ASSERT_NE(pressed, idle);
    Player().OnMouseUp(MouseButton::Left, KeyShift::None, at.x(), at.y());
    ASSERT_TRUE(testsupport::PopupMenu("mnuPopup3").isVisible());
    EXPECT_EQ(Look(box), pressed);

    // The play loop runs on while the menu is open, and the look stays.
    const std::int32_t startMs = Player().Loop().Analyze().PlayMs;
    EXPECT_TRUE(WaitFor([&] { return Player().Loop().Analyze().PlayMs >= startMs + 300; }));
    EXPECT_TRUE(testsupport::PopupMenu("mnuPopup3").isVisible());
    EXPECT_EQ(Look(box), pressed);

    // Dismissed: the button shows its idle look again.
    testsupport::PopupMenu("mnuPopup3").hide();
    EXPECT_EQ(Look(box), idle);
}

} // namespace
} // namespace playertest
