// The real program under Qt's own high-DPI scaling (QT_SCALE_FACTOR=2) on the
// X display: the automatic scale follows the ratio and the skin is scaled
// once, not twice. The window on the X server is the skin's box doubled, and
// its bare body the body picture in blocks of two.
#include "ScreenSupport.h"

#include "player/skin/SkinLoader.h"
#include "player/skin/SkinWindowBuilder.h"

#include <QRegularExpression>

using namespace skin;

using namespace screentest;

using ProgramScaleTest = RunningProgramTest;

TEST_F(ProgramScaleTest, TheAutomaticScaleIsTheRatioAndTheSkinIsScaledOnce)
{
    SkinLoadResult loaded = LoadSkin(std::string(ZELKO_PROGRAM_DIR) + "/Skins/Carbon/", "Carbon.zks");
    ASSERT_TRUE(loaded.skin.has_value());
    const Skin& skin = *loaded.skin;
    ProgramFolder folder;
    folder.WriteIni("[Skin]\nPath=" + folder.Folder() + "Skins/Carbon/\nFile=Carbon.zks\n[Window]\nLeft=20\nTop=10\n");
    StartProgram(folder, {{"QT_SCALE_FACTOR", "2"}});
    const std::string id = WaitForWindow();
    ASSERT_FALSE(id.empty()) << "no window";
    const QString geometry = QString::fromStdString(Output("xdotool getwindowgeometry " + id));
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral(R"(Position: (-?\d+),(-?\d+)[\s\S]*Geometry: (\d+)x(\d+))")).match(geometry);
    ASSERT_TRUE(m.hasMatch()) << geometry.toStdString();
    const QRect window(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
    const platform::Rect box = SkinWindowBox(skin);
    EXPECT_EQ(window.size(), QSize(box.Width() * 2, box.Height() * 2));

    // The bare body: body-main less every region that is not the body's own.
    platform::Region bare = *skin.coRgns.Find("body-main")->Rgn();
    for (const ClsZelkoRgn& item : skin.coRgns)
        if (!item.Name().starts_with("body-") && item.Rgn())
            bare = bare.Subtracted(*item.Rgn());
    const platform::Rect area = bare.BoundingBox();
    EXPECT_TRUE(playertest::WaitFor([&] {
        const QImage shot = GrabScreen(window);
        for (int y = area.top; y < area.bottom; y += 3)
            for (int x = area.left; x < area.right; x += 3) {
                const QRgb body = skin.pictures.picBody.pixel(x, y);
                if (bare.Contains(x, y) && (shot.pixel(2 * x, 2 * y) != body || shot.pixel(2 * x + 1, 2 * y + 1) != body))
                    return false;
            }
        return true;
    })) << "the body is not the body picture in blocks of two";
    EXPECT_TRUE(Terminate());
}
