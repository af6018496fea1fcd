#include "player/dialogs/frmZelkoAbout.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>

using dialogs::frmZelkoAbout;
using Page = frmZelkoAbout::Page;

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
    QTabBar* bar = TabBar(dialog);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

} // namespace

// Records the addresses the desktop would have opened.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

// Clicks on the tabs or their titles and the arrow keys, whichever control
// has the focus, switch the pages; only the shortcut page enables its list.
TEST(AboutDialog, TabsTitlesAndArrowKeysSwitchThePages)
{
    frmZelkoAbout dialog(Version);
    EXPECT_TRUE(dialog.isModal());
    EXPECT_FALSE(dialog.findChild<QLabel*>(QStringLiteral("ImgJpeg"))->pixmap().isNull());
    EXPECT_FALSE(dialog.findChild<QLabel*>(QStringLiteral("PIcon"))->pixmap().isNull());
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
        // The tab bar switches on the key press itself; the release then
        // finds the page already in front and leaves it there.
        {[&] { QTest::keyClick(TabBar(dialog), Qt::Key_Right); }, Page::Shortcuts},
        {[&] { QTest::keyClick(TabBar(dialog), Qt::Key_Left); }, Page::Version},
        // Other keys leave the page alone.
        {[&] { QTest::keyClick(ok, Qt::Key_Down); }, Page::Version},
    };
    EXPECT_EQ(dialog.FrontPage(), Page::Version);
    EXPECT_FALSE(List(dialog)->isEnabled());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        steps[i].first();
        const bool shortcuts = steps[i].second == Page::Shortcuts;
        EXPECT_EQ(dialog.FrontPage(), steps[i].second) << "step " << i;
        EXPECT_EQ(TabBar(dialog)->currentIndex(), shortcuts ? 1 : 0) << "step " << i;
        EXPECT_EQ(List(dialog)->isEnabled(), shortcuts) << "step " << i;
    }
}

TEST(AboutDialog, TheLinkOpensTheUserGuideOfTheBuildFolderWithTheDesktopBrowser)
{
    const std::filesystem::path programFolder = ZELKO_PROGRAM_DIR;
    const std::filesystem::path built = programFolder.parent_path() / "doc" / "user-guide.html";
    ASSERT_TRUE(std::filesystem::is_regular_file(built)) << built;
    // README and the documents, on one page.
    std::ifstream guide(built);
    const std::string page((std::istreambuf_iterator<char>(guide)), {});
    EXPECT_NE(page.find("id=\"set-up-two-commands\""), std::string::npos);
    EXPECT_NE(page.find("id=\"messages-between-zelko-and-its-assists\""), std::string::npos);

    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
    frmZelkoAbout dialog(Version, nullptr, programFolder);
    auto* url = dialog.findChild<QLabel*>(QStringLiteral("lblUrl"));
    ASSERT_FALSE(dialog.GuideUrl().isEmpty());
    EXPECT_TRUE(std::filesystem::equivalent(dialog.GuideUrl().toLocalFile().toStdString(), built));
    EXPECT_TRUE(url->text().contains(dialog.GuideUrl().toString()));
    emit url->linkActivated(dialog.GuideUrl().toString());
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_EQ(recorder.opened.size(), 1);
    EXPECT_EQ(recorder.opened.front(), dialog.GuideUrl());
}

TEST(AboutDialog, AnInstalledProgramFolderFindsTheInstalledUserGuide)
{
    // The guide as `cmake --install` puts it, into a prefix of its own.
    const std::filesystem::path prefix =
        std::filesystem::temp_directory_path() / ("zelko-install-" + std::to_string(::getpid()));
    std::filesystem::remove_all(prefix);
    const std::filesystem::path build = std::filesystem::path(ZELKO_PROGRAM_DIR).parent_path();
    const std::string command = "cmake --install '" + build.string() + "' --prefix '" + prefix.string() +
        "' --component zelko_guide >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const std::filesystem::path installed = prefix / "share" / "doc" / "zelko" / "user-guide.html";
    ASSERT_TRUE(std::filesystem::is_regular_file(installed));
    std::filesystem::create_directories(prefix / "lib" / "zelko");

    frmZelkoAbout dialog(Version, nullptr, prefix / "lib" / "zelko");
    ASSERT_FALSE(dialog.GuideUrl().isEmpty());
    EXPECT_TRUE(std::filesystem::equivalent(dialog.GuideUrl().toLocalFile().toStdString(), installed));

    // Without any guide there is no link to follow.
    std::filesystem::remove(installed);
    frmZelkoAbout bare(Version, nullptr, prefix / "lib" / "zelko");
    EXPECT_TRUE(bare.GuideUrl().isEmpty());
    EXPECT_TRUE(bare.findChild<QLabel*>(QStringLiteral("lblUrl"))->isHidden());
    std::filesystem::remove_all(prefix);
}

TEST(AboutDialog, EveryModalOpeningStartsOnTheVersionPage)
{
    QWidget owner;
    for (int opening = 0; opening < 2; ++opening) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<frmZelkoAbout*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            seen = true;
            EXPECT_EQ(dialog->FrontPage(), Page::Version);
            EXPECT_FALSE(List(*dialog)->isEnabled());
            // Leave it on the other page; the next opening must not.
            dialog->lblTitle1_Click();
            dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        });
        frmZelkoAbout::ShowModal(Version, &owner);
        EXPECT_TRUE(seen);
    }
    // Closed dialogs are destroyed, not kept.
    EXPECT_TRUE(owner.findChildren<frmZelkoAbout*>().isEmpty());
}

#include "AboutDialogTest.moc"
