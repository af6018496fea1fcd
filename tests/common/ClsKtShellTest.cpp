#include "common/ClsKtShell.h"

#include "common/ClsKtFileHandler.h"
#include "common/KtBusyCursor.h"
#include "common/KtError.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace common;

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

TEST(ClsKtShell, FlagsBeyondSixteenBitsAreTheCallersError)
{
    ClsKtShell shell;
    EXPECT_THROW((void)shell.FolderDialog(nullptr, "t", 0, "", 40000), KtError);
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
