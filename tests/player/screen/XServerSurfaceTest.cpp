// The same drawing through the X server surface and the image surface leaves
// the same pixels; so does the real player window with each shipped skin.
#include "ScreenSupport.h"

#include "player/skin/ImageSurface.h"
#include "player/skin/SkinWindow.h"
#include "player/skin/XServerSurface.h"

#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <fstream>
#include <random>

using namespace skin;

using namespace screentest;
using platform::Rect;
using platform::Region;

namespace {

xcb_connection_t* Connection()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// A drawable's pixels as the server holds them, opaque.
QImage ReadBack(xcb_drawable_t drawable, int width, int height)
{
    xcb_connection_t* c = Connection();
    QImage out(width, height, QImage::Format_RGB32);
    out.fill(Qt::transparent);
    auto* reply = xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, 0, 0, static_cast<uint16_t>(width), static_cast<uint16_t>(height), ~0u),
        nullptr);
    if (reply == nullptr) {
        ADD_FAILURE() << "the server returned no image";
        return out;
    }
    const auto* data = reinterpret_cast<const uint32_t*>(xcb_get_image_data(reply));
    const int length = xcb_get_image_data_length(reply) / 4;
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width && y * width + x < length; ++x)
            line[x] = data[y * width + x] | 0xFF000000u;
    }
    std::free(reply);
    return out;
}

// The first pixel where the two differ (inside the region, if given); empty when they match.
std::string FirstDifference(const QImage& expected, const QImage& actual, const Region* inside = nullptr)
{
    if (expected.size() != actual.size())
        return "sizes differ";
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if ((expected.pixel(x, y) & 0xFFFFFFu) != (actual.pixel(x, y) & 0xFFFFFFu) && (!inside || inside->Contains(x, y)))
                return "at " + std::to_string(x) + "," + std::to_string(y);
    return std::string();
}

// Noise, so that each raster operation is checked bit by bit.
QImage Noise(int width, int height, unsigned seed)
{
    std::mt19937 random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = 0xFF000000u | (random() & 0xFFFFFFu);
    }
    return image;
}

// A clip of several separate pieces, one of them reaching past the surface.
Region RaggedClip()
{
    Region clip(Rect{3, 2, 40, 9});
    clip = clip.United(Region(Rect{10, 14, 30, 40}));
    clip = clip.United(Region(Rect{50, 20, 90, 70}));
    return clip.Subtracted(Region(Rect{60, 30, 65, 35}));
}

class SurfacePair : public ::testing::Test {
protected:
    static constexpr int W = 80;
    static constexpr int H = 60;

    void SetUp() override
    {
        if (!QApplication::instance() || Connection() == nullptr) GTEST_SKIP() << "no X display";
        m_server = XServerSurface::Create(Connection());
        ASSERT_NE(m_server, nullptr) << "the X server's pixel format was not taken";
        m_server->Resize(W, H);
        m_image.Resize(W, H);
    }

    void Both(const std::function<void(DrawingSurface&)>& draw)
    {
        draw(m_image);
        draw(*m_server);
    }

    void ExpectSame(const std::string& what)
    {
        EXPECT_EQ(FirstDifference(m_image.Image(), ReadBack(m_server->ContentPixmap(), W, H)), "") << what;
        EXPECT_EQ(FirstDifference(m_image.Image(), m_server->Image()), "") << what << " (client-side copy)";
    }

    ImageSurface m_image;
    std::unique_ptr<XServerSurface> m_server;
};

} // namespace

// Each raster operation, from sources wholly inside, partly outside (read as
// black), reaching past the surface's edge, missing, and the surface itself.
TEST_F(SurfacePair, EachRasterOperationCombinesLikeTheImageSurface)
{
    const QImage background = Noise(W, H, 1);
    const QImage source = Noise(50, 40, 2);
    const QImage small = Noise(30, 20, 3);
    for (RasterOp op : {RasterOp::SrcCopy, RasterOp::SrcAnd, RasterOp::MergePaint}) {
        Both([&](DrawingSurface& s) {
            s.ClearClip();
            s.PaintPicture(background, 0, 0);
            s.Copy(source, 5, 7, Rect{10, 8, 50, 38}, op);
            s.Copy(small, -6, -4, Rect{2, 2, 30, 22}, op);
            s.Copy(small, 20, 12, Rect{40, 30, 70, 50}, op);
            s.Copy(small, 0, 0, Rect{65, 45, 95, 65}, op);
            s.Copy(QImage(), 0, 0, Rect{0, 50, 10, 60}, op);
            s.Copy(s.Image(), 10, 10, Rect{0, 0, 50, 40}, op);
        });
        ExpectSame("raster operation " + std::to_string(static_cast<uint32_t>(op)));
    }
}

TEST_F(SurfacePair, ClipRegionsLimitEveryOperation)
{
    const QImage source = Noise(W, H, 5);
    Both([&](DrawingSurface& s) {
        s.ClearClip();
        s.PaintPicture(Noise(W, H, 6), 0, 0);
        s.SetClip(RaggedClip());
        s.Copy(source, 0, 0, Rect{0, 0, W, H}, RasterOp::SrcCopy);
        s.SetClip(RaggedClip().Subtracted(Region(Rect{0, 0, 35, 60})));
        s.Copy(source, 7, 9, Rect{0, 0, W, H}, RasterOp::SrcAnd);
        // A clip of one rectangle after a ragged one narrows the block alone,
        // where the source is missing too.
        s.SetClip(Region(Rect{20, 5, 70, 50}));
        s.Copy(source, 40, 30, Rect{10, 0, 60, 45}, RasterOp::SrcCopy);
        // An empty clip lets nothing through.
        s.SetClip(Region());
        s.Copy(source, 0, 0, Rect{0, 0, W, H}, RasterOp::MergePaint);
    });
    ExpectSame("clipped copies");
}

// The start-up paint is held on the client and sent as one image; the blocks
// after it are copied on the server.
TEST_F(SurfacePair, HeldBlocksAreSentAsOneImageAndLaterOnesOnTheServer)
{
    m_server->HoldPixelsUntilPresented();
    const QImage source = Noise(50, 40, 7);
    Both([&](DrawingSurface& s) {
        s.PaintPicture(Noise(W, H, 8), 0, 0);
        s.Copy(source, 5, 7, Rect{10, 8, 50, 38}, RasterOp::SrcAnd);
    });
    ExpectSame("held blocks");
    Both([&](DrawingSurface& s) { s.Copy(source, 0, 0, Rect{30, 20, 80, 60}, RasterOp::MergePaint); });
    ExpectSame("a block after them");
}

// An image and its mask (a black disc) side by side, put over the background as the widgets are.
TEST_F(SurfacePair, MaskedImagesLieOverTheBackgroundLikeOnTheImageSurface)
{
    QImage picture(48, 24, QImage::Format_RGB32);
    const QImage noise = Noise(24, 24, 7);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            const bool opaque = (2 * x - 23) * (2 * x - 23) + (2 * y - 23) * (2 * y - 23) < 24 * 24;
            picture.setPixel(x, y, opaque ? noise.pixel(x, y) : qRgb(255, 255, 255));
            picture.setPixel(24 + x, y, opaque ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    const QImage body = Noise(W, H, 8);
    const Rect box = Rect::FromSize(30, 20, 24, 24);
    Both([&](DrawingSurface& s) {
        s.KeepPictures({&body, &picture});
        s.ClearClip();
        s.PaintPicture(body, 0, 0);
        s.Copy(picture, 24, 0, box, RasterOp::MergePaint);
        s.Copy(picture, 0, 0, box, RasterOp::SrcAnd);
    });
    ExpectSame("masked image");
}

TEST_F(SurfacePair, TextDrawnThroughAPainterMatches)
{
    Both([&](DrawingSurface& s) {
        s.ClearClip();
        s.PaintPicture(Noise(W, H, 10), 0, 0);
        s.SetClip(RaggedClip());
        s.SetTextColor(0x3080F0);
        SurfacePainter painter = s.BeginPaint();
        painter.drawText(QRect(0, 0, W, 20), Qt::AlignLeft, QStringLiteral("Zelko 再生中 04:10"));
        painter.drawText(QRect(2, 30, W, 15), Qt::AlignLeft, QStringLiteral("歌詞 lyrics"));
    });
    ExpectSame("text");
}

namespace {

class SkinSurfaceTest : public ScreenTest, public ::testing::WithParamInterface<const char*> {
protected:
    // A tone MP3 with a timed lyrics file of sixty lines, a second apart.
    std::string SungTrack(double seconds)
    {
        const std::string sung = Track("sung", seconds, "A long title that does not fit in the title box at all");
        std::ofstream lyrics(m_folder.Path() / "sung.txt", std::ios::binary);
        for (int i = 0; i < 60; ++i)
            lyrics << "[00:" << (i < 10 ? "0" : "") << i << ".50]歌詞の行 " << i << "\r\n";
        return sung;
    }

    // The server's content and the window inside its outline equal the client-side copy.
    void ExpectServerMatches(const std::string& step)
    {
        QCoreApplication::processEvents();
        SkinWindow& window = Player().Window();
        XServerSurface* server = window.ServerSurface();
        ASSERT_NE(server, nullptr);
        const QImage& expected = window.Surface().Image();
        const int w = expected.width(), h = expected.height();
        EXPECT_EQ(FirstDifference(expected, ReadBack(server->ContentPixmap(), w, h)), "") << step;
        const Region shape = window.Shape().Scaled(window.Scale());
        EXPECT_EQ(FirstDifference(expected, ReadBack(static_cast<xcb_window_t>(window.winId()), w, h), &shape), "")
            << step << ": the window";
    }
};

} // namespace

// A minute of the play loop at sixty times the speed changes every widget many times.
TEST_P(SkinSurfaceTest, EveryStateAndAMinuteOfPlayAreTheSameOnTheServer)
{
    const std::string sung = SungTrack(90.0);
    ASSERT_TRUE(Start(GetParam(), "", 60.0));
    ExpectServerMatches("stopped");
    Player().AddMp3Files({sung, Track("other", 4.0, "Other"), Track("third", 4.0, "Third")});
    Player().cButtonAction_PlayListPullClick();
    Player().cButtonAction_LyricsPullClick();
    ExpectServerMatches("drawers out");
    Player().cButtonAction_PlayClick();
    ASSERT_TRUE(Player().Playback().bPlay());
    int checks = 0;
    QElapsedTimer clock;
    clock.start();
    // Ticks are run here rather than waited for.
    while (Player().Decoder().dec_getPlayMs() < 60000 && clock.elapsed() < 20000) {
        for (int i = 0; i < 25; ++i)
            Player().Loop().PlayTimer_Timer();
        if (++checks % 4 == 0)
            ExpectServerMatches("at " + std::to_string(Player().Decoder().dec_getPlayMs()) + " ms");
        if (HasFailure())
            return;
    }
    EXPECT_GE(Player().Decoder().dec_getPlayMs(), 60000) << "the minute was not played";
    Player().cButtonAction_PauseClick();
    ExpectServerMatches("paused");
    Player().cButtonAction_RepeatClick();
    Player().cButtonAction_ShuffleClick();
    Player().cButtonAction_VolumeMinusClick();
    Player().cPlayListAction_ListDownClick();
    ExpectServerMatches("repeat, shuffle, volume and list scrolled");
    Player().cButtonAction_NTrackClick();
    ExpectServerMatches("next track");
    Player().cButtonAction_StopClick();
    Player().cButtonAction_LyricsPullClick();
    Player().cButtonAction_PlayListPullClick();
    ExpectServerMatches("stopped, drawers back");
}

TEST_P(SkinSurfaceTest, AtScaleTwoTheServerIsTheSame)
{
    const std::string sung = SungTrack(60.0);
    ASSERT_TRUE(Start(GetParam(), "Scale=2\r\n", 4.0));
    ASSERT_EQ(Player().Window().Scale(), 2);
    Player().AddMp3Files({sung, Track("other", 4.0, "Other")});
    Player().cButtonAction_PlayListPullClick();
    Player().cButtonAction_LyricsPullClick();
    Player().cButtonAction_PlayClick();
    for (int i = 0; i < 50; ++i)
        Player().Loop().PlayTimer_Timer();
    ExpectServerMatches("played 50 ticks at scale 2");
}

INSTANTIATE_TEST_SUITE_P(ShippedSkins, SkinSurfaceTest, ::testing::Values("Carbon", "Meadow"));
