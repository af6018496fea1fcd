// The X server surface against the image surface: the same drawing sequences
// (each raster operation, masks, clip regions, sources partly outside, text)
// sent through both must leave the same pixels, read back from the server's
// content pixmap and from the window. Then the real player window with each
// shipped skin, in every state and through a minute of the play loop: the
// server's pixels must equal the client-side copy, which the X surface keeps
// with the image surface's own code.
#include "ScreenSupport.h"

#include "player/skin/ImageSurface.h"
#include "player/skin/SkinWindow.h"
#include "player/skin/SkinWindowBuilder.h"
#include "player/skin/XServerSurface.h"

#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <random>

using namespace screentest;
using platform::Rect;
using platform::Region;

namespace {

xcb_connection_t* Connection()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// The pixels of a drawable's rectangle as the server holds them, in RGB32
// with an opaque top byte.
QImage ReadBack(xcb_drawable_t drawable, int width, int height)
{
    xcb_connection_t* c = Connection();
    QImage out(width, height, QImage::Format_RGB32);
    out.fill(Qt::transparent);
    auto* reply = xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, 0, 0, static_cast<uint16_t>(width),
                         static_cast<uint16_t>(height), ~0u),
        nullptr);
    if (reply == nullptr) {
        ADD_FAILURE() << "the server returned no image";
        return out;
    }
    const auto* data = reinterpret_cast<const uint32_t*>(xcb_get_image_data(reply));
    const int length = xcb_get_image_data_length(reply) / 4;
    if (length < width * height) ADD_FAILURE() << "short image: " << length << " words";
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width && y * width + x < length; ++x) line[x] = data[y * width + x] | 0xFF000000u;
    }
    std::free(reply);
    return out;
}

// The first pixel where the two differ, described; empty when they match.
std::string FirstDifference(const QImage& expected, const QImage& actual)
{
    if (expected.size() != actual.size()) return "sizes differ";
    int count = 0;
    std::string first;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb e = expected.pixel(x, y) & 0xFFFFFFu;
            const QRgb a = actual.pixel(x, y) & 0xFFFFFFu;
            if (e == a) continue;
            if (count++ == 0) {
                char text[96];
                std::snprintf(text, sizeof text, "at %d,%d expected %06X, got %06X", x, y, e, a);
                first = text;
            }
        }
    }
    return count == 0 ? std::string() : first + " (" + std::to_string(count) + " pixels differ)";
}

// A picture of noise: every bit pattern shows up, so each raster operation
// is checked bit by bit.
QImage Noise(int width, int height, unsigned seed)
{
    std::mt19937 random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) line[x] = 0xFF000000u | (random() & 0xFFFFFFu);
    }
    return image;
}

// A mask: black where the image is opaque (a disc), white around it.
QImage DiscMask(int size)
{
    QImage mask(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int dx = 2 * x - size + 1, dy = 2 * y - size + 1;
            mask.setPixel(x, y, dx * dx + dy * dy < size * size ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    return mask;
}

// A clip of several separate pieces, one of them reaching past the surface.
Region RaggedClip()
{
    Region clip(Rect{3, 2, 40, 9});
    clip = clip.United(Region(Rect{10, 14, 30, 40}));
    clip = clip.United(Region(Rect{50, 20, 90, 70}));
    return clip.Subtracted(Region(Rect{60, 30, 65, 35}));
}

// Runs a drawing sequence on both surfaces, at the scale of the parameter,
// and compares them.
class SurfacePair : public ::testing::TestWithParam<int> {
protected:
    static constexpr int W = 80;
    static constexpr int H = 60;

    void SetUp() override
    {
        if (!QApplication::instance() || Connection() == nullptr) GTEST_SKIP() << "no X display";
        m_server = XServerSurface::Create(Connection());
        ASSERT_NE(m_server, nullptr) << "the X server's pixel format was not taken";
        m_server->SetScale(GetParam());
        m_image.SetScale(GetParam());
        m_server->Resize(W, H);
        m_image.Resize(W, H);
    }

    void Both(const std::function<void(DrawingSurface&)>& draw)
    {
        draw(m_image);
        draw(*m_server);
    }

    // The server's content equals the image surface.
    void ExpectSame(const std::string& what)
    {
        EXPECT_EQ(m_image.Image().size(), QSize(W, H) * GetParam()) << what;
        EXPECT_EQ(FirstDifference(m_image.Image(), ReadBack(m_server->ContentPixmap(), W * GetParam(), H * GetParam())),
                  "")
            << what;
        EXPECT_EQ(FirstDifference(m_image.Image(), m_server->Image()), "") << what << " (client-side copy)";
    }

    ImageSurface m_image;
    std::unique_ptr<XServerSurface> m_server;
};

} // namespace

// Each raster operation, from sources wholly inside, partly outside (read as
// black) and reaching past the surface's edge.
TEST_P(SurfacePair, EachRasterOperationCombinesLikeTheImageSurface)
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
        });
        ExpectSame("raster operation " + std::to_string(static_cast<uint32_t>(op)));
    }
}

TEST_P(SurfacePair, ClipRegionsLimitEveryOperation)
{
    const QImage source = Noise(W, H, 5);
    Both([&](DrawingSurface& s) {
        s.ClearClip();
        s.PaintPicture(Noise(W, H, 6), 0, 0);
        s.SetClip(RaggedClip());
        s.Copy(source, 0, 0, Rect{0, 0, W, H}, RasterOp::SrcCopy);
        s.SetClip(Region(Rect{20, 0, 70, 25}));
        s.Copy(source, 11, 3, Rect{0, 0, W, H}, RasterOp::MergePaint);
        s.SetClip(RaggedClip().Subtracted(Region(Rect{0, 0, 35, 60})));
        s.Copy(source, 7, 9, Rect{0, 0, W, H}, RasterOp::SrcAnd);
        // An empty clip lets nothing through.
        s.SetClip(Region());
        s.Copy(source, 0, 0, Rect{0, 0, W, H}, RasterOp::SrcCopy);
        s.ClearClip();
        s.Copy(source, 1, 1, Rect{70, 50, 80, 60}, RasterOp::SrcCopy);
    });
    ExpectSame("clipped copies");
}

TEST_P(SurfacePair, MaskedImagesLieOverTheBackgroundLikeOnTheImageSurface)
{
    // A source picture holding an image (white where transparent) and its mask.
    QImage picture(48, 24, QImage::Format_RGB32);
    const QImage mask = DiscMask(24);
    const QImage noise = Noise(24, 24, 7);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            picture.setPixel(x, y, mask.pixel(x, y) == qRgb(0, 0, 0) ? noise.pixel(x, y) : qRgb(255, 255, 255));
            picture.setPixel(24 + x, y, mask.pixel(x, y));
        }
    const QImage body = Noise(W, H, 8);
    Both([&](DrawingSurface& s) {
        s.KeepPictures({&body, &picture});
        s.ClearClip();
        s.PaintPicture(body, 0, 0);
        for (int i = 0; i < 3; ++i) {
            const Rect box = Rect::FromSize(5 + 25 * i, 10 + 5 * i, 24, 24);
            s.SetClip(Region(box).Subtracted(Region(Rect::FromSize(box.left, box.top, 6, 6))));
            s.Copy(body, box.left, box.top, box, RasterOp::SrcCopy);
            s.Copy(picture, 24, 0, box, RasterOp::MergePaint);
            s.Copy(picture, 0, 0, box, RasterOp::SrcAnd);
        }
    });
    ExpectSame("masked images");
}

TEST_P(SurfacePair, CopiesFromTheSurfaceItselfReadTheOldPixels)
{
    Both([&](DrawingSurface& s) {
        s.ClearClip();
        s.PaintPicture(Noise(W, H, 9), 0, 0);
        const QImage self = s.Image();
        s.Copy(self, 0, 0, Rect{5, 3, 65, 53}, RasterOp::SrcCopy);
        s.Copy(s.Image(), 10, 10, Rect{0, 0, 50, 40}, RasterOp::MergePaint);
    });
    ExpectSame("copies within the surface");
}

TEST_P(SurfacePair, TextAndShapesDrawnThroughPaintersMatch)
{
    const QImage body = Noise(W, H, 10);
    Both([&](DrawingSurface& s) {
        s.ClearClip();
        s.PaintPicture(body, 0, 0);
        s.SetClip(RaggedClip());
        s.SetTextColor(0x3080F0);
        {
            SurfacePainter painter = s.BeginPaint();
            painter.drawText(QRect(0, 0, W, 20), Qt::AlignLeft, QStringLiteral("Zelko 再生中 04:10"));
            painter.drawLine(0, 59, 79, 0);
        }
        s.SetClip(Region(Rect{0, 30, 80, 45}));
        {
            SurfacePainter painter = s.BeginPaint();
            painter.drawText(QRect(2, 30, W, 15), Qt::AlignLeft, QStringLiteral("歌詞 lyrics"));
        }
        s.ClearClip();
        s.Copy(body, 0, 0, Rect{0, 50, 40, 60}, RasterOp::SrcCopy);
    });
    ExpectSame("text");
}

INSTANTIATE_TEST_SUITE_P(Scales, SurfacePair, ::testing::Values(1, 2, 3));

// The window shows what the surface holds, one device pixel for one: after a
// first paint of the whole window, then after a few changed rectangles put on
// the screen by a paint scope.
class XServerWindow : public ::testing::TestWithParam<int> {};

TEST_P(XServerWindow, TheWindowShowsTheDevicePixelsAfterExposeAndAfterAPaintScope)
{
    if (!QApplication::instance() || Connection() == nullptr) GTEST_SKIP() << "no X display";
    const int scale = GetParam();
    DisplayLock lock;
    SkinWindow window;
    XServerSurface* server = window.ServerSurface();
    ASSERT_NE(server, nullptr) << "a window on X11 draws on the X server";
    window.SetScale(scale);
    window.Place(20, 20, 90, 70);
    EXPECT_EQ(window.size(), QSize(90, 70) * scale);
    window.SetShape(Region(Rect{0, 0, 90, 70}));
    window.Surface().PaintPicture(Noise(90, 70, 11), 0, 0);
    ASSERT_EQ(window.Surface().Image().size(), QSize(90, 70) * scale);
    window.show();
    const auto windowPixels = [&] { return ReadBack(static_cast<xcb_window_t>(window.winId()), 90 * scale, 70 * scale); };
    EXPECT_TRUE(playertest::WaitFor([&] { return FirstDifference(window.Surface().Image(), windowPixels()).empty(); }))
        << FirstDifference(window.Surface().Image(), windowPixels());
    const QImage source = Noise(40, 40, 12);
    {
        SkinWindow::PaintScope scope(window);
        window.Surface().SetClip(RaggedClip());
        window.Surface().Copy(source, 0, 0, Rect{0, 0, 60, 60}, RasterOp::SrcAnd);
        window.Surface().ClearClip();
        window.Surface().Copy(source, 3, 3, Rect{70, 50, 90, 70}, RasterOp::MergePaint);
        SurfacePainter painter = window.Surface().BeginPaint();
        painter.drawText(QPoint(4, 40), QStringLiteral("再生 2x"));
    }
    // Nothing else is drawn after the scope: what the window shows now came
    // from the scope's own copies to the screen.
    EXPECT_EQ(FirstDifference(window.Surface().Image(), windowPixels()), "");
    EXPECT_EQ(FirstDifference(window.Surface().Image(), ReadBack(server->ContentPixmap(), 90 * scale, 70 * scale)), "");
}

INSTANTIATE_TEST_SUITE_P(Scales, XServerWindow, ::testing::Values(1, 2));

namespace {

// The player window with each shipped skin, checked after each step.
class SkinSurfaceTest : public ScreenTest, public ::testing::WithParamInterface<const char*> {
protected:
    std::string SkinName() const override { return GetParam(); }

    // A tone MP3 with a timed lyrics file of sixty lines, a second apart.
    std::string SungTrack(double seconds, const std::string& title, const std::string& fraction, const std::string& text)
    {
        const std::string sung = Track("sung", seconds, title);
        std::ofstream lyrics(Folder().Path() / "sung.txt", std::ios::binary);
        for (int i = 0; i < 60; ++i)
            lyrics << "[00:" << (i < 10 ? "0" : "") << i << "." << fraction << "]" << text << i << "\r\n";
        return sung;
    }

    // The server's content equals the client-side copy, and the window shows it.
    void ExpectServerMatches(const std::string& step)
    {
        QCoreApplication::processEvents();
        SkinWindow& window = Player().Window();
        XServerSurface* server = window.ServerSurface();
        ASSERT_NE(server, nullptr);
        const QImage& expected = window.Surface().Image();
        EXPECT_EQ(FirstDifference(expected, ReadBack(server->ContentPixmap(), expected.width(), expected.height())),
                  "")
            << step;
        // The window's pixels inside its outline (outside it they are undefined).
        const QImage shown = ReadBack(static_cast<xcb_window_t>(window.winId()), expected.width(), expected.height());
        int wrong = 0;
        const platform::Region shape = window.Shape().Scaled(window.Scale());
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x)
                if (shape.Contains(x, y) && (shown.pixel(x, y) & 0xFFFFFFu) != (expected.pixel(x, y) & 0xFFFFFFu))
                    ++wrong;
        EXPECT_EQ(wrong, 0) << step << ": window pixels differ from the surface";
    }
};

} // namespace

TEST_P(SkinSurfaceTest, EveryStateOfTheSkinIsTheSameOnTheServer)
{
    const std::string sung = SungTrack(90.0, "A long title that does not fit in the title box at all", "00", "歌詞の行 ");
    ASSERT_TRUE(Start(std::string(), 1.0));
    ExpectServerMatches("stopped");
    Player().AddMp3Files({sung, Track("other", 4.0, "Other"), Track("third", 4.0, "Third")});
    ExpectServerMatches("list filled");
    Player().cButtonAction_PlayListPullClick();
    ExpectServerMatches("play list out");
    Player().cButtonAction_LyricsPullClick();
    ExpectServerMatches("lyrics out");
    Player().cButtonAction_PlayClick();
    ExpectServerMatches("playing");
    for (int i = 0; i < 50; ++i) Player().Loop().PlayTimer_Timer();
    ExpectServerMatches("played 50 ticks");
    Player().cButtonAction_PauseClick();
    ExpectServerMatches("paused");
    Player().cButtonAction_RepeatClick();
    Player().cButtonAction_ShuffleClick();
    ExpectServerMatches("repeat and shuffle");
    Player().cButtonAction_VolumePlusClick();
    Player().cButtonAction_VolumeMinusClick();
    Player().cButtonAction_VolumeMinusClick();
    ExpectServerMatches("volume");
    Player().cPlayListAction_ListDownClick();
    ExpectServerMatches("list scrolled");
    Player().cButtonAction_NTrackClick();
    ExpectServerMatches("next track");
    Player().cButtonAction_StopClick();
    ExpectServerMatches("stopped again");
    Player().cButtonAction_LyricsPullClick();
    Player().cButtonAction_PlayListPullClick();
    ExpectServerMatches("drawers back");
}

// A minute of the play loop, with the clock running sixty times as fast, so
// that the digits, the seek bar, the analyser, the title and the lyrics all
// change many times; checked every few seconds of play.
TEST_P(SkinSurfaceTest, AMinuteOfThePlayLoopIsTheSameOnTheServer)
{
    const std::string sung = SungTrack(75.0, "Minute", "50", "行 ");
    ASSERT_TRUE(Start("[LyricsWindow]\r\nShowFromChangedSkin=-1\r\n", 60.0));
    Player().AddMp3Files({sung});
    Player().cButtonAction_PlayListPullClick();
    Player().cButtonAction_PlayClick();
    ASSERT_TRUE(Player().Playback().bPlay());
    int checks = 0;
    QElapsedTimer clock;
    clock.start();
    // Ticks are run here rather than waited for; the decoder's clock runs
    // sixty times as fast, so a minute of play takes about a second.
    while (Player().Decoder().dec_getPlayMs() < 60000 && clock.elapsed() < 20000) {
        for (int i = 0; i < 25; ++i) Player().Loop().PlayTimer_Timer();
        if (++checks % 4 == 0) ExpectServerMatches("at " + std::to_string(Player().Decoder().dec_getPlayMs()) + " ms");
        if (HasFailure()) return;
    }
    EXPECT_GE(Player().Decoder().dec_getPlayMs(), 60000) << "the minute was not played";
    ExpectServerMatches("after a minute");
}

// At scale 2 from the start, and across switches of the scale while the
// track plays, the server holds what the client-side copy holds.
TEST_P(SkinSurfaceTest, AtScaleTwoAndAcrossSwitchesTheServerIsTheSame)
{
    const std::string sung = SungTrack(60.0, "A long title that does not fit in the title box at all", "00", "歌詞の行 ");
    ASSERT_TRUE(Start("Scale=2\r\n", 4.0));
    ASSERT_EQ(Player().Window().Scale(), 2);
    ExpectServerMatches("stopped at scale 2");
    Player().AddMp3Files({sung, Track("other", 4.0, "Other")});
    Player().cButtonAction_PlayListPullClick();
    Player().cButtonAction_LyricsPullClick();
    ExpectServerMatches("drawers out at scale 2");
    Player().cButtonAction_PlayClick();
    for (int i = 0; i < 50; ++i) Player().Loop().PlayTimer_Timer();
    ExpectServerMatches("played 50 ticks at scale 2");
    for (int round = 0; round < 3; ++round) {
        Player().Menus().DoubleSizeItem().trigger();
        ExpectServerMatches("switched " + std::to_string(round + 1) + " times");
        for (int i = 0; i < 30; ++i) Player().Loop().PlayTimer_Timer();
        ExpectServerMatches("ticks after switch " + std::to_string(round + 1));
    }
    EXPECT_EQ(Player().Window().Scale(), 1);
    EXPECT_TRUE(Player().Playback().bPlay());
}

INSTANTIATE_TEST_SUITE_P(ShippedSkins, SkinSurfaceTest, ::testing::Values("Carbon", "Meadow"));
