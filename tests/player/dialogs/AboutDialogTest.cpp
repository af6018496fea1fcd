#include "player/dialogs/frmZelkoAbout.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <unistd.h>

using dialogs::frmZelkoAbout;
using Page = frmZelkoAbout::Page;

namespace fs = std::filesystem;

namespace {

const dialogs::ProgramVersion Version{3, 4, 5};

QTabBar* TabBar(frmZelkoAbout& dialog)
{
    return dialog.findChild<QTabWidget*>(QStringLiteral("PContainer"))->tabBar();
}

QListWidget* List(frmZelkoAbout& dialog)
{
    return dialog.findChild<QListWidget*>(QStringLiteral("lstShortcut"));
}

void ClickTab(frmZelkoAbout& dialog, int index)
{
    QTest::mouseClick(TabBar(dialog), Qt::LeftButton, Qt::NoModifier, TabBar(dialog)->tabRect(index).center());
}

// Clicks on the tabs or their titles and the arrow keys, whichever control
// has the focus, switch the pages; only the shortcut page enables its list.
TEST(AboutDialog, TabsTitlesAndArrowKeysSwitchThePages)
{
    frmZelkoAbout dialog(Version);
    dialog.show();
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    const std::vector<std::pair<std::function<void()>, Page>> steps{
        {[&] { ClickTab(dialog, 1); }, Page::Shortcuts},
        {[&] { ClickTab(dialog, 0); }, Page::Version},
        {[&] { dialog.lblTitle1_Click(); }, Page::Shortcuts},
        {[&] { dialog.lblTitle0_Click(); }, Page::Version},
        {[&] { QTest::keyClick(ok, Qt::Key_Right); }, Page::Shortcuts},
        {[&] { QTest::keyClick(List(dialog), Qt::Key_Left); }, Page::Version},
        {[&] { QTest::keyClick(&dialog, Qt::Key_Left); }, Page::Version},
        // The tab bar switches on the key press; the release must leave that page in front.
        {[&] { QTest::keyClick(TabBar(dialog), Qt::Key_Right); }, Page::Shortcuts},
        {[&] { QTest::keyClick(TabBar(dialog), Qt::Key_Left); }, Page::Version},
        {[&] { QTest::keyClick(ok, Qt::Key_Down); }, Page::Version},
    };
    EXPECT_FALSE(List(dialog)->isEnabled());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        steps[i].first();
        const bool shortcuts = steps[i].second == Page::Shortcuts;
        EXPECT_EQ(dialog.FrontPage(), steps[i].second) << "step " << i;
        EXPECT_EQ(TabBar(dialog)->currentIndex(), shortcuts ? 1 : 0) << "step " << i;
        EXPECT_EQ(List(dialog)->isEnabled(), shortcuts) << "step " << i;
    }
}

// The guide of the build folder, the one `cmake --install` puts into a
// prefix, and without any guide no link.
TEST(AboutDialog, TheLinkNamesTheUserGuideOfTheBuildOrTheInstalledFolder)
{
    const fs::path programFolder = ZELKO_PROGRAM_DIR;
    const frmZelkoAbout built(Version, nullptr, programFolder);
    EXPECT_TRUE(fs::equivalent(built.GuideUrl().toLocalFile().toStdString(), programFolder.parent_path() / "doc" / "user-guide.html"));
    EXPECT_TRUE(built.findChild<QLabel*>(QStringLiteral("lblUrl"))->text().contains(built.GuideUrl().toString()));

    const fs::path prefix = fs::temp_directory_path() / ("zelko-install-" + std::to_string(::getpid()));
    fs::remove_all(prefix);
    const std::string command = "cmake --install '" + programFolder.parent_path().string() + "' --prefix '" +
        prefix.string() + "' --component zelko_guide >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const fs::path installed = prefix / "share" / "doc" / "zelko" / "user-guide.html";
    fs::create_directories(prefix / "lib" / "zelko");
    const frmZelkoAbout fromPrefix(Version, nullptr, prefix / "lib" / "zelko");
    EXPECT_TRUE(fs::equivalent(fromPrefix.GuideUrl().toLocalFile().toStdString(), installed));

    fs::remove(installed);
    const frmZelkoAbout bare(Version, nullptr, prefix / "lib" / "zelko");
    EXPECT_TRUE(bare.GuideUrl().isEmpty());
    EXPECT_TRUE(bare.findChild<QLabel*>(QStringLiteral("lblUrl"))->isHidden());
    fs::remove_all(prefix);
}

} // namespace
