// The real program under Qt's own high-DPI scaling (QT_SCALE_FACTOR=2) on the
// X display: the automatic scale follows the ratio and the skin is scaled
// once, not twice; a scale set in the settings wins over the ratio.
#include "ScreenSupport.h"

#include "platform/ProfileFile.h"
#include "player/skin/SkinLoader.h"
#include "player/skin/SkinWindowBuilder.h"

#include <QRegularExpression>

using namespace screentest;

namespace {

class ProgramScaleTest : public RunningProgramTest, public ::testing::WithParamInterface<int> {
protected:
    // Starts the program with the Carbon skin under Qt's scaling by two, the
    // scale set to the parameter (0: automatic, not in the settings).
    void Start()
    {
        SkinLoadResult loaded = LoadSkin(std::string(ZELKO_PROGRAM_DIR) + "/Skins/Carbon/", "Carbon.zks");
        ASSERT_TRUE(loaded.skin.has_value());
        m_skin = std::move(*loaded.skin);
        m_folder.WriteIni("[Skin]\nPath=" + m_folder.Folder() + "Skins/Carbon/\nFile=Carbon.zks\n[Window]\nLeft=20\nTop=10\n" +
                          (GetParam() ? "Scale=" + std::to_string(GetParam()) + "\n" : std::string()));
        StartProgram(m_folder, {{"QT_SCALE_FACTOR", "2"}});
    }

    // The main window's place and size in device (X server) pixels, once it
    // is on the screen.
    QRect WindowGeometry()
    {
        const std::string id = WaitForWindow();
        if (id.empty()) return QRect();
        const QString text = QString::fromStdString(Output("xdotool getwindowgeometry " + id));
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral(R"(Position: (-?\d+),(-?\d+)[\s\S]*Geometry: (\d+)x(\d+))")).match(text);
        if (!m.hasMatch()) return QRect();
        return QRect(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
    }

    // Whether the screen shows the bare body at the window's place with each
    // skin pixel a block of `scale` device pixels.
    bool ShowsBodyAt(const QRect& window, int scale)
    {
        const platform::Region bare = BareBody(m_skin);
        const platform::Rect box = bare.BoundingBox();
        return playertest::WaitFor([&] {
            const QImage shot = GrabScreen(window);
            if (shot.size() != window.size()) return false;
            for (int y = box.top; y < box.bottom; y += 3)
                for (int x = box.left; x < box.right; x += 3) {
                    if (!bare.Contains(x, y)) continue;
                    const QRgb body = m_skin.pictures.picBody.pixel(x, y);
                    if (shot.pixel(x * scale, y * scale) != body ||
                        shot.pixel(x * scale + scale - 1, y * scale + scale - 1) != body)
                        return false;
                }
            return true;
        });
    }

    ProgramFolder m_folder;
    Skin m_skin;
};

} // namespace

// Automatic (the default): at a ratio of two the scale is two, the skin is
// scaled once, and the file keeps the keys it had. A set scale of one wins
// over the ratio.
TEST_P(ProgramScaleTest, TheScaleIsTheRatioUnlessSetAndTheSkinIsScaledOnce)
{
    Start();
    const int scale = GetParam() ? GetParam() : 2;
    const QRect window = WindowGeometry();
    ASSERT_FALSE(window.isNull()) << "no window";
    const platform::Rect box = SkinWindowBox(m_skin);
    EXPECT_EQ(window.size(), QSize(box.Width() * scale, box.Height() * scale));
    EXPECT_TRUE(ShowsBodyAt(window, scale)) << "the body is not the body picture in blocks of " << scale;
    ASSERT_TRUE(Terminate());
    EXPECT_EQ(platform::ProfileFile::Load(m_folder.Ini().string()).Value("Window", "Scale").value_or("(none)"),
              GetParam() ? std::to_string(GetParam()) : "(none)");
}

INSTANTIATE_TEST_SUITE_P(AutomaticOrOne, ProgramScaleTest, ::testing::Values(0, 1));
