// The real program under Qt's own high-DPI scaling: the automatic scale
// follows the device ratio and the skin is scaled once, not twice.
#include "ScreenSupport.h"

#include "player/skin/SkinLoader.h"
#include "player/skin/SkinWindowBuilder.h"

#include <QProcess>
#include <QRegularExpression>

using namespace screentest;

namespace {

QString Xdotool(const QStringList& arguments)
{
    QProcess tool;
    tool.start("timeout", QStringList{"30", "xdotool"} + arguments);
    tool.waitForFinished(40000);
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

} // namespace

TEST(ProgramScaleTest, UnderQtScalingOfTwoTheWindowIsTheSkinBoxDoubled)
{
    if (!QApplication::instance())
        GTEST_SKIP() << "no X display";
    if (!testsupport::PlayerProgram::Built())
        GTEST_SKIP() << "the program is not built";
    const skin::SkinLoadResult loaded = skin::LoadSkin(std::string(ZELKO_PROGRAM_DIR) + "/Skins/Carbon/", "Carbon.zks");
    ASSERT_TRUE(loaded.skin.has_value());
    const platform::Rect box = skin::SkinWindowBox(*loaded.skin);
    const DisplayLock lock;
    ProgramFolder folder;
    folder.WriteIni("[Skin]\nPath=" + folder.Folder() + "Skins/Carbon/\nFile=Carbon.zks\n");
    testsupport::PlayerProgram program(folder.Path(), QStringList(),
                                       {{"QT_QPA_PLATFORM", "xcb"},
                                        {"QT_SCALE_FACTOR", "2"},
                                        {"ASAN_OPTIONS", "strict_string_checks=1:detect_leaks=0:suppressions=" ZELKO_SOURCE_DIR "/tests/player/screen/asan.supp"}});
    const QString window = Xdotool({"search", "--sync", "--onlyvisible", "--pid", QString::number(program.Pid())});
    ASSERT_FALSE(window.isEmpty()) << "no window";
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral(R"(Geometry: (\d+)x(\d+))")).match(Xdotool({"getwindowgeometry", window.split('\n').first()}));
    ASSERT_TRUE(size.hasMatch());
    EXPECT_EQ(size.captured(1).toInt(), box.Width() * 2);
    EXPECT_EQ(size.captured(2).toInt(), box.Height() * 2);
}
