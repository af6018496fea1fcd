#include "player/dialogs/frmZelkoProps.h"

#include "player/shell/ClsZelko.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <utility>
#include <vector>

using dialogs::frmZelkoProps;
using dialogs::WindowEdge;

namespace {

// Stands in for the main window: keeps the play state and records what the
// dialog asked of it.
class FakeHost : public dialogs::PropsHost {
public:
    bool repeat = false;
    bool shuffle = false;
    int volume = 60;
    int repeatApplied = 0;
    int shuffleApplied = 0;
    std::vector<int> volumesApplied;
    std::vector<std::pair<WindowEdge, int>> moves;
    std::string folderToChoose;
    std::vector<std::pair<QWidget*, std::string>> folderRequests;

    bool Repeat() const override { return repeat; }
    bool Shuffle() const override { return shuffle; }
    int Volume() const override { return volume; }
    void ApplyRepeat(bool on) override { repeat = on; ++repeatApplied; }
    void ApplyShuffle(bool on) override { shuffle = on; ++shuffleApplied; }
    void ApplyVolume(int v) override { volume = v; volumesApplied.push_back(v); }
    void MoveMainWindow(WindowEdge edge, int pixels) override { moves.emplace_back(edge, pixels); }
    std::string ChooseFolder(QWidget* owner, const std::string& title) override
    {
        folderRequests.emplace_back(owner, title);
        return folderToChoose;
    }
};

class PropsDialog : public ::testing::Test {
protected:
    PropsDialog()
        : app("", ClsZelko::Folders{Dir(), Dir(), Dir()})
    {
        app.SetWindowLeft(120);
        app.SetWindowTop(80);
        app.SetLyricsExt("txt;lrc");
        app.SetLyricsFolder("/home/user/歌詞/");
        app.SetPlayListShowAlway(true);
        app.SetLyricsShowAlway(false);
        app.SetSearchChildFolder(true);
        host.repeat = true;
        host.shuffle = false;
        host.volume = 75;
        dialog = std::make_unique<frmZelkoProps>(app, host);
    }

    std::string Dir() const { return temp.path().toStdString(); }

    QCheckBox* Check(const char* name) { return dialog->findChild<QCheckBox*>(QString::fromLatin1(name)); }
    QLineEdit* Box(const char* name) { return dialog->findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QPushButton* Button(const char* name) { return dialog->findChild<QPushButton*>(QString::fromLatin1(name)); }

    // Replaces a box's text the way a user does: select everything, then type.
    void Retype(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            QTest::keyClicks(box, text);
    }

    void Close() { QTest::mouseClick(Button("cmdClose"), Qt::LeftButton); }

    QTemporaryDir temp;
    ClsZelko app;
    FakeHost host;
    std::unique_ptr<frmZelkoProps> dialog;
};

} // namespace

// Its texts are checked in each language by the language tests.
TEST_F(PropsDialog, LoadsHiddenAndCentredAndOpeningFillsEveryFieldWithoutReapplyingIt)
{
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(Box("txtItem3(0)")->text(), QStringLiteral("txt"));
    const QRect area = dialog->screen()->availableGeometry();
    EXPECT_LE(std::abs(dialog->geometry().center().x() - area.center().x()), 1);
    EXPECT_LE(std::abs(dialog->geometry().center().y() - area.center().y()), 1);

    dialog->Open();
    EXPECT_TRUE(dialog->isVisible());
    const auto expectFields = [&](std::vector<bool> checks, std::vector<QString> boxes) {
        const char* checkNames[] = {"chkItem0(0)", "chkItem0(1)", "chkItem1(0)", "chkItem1(1)", "chkItem2(0)"};
        const char* boxNames[] = {"txtItem0(2)", "txtItem1(2)", "txtItem1(3)", "txtItem3(0)", "txtItem3(1)"};
        for (std::size_t i = 0; i < checks.size(); ++i)
            EXPECT_EQ(Check(checkNames[i])->isChecked(), checks[i]) << checkNames[i];
        for (std::size_t i = 0; i < boxes.size(); ++i)
            EXPECT_EQ(Box(boxNames[i])->text(), boxes[i]) << boxNames[i];
    };
    expectFields({true, false, true, false, true}, {"75", "120", "80", "txt;lrc", "/home/user/歌詞/"});

    // Closed without applying, the state changes behind it; the next
    // opening shows the new values.
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    host.repeat = false;
    host.shuffle = true;
    host.volume = 5;
    app.SetWindowLeft(-30);
    app.SetLyricsFolder("");
    app.SetSearchChildFolder(false);
    dialog->Open();
    expectFields({false, true, true, false, false}, {"5", "-30", "80", "txt;lrc", ""});
    EXPECT_EQ(host.repeatApplied, 0);
    EXPECT_EQ(host.shuffleApplied, 0);
    EXPECT_TRUE(host.volumesApplied.empty());
}

TEST_F(PropsDialog, EachCheckBoxChangesItsSettingAtOnce)
{
    dialog->Open();
    QTest::mouseClick(Check("chkItem0(0)"), Qt::LeftButton);
    EXPECT_FALSE(host.repeat);
    EXPECT_EQ(host.repeatApplied, 1);
    QTest::mouseClick(Check("chkItem0(1)"), Qt::LeftButton);
    EXPECT_TRUE(host.shuffle);
    EXPECT_EQ(host.shuffleApplied, 1);
    QTest::mouseClick(Check("chkItem1(0)"), Qt::LeftButton);
    EXPECT_FALSE(app.PlayListShowAlway());
    QTest::mouseClick(Check("chkItem1(1)"), Qt::LeftButton);
    EXPECT_TRUE(app.LyricsShowAlway());
    QTest::mouseClick(Check("chkItem2(0)"), Qt::LeftButton);
    EXPECT_FALSE(app.SearchChildFolder());
    // The keyboard toggles them as well.
    Check("chkItem0(0)")->setFocus();
    QTest::keyClick(Check("chkItem0(0)"), Qt::Key_Space);
    EXPECT_TRUE(host.repeat);
    EXPECT_EQ(host.repeatApplied, 2);
    // None of this waited for Close.
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(host.volumesApplied.empty());
}

// The corrections themselves are the rules' (PropsRules); here: when they
// are applied, and what the box shows.
TEST_F(PropsDialog, CloseAppliesTheVolumeAndLyricsSettingsWithTheirCorrections)
{
    dialog->Open();
    Retype(Box("txtItem0(2)"), QStringLiteral("150"));
    Retype(Box("txtItem3(1)"), QStringLiteral("/music/lyrics"));
    Retype(Box("txtItem3(0)"), QString());
    // Nothing is applied before Close.
    EXPECT_EQ(Box("txtItem0(2)")->text(), QStringLiteral("150"));
    EXPECT_TRUE(host.volumesApplied.empty());
    EXPECT_EQ(app.LyricsFolder(), "/home/user/歌詞/");
    EXPECT_EQ(app.LyricsExt(), "txt;lrc");
    Close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(host.volumesApplied, std::vector<int>{100});
    EXPECT_EQ(Box("txtItem0(2)")->text(), QStringLiteral("100"));
    EXPECT_EQ(app.LyricsFolder(), "/music/lyrics/");
    EXPECT_EQ(Box("txtItem3(1)")->text(), QStringLiteral("/music/lyrics/"));
    EXPECT_EQ(app.LyricsExt(), "txt");

    // An emptied volume shows 0 at once, selected so that the next digit
    // replaces it, and mutes on Close.
    dialog->Open();
    Retype(Box("txtItem0(2)"), QString());
    EXPECT_EQ(Box("txtItem0(2)")->text(), QStringLiteral("0"));
    EXPECT_EQ(Box("txtItem0(2)")->selectedText(), QStringLiteral("0"));
    Close();
    EXPECT_EQ(host.volumesApplied.back(), 0);
    EXPECT_EQ(host.volume, 0);
}

TEST_F(PropsDialog, TypingIntoThePositionBoxesMovesTheMainWindowWithEachDigit)
{
    dialog->Open();
    using Moves = std::vector<std::pair<WindowEdge, int>>;
    // "-" alone is no number and moves nothing, nor does other text; an
    // emptied box shows 0 and moves the edge to 0.
    const std::vector<std::tuple<const char*, QString, Moves>> rows{
        {"txtItem1(2)", "345", {{WindowEdge::Left, 3}, {WindowEdge::Left, 34}, {WindowEdge::Left, 345}}},
        {"txtItem1(3)", "-7", {{WindowEdge::Top, -7}}},
        {"txtItem1(2)", "", {{WindowEdge::Left, 0}}},
        {"txtItem1(3)", "abc", {}},
    };
    for (const auto& [box, typed, moves] : rows) {
        SCOPED_TRACE(typed.toStdString());
        host.moves.clear();
        Retype(Box(box), typed);
        EXPECT_EQ(host.moves, moves);
    }
    EXPECT_EQ(Box("txtItem1(2)")->text(), QStringLiteral("0"));
    EXPECT_EQ(app.WindowLeft(), 0);
    EXPECT_EQ(app.WindowTop(), -7);
}

// The main window applied these changes itself (the skin's buttons, a drag):
// the dialog only shows them, and only while it is visible.
TEST_F(PropsDialog, MainWindowChangesShowWhileVisibleOnly)
{
    dialog->ShowShuffle(true);
    EXPECT_FALSE(Check("chkItem0(1)")->isChecked());
    dialog->Open();
    host.shuffle = true;
    host.repeat = false;
    host.volume = 90;
    app.SetWindowLeft(400);
    app.SetWindowTop(300);
    dialog->ShowShuffle(true);
    dialog->ShowRepeat(false);
    dialog->ShowVolume(90);
    dialog->ShowWindowPosition(400, 300);
    EXPECT_TRUE(Check("chkItem0(1)")->isChecked());
    EXPECT_FALSE(Check("chkItem0(0)")->isChecked());
    EXPECT_EQ(Box("txtItem0(2)")->text(), QStringLiteral("90"));
    EXPECT_EQ(Box("txtItem1(2)")->text(), QStringLiteral("400"));
    EXPECT_EQ(Box("txtItem1(3)")->text(), QStringLiteral("300"));
    EXPECT_EQ(host.shuffleApplied, 0);
    EXPECT_EQ(host.repeatApplied, 0);
    EXPECT_TRUE(host.volumesApplied.empty());
}

TEST_F(PropsDialog, FolderButtonPutsTheChosenFolderInTheBoxOrKeepsItWhenCancelled)
{
    dialog->Open();
    host.folderToChoose = "/media/歌詞";
    QTest::mouseClick(Button("cmdSearch"), Qt::LeftButton);
    ASSERT_EQ(host.folderRequests.size(), 1u);
    EXPECT_EQ(host.folderRequests[0].first, dialog.get());
    EXPECT_EQ(host.folderRequests[0].second, "フォルダを選択して下さい。");
    EXPECT_EQ(Box("txtItem3(1)")->text(), QStringLiteral("/media/歌詞"));

    host.folderToChoose.clear();
    QTest::mouseClick(Button("cmdSearch"), Qt::LeftButton);
    EXPECT_EQ(Box("txtItem3(1)")->text(), QStringLiteral("/media/歌詞"));
    // Chosen, but stored only by Close, with the final "/".
    EXPECT_EQ(app.LyricsFolder(), "/home/user/歌詞/");
    Close();
    EXPECT_EQ(app.LyricsFolder(), "/media/歌詞/");
}

TEST_F(PropsDialog, OnlyTheCloseButtonAppliesReturnInABoxDoesNothingAndTheDialogIsKept)
{
    QPointer<frmZelkoProps> alive(dialog.get());
    dialog->Open();
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    Retype(Box("txtItem0(2)"), QStringLiteral("20"));
    Retype(Box("txtItem3(1)"), QStringLiteral("/elsewhere"));
    for (const char* name : {"txtItem0(2)", "txtItem1(2)", "txtItem1(3)", "txtItem3(0)", "txtItem3(1)"}) {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            Box(name)->setFocus();
            QTest::keyClick(Box(name), key);
            EXPECT_TRUE(dialog->isVisible()) << name;
            EXPECT_TRUE(Box(name)->hasFocus()) << name;
        }
    }
    EXPECT_EQ(Box("txtItem0(2)")->text(), QStringLiteral("20"));
    // The window's close button and Escape hide it without applying.
    EXPECT_TRUE(dialog->close());
    EXPECT_FALSE(dialog->isVisible());
    dialog->Open();
    QTest::keyClick(Box("txtItem0(2)"), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    QApplication::processEvents();
    EXPECT_FALSE(alive.isNull());
    EXPECT_TRUE(host.volumesApplied.empty());
    EXPECT_EQ(app.LyricsFolder(), "/home/user/歌詞/");

    // Close, by Return on the button or by a click, applies and hides.
    dialog->Open();
    Retype(Box("txtItem0(2)"), QStringLiteral("20"));
    Button("cmdClose")->setFocus();
    QTest::keyClick(Button("cmdClose"), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(host.volumesApplied, std::vector<int>{20});
    dialog->Open();
    Close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(host.volumesApplied, (std::vector<int>{20, 20}));
}

TEST_F(PropsDialog, TextBoxesSelectTheirWholeTextWhenTheyGetTheFocus)
{
    dialog->Open();
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    for (const char* name : {"txtItem0(2)", "txtItem1(2)", "txtItem1(3)", "txtItem3(0)", "txtItem3(1)"}) {
        QLineEdit* box = Box(name);
        Button("cmdClose")->setFocus(Qt::TabFocusReason);
        box->deselect();
        box->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(box->hasFocus()) << name;
        EXPECT_EQ(box->selectedText(), box->text()) << name;
        EXPECT_FALSE(box->text().isEmpty()) << name;
    }
    // By mouse too: the click places the cursor first, the selection follows.
    QLineEdit* volume = Box("txtItem0(2)");
    Box("txtItem3(0)")->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(volume, Qt::LeftButton, Qt::NoModifier, QPoint(4, volume->height() / 2));
    QApplication::processEvents();
    EXPECT_TRUE(volume->hasFocus());
    EXPECT_EQ(volume->selectedText(), QStringLiteral("75"));
}
