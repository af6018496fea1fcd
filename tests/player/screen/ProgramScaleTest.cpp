// The real program under Qt's own high-DPI scaling (QT_SCALE_FACTOR=2) on the
// X display: the automatic scale follows the ratio and the skin is scaled
// once, not twice; a scale set in the settings wins over the ratio.
#include "ScreenSupport.h"

#include "platform/ProfileFile.h"
#include "player/skin/SkinLoader.h"
#include "player/skin/SkinWindowBuilder.h"

#include <QProcess>
#include <QRegularExpression>

#include <csignal>
#include <cstdio>
#include <memory>

using namespace screentest;
namespace fs = std::filesystem;

namespace {

std::string Output(const std::string& command)
{
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) return std::string();
    std::string text;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe.get())) text += buffer;
    return text;
}

class ProgramScaleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QApplication::instance()) GTEST_SKIP() << "no X display";
        if (!fs::exists(fs::path(ZELKO_PROGRAM_DIR) / "Zelko")) GTEST_SKIP() << "the program is not built";
        m_displayLock = std::make_unique<DisplayLock>();
        const std::string skins = std::string(ZELKO_PROGRAM_DIR) + "/Skins/Carbon/";
        SkinLoadResult loaded = LoadSkin(skins, "Carbon.zks");
        ASSERT_TRUE(loaded.skin.has_value());
        m_skin = std::move(*loaded.skin);
    }
    void TearDown() override
    {
        if (m_player.state() != QProcess::NotRunning) {
            m_player.kill();
            m_player.waitForFinished(5000);
        }
        m_displayLock.reset();
    }

    // Starts the program with the Carbon skin and the [Window] lines given,
    // under Qt's scaling by two.
    void Start(const std::string& windowLines)
    {
        m_folder.WriteIni("[Skin]\nPath=" + m_folder.Folder() + "Skins/Carbon/\nFile=Carbon.zks\n[Window]\nLeft=20\nTop=10\n" +
                          windowLines);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("QT_SCALE_FACTOR", "2");
        env.insert("ZELKO_AUDIO", "null");
        env.insert("ASAN_OPTIONS", "strict_string_checks=1:detect_leaks=0:suppressions=" ZELKO_SOURCE_DIR
                                   "/tests/player/screen/asan.supp");
        m_player.setProcessEnvironment(env);
        m_player.setWorkingDirectory(QString::fromStdString(m_folder.Path().string()));
        m_player.start(QString::fromUtf8(ZELKO_PROGRAM_DIR "/Zelko"), {"/develop"});
        ASSERT_TRUE(m_player.waitForStarted(5000));
    }

    // The main window's place and size in device (X server) pixels, once it
    // is on the screen.
    QRect WindowGeometry()
    {
        const std::string id = Output("timeout 30 xdotool search --sync --onlyvisible --pid " +
                                      std::to_string(m_player.processId()) + " 2>/dev/null | head -n 1");
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

    std::string StopAndReadScale()
    {
        ::kill(static_cast<pid_t>(m_player.processId()), SIGTERM);
        if (!m_player.waitForFinished(30000)) return "(still running)";
        return platform::ProfileFile::Load(m_folder.Ini().string()).Value("Window", "Scale").value_or("(none)");
    }

    ProgramFolder m_folder;
    Skin m_skin;
    std::unique_ptr<DisplayLock> m_displayLock;
    QProcess m_player;
};

} // namespace

TEST_F(ProgramScaleTest, AtARatioOfTwoTheAutomaticScaleIsTwoAndTheSkinIsScaledOnce)
{
    Start("");
    const QRect window = WindowGeometry();
    ASSERT_FALSE(window.isNull()) << "no window";
    const platform::Rect box = SkinWindowBox(m_skin);
    EXPECT_EQ(window.size(), QSize(box.Width() * 2, box.Height() * 2));
    EXPECT_TRUE(ShowsBodyAt(window, 2)) << "the body is not the body picture in 2 x 2 blocks";
    // The automatic choice is the default: the file keeps the keys it had.
    EXPECT_EQ(StopAndReadScale(), "(none)");
}

TEST_F(ProgramScaleTest, ASetScaleOfOneWinsOverTheRatio)
{
    Start("Scale=1\n");
    const QRect window = WindowGeometry();
    ASSERT_FALSE(window.isNull()) << "no window";
    const platform::Rect box = SkinWindowBox(m_skin);
    EXPECT_EQ(window.size(), QSize(box.Width(), box.Height()));
    EXPECT_TRUE(ShowsBodyAt(window, 1)) << "the body is not the body picture pixel for pixel";
    EXPECT_EQ(StopAndReadScale(), "1");
}
