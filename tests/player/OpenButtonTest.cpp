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
    // A point inside the Open button's region, and the button's box.
    bool FindOpenButton(QPoint& inside, QRect& box)
    {
        for (const ClsZelkoRgn& rgn : Player().CurrentSkin().coRgns) {
            if (rgn.Name() != "sysbuttons-open" || !rgn.Rgn()) continue;
            const platform::Rect b = rgn.Rgn()->BoundingBox();
            box = QRect(b.left, b.top, b.Width(), b.bottom - b.top);
            for (int y = b.top; y < b.bottom; ++y)
                for (int x = b.left; x < b.right; ++x)
                    if (rgn.Rgn()->Contains(x, y)) {
                        inside = QPoint(x, y);
                        return true;
                    }
        }
        return false;
    }
    QImage Look(const QRect& box) { return Player().Window().Surface().Image().copy(box); }
};

TEST_F(OpenButtonTest, ThePressedLookLastsUntilTheMenuClosesWhileTheTrackPlays)
{
    Load();
    ASSERT_TRUE(m_loadResult);
    Player().AddMp3Files(Tracks(1, 5.0));
    Player().cButtonAction_PlayClick();
    ASSERT_TRUE(Player().Playback().bPlay());
    QPoint at;
    QRect box;
    ASSERT_TRUE(FindOpenButton(at, box));
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
