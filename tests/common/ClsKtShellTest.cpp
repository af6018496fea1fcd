#include "common/ClsKtShell.h"

#include "common/ClsKtFileHandler.h"
#include "common/KtBusyCursor.h"
#include "common/KtError.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace common;

namespace {

// Finds the open folder dialog once the event loop runs and lets act close it.
template <typename Act>
void WhenDialogOpens(Act act)
{
    QTimer::singleShot(0, [act] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog && dialog->isVisible()) {
                act(*dialog);
                return;
            }
        }
        ADD_FAILURE() << "no folder dialog open";
    });
}

} // namespace

TEST(ClsKtShell, StartFolderFollowsRootAndStartPath)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string folder = dir.path().toStdString();
    EXPECT_EQ(ClsKtShell::StartFolder(ClsKtShell::RootFromStartPath, folder), folder);
    EXPECT_EQ(ClsKtShell::StartFolder(ClsKtShell::RootFromStartPath, folder + "/no/such"), "/");
    EXPECT_EQ(ClsKtShell::StartFolder(ClsKtShell::RootDesktop, folder).empty(), false);
    EXPECT_EQ(ClsKtShell::StartFolder(12345, folder), "/");
}

TEST(ClsKtShell, DialogReturnsTheChosenFolderOrEmptyOnCancel)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir("Blue"));
    const std::string start = dir.path().toStdString() + "/Blue";
    ClsKtShell shell;

    WhenDialogOpens([](QFileDialog& d) { static_cast<QDialog&>(d).accept(); });
    EXPECT_EQ(shell.FolderDialog(nullptr, "スキンフォルダを選択して下さい。", ClsKtShell::RootFromStartPath, start,
                                 ClsKtShell::OnlyFileSystemFolders),
              start);

    WhenDialogOpens([](QFileDialog& d) { d.reject(); });
    EXPECT_EQ(shell.FolderDialog(nullptr, "フォルダを選択して下さい。", ClsKtShell::RootDesktop, "",
                                 ClsKtShell::OnlyFileSystemFolders),
              "");
}

TEST(ClsKtShell, FlagsBeyondSixteenBitsAreTheCallersError)
{
    ClsKtShell shell;
    try {
        (void)shell.FolderDialog(nullptr, "t", 0, "", 40000);
        FAIL() << "no error";
    } catch (const KtError& e) {
        EXPECT_EQ(e.Number(), 6);
    }
}

TEST(ClsKtShell, BusyPointerShowsWhileAGuardLivesAndNestsAndFileListingRestoresIt)
{
    {
        KtBusyCursor outer;
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        {
            KtBusyCursor inner;
        }
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    QTemporaryDir dir;
    ClsKtFileHandler handler;
    handler.FillFNameCollection(dir.path().toStdString(), "*.mp3");
    handler.FillFNameCollection(dir.path().toStdString() + "/missing", "*.mp3");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
