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
#include <optional>
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

TEST_F(PropsDialog, LoadsHiddenWithTheCaptionsAndControlsItNeeds)
{
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Zelko Deck のﾌﾟﾛﾊﾟﾃｨ"));
    EXPECT_EQ(Box("txtItem3(0)")->text(), QStringLiteral("txt"));
    EXPECT_EQ(Button("cmdSearch")->text(), QStringLiteral("..."));
    EXPECT_EQ(Button("cmdClose")->text(), QStringLiteral("閉じる"));

    QStringList headings;
    for (int i = 0; i < 4; ++i)
        headings << dialog->findChild<QGroupBox*>(QStringLiteral("lblTitle(%1)").arg(i))->title();
    EXPECT_EQ(headings, (QStringList{"全般", "ウィンドウ", "フォルダを開く", "歌詞ファイル"}));

    QStringList labels;
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        labels << label->text();
    for (const char* text : {"ボリューム：", "全曲リピート：", "ランダム演奏：", "メインウィンドウの表示位置（左）：", "（上）：",
                             "スキンが替わるたびプレイリストウィンドウを表示する：", "スキンが替わるたび歌詞ウィンドウを表示する：",
                             "子階層検索を有効にする：", "拡張子：", "検索フォルダ：", "複数指定する場合は [ ; ] で区切って下さい",
                             "検索フォルダを指定しない場合再生ファイルと同じフォルダを検索します"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(text))) << text;

    // Centred on the screen while still hidden.
    const QRect area = dialog->screen()->availableGeometry();
    EXPECT_LE(std::abs(dialog->geometry().center().x() - area.center().x()), 1);
    EXPECT_LE(std::abs(dialog->geometry().center().y() - area.center().y()), 1);
}

TEST_F(PropsDialog, OpeningFillsEveryFieldFromTheStateWithoutReapplyingIt)
{
    dialog->Open();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(Check("chkItem0(0)")->isChecked());
    EXPECT_FALSE(Check("chkItem0(1)")->isChecked());
    EXPECT_EQ(Box("txtItem0(2)")->text(), QStringLiteral("75"));
    EXPECT_TRUE(Check("chkItem1(0)")->isChecked());
    EXPECT_FALSE(Check("chkItem1(1)")->isChecked());
    EXPECT_EQ(Box("txtItem1(2)")->text(), QStringLiteral("120"));
    EXPECT_EQ(Box("txtItem1(3)")->text(), QStringLiteral("80"));
    EXPECT_TRUE(Check("chkItem2(0)")->isChecked());
    EXPECT_EQ(Box("txtItem3(0)")->text(), QStringLiteral("txt;lrc"));
    EXPECT_EQ(Box("txtItem3(1)")->text(), QStringLiteral("/home/user/歌詞/"));
    EXPECT_EQ(host.repeatApplied, 0);
    EXPECT_EQ(host.shuffleApplied, 0);
    EXPECT_TRUE(host.volumesApplied.empty());

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
    EXPECT_FALSE(Check("chkItem0(0)")->isChecked());
    EXPECT_TRUE(Check("chkItem0(1)")->isChecked());
    EXPECT_EQ(Box("txtItem0(2)")->text(), QStringLiteral("5"));
    EXPECT_EQ(Box("txtItem1(2)")->text(), QStringLiteral("-30"));
    EXPECT_EQ(Box("txtItem3(1)")->text(), QString());
    EXPECT_FALSE(Check("chkItem2(0)")->isChecked());
    EXPECT_EQ(host.repeatApplied, 0);
    EXPECT_EQ(host.shuffleApplied, 0);
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

TEST_F(PropsDialog, VolumeAboveHundredBecomesHundredOnClose)
{
    dialog->Open();
    Retype(Box("txtItem0(2)"), QStringLiteral("150"));
    EXPECT_EQ(Box("txtItem0(2)")->text(), QStringLiteral("150"));
    EXPECT_TRUE(host.volumesApplied.empty());
    Close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(host.volumesApplied, std::vector<int>{100});
    EXPECT_EQ(Box("txtItem0(2)")->text(), QStringLiteral("100"));

    dialog->Open();
    Retype(Box("txtItem0(2)"), QStringLiteral("loud"));
    Close();
    EXPECT_EQ(host.volumesApplied.back(), 100);

    dialog->Open();
    Retype(Box("txtItem0(2)"), QStringLiteral("35"));
    Close();
    EXPECT_EQ(host.volumesApplied.back(), 35);
}

TEST_F(PropsDialog, EmptiedVolumeShowsZeroAtOnceAndMutesOnClose)
{
    dialog->Open();
    Retype(Box("txtItem0(2)"), QString());
    EXPECT_EQ(Box("txtItem0(2)")->text(), QStringLiteral("0"));
    // The 0 is selected, so the next digit replaces it.
    EXPECT_EQ(Box("txtItem0(2)")->selectedText(), QStringLiteral("0"));
    Close();
    EXPECT_EQ(host.volumesApplied, std::vector<int>{0});
    EXPECT_EQ(host.volume, 0);
}

TEST_F(PropsDialog, CloseStoresTheLyricsSettingsWithTheirCorrections)
{
    dialog->Open();
    Retype(Box("txtItem3(1)"), QStringLiteral("/music/lyrics"));
    Retype(Box("txtItem3(0)"), QString());
    // Nothing is stored before Close.
    EXPECT_EQ(app.LyricsFolder(), "/home/user/歌詞/");
    EXPECT_EQ(app.LyricsExt(), "txt;lrc");
    Close();
    EXPECT_EQ(app.LyricsFolder(), "/music/lyrics/");
    EXPECT_EQ(Box("txtItem3(1)")->text(), QStringLiteral("/music/lyrics/"));
    EXPECT_EQ(app.LyricsExt(), "txt");

    // An empty folder stays empty: look next to the MP3 file.
    dialog->Open();
    Retype(Box("txtItem3(1)"), QString());
    Retype(Box("txtItem3(0)"), QStringLiteral("lrc"));
    Close();
    EXPECT_EQ(app.LyricsFolder(), "");
    EXPECT_EQ(app.LyricsExt(), "lrc");
}

TEST_F(PropsDialog, TypingIntoThePositionBoxesMovesTheMainWindowWithEachDigit)
{
    dialog->Open();
    host.moves.clear();
    Retype(Box("txtItem1(2)"), QStringLiteral("345"));
    const std::vector<std::pair<WindowEdge, int>> expected = {
        {WindowEdge::Left, 3}, {WindowEdge::Left, 34}, {WindowEdge::Left, 345}};
    EXPECT_EQ(host.moves, expected);
    EXPECT_EQ(app.WindowLeft(), 345);

    host.moves.clear();
    Retype(Box("txtItem1(3)"), QStringLiteral("-7"));
    // "-" alone is no number and moves nothing.
    const std::vector<std::pair<WindowEdge, int>> top = {{WindowEdge::Top, -7}};
    EXPECT_EQ(host.moves, top);
    EXPECT_EQ(app.WindowTop(), -7);

    // Emptying a box shows 0 and moves the edge to 0.
    host.moves.clear();
    Retype(Box("txtItem1(2)"), QString());
    EXPECT_EQ(Box("txtItem1(2)")->text(), QStringLiteral("0"));
    const std::vector<std::pair<WindowEdge, int>> zero = {{WindowEdge::Left, 0}};
    EXPECT_EQ(host.moves, zero);
    EXPECT_EQ(app.WindowLeft(), 0);

    // Text that is no number changes nothing.
    host.moves.clear();
    Retype(Box("txtItem1(3)"), QStringLiteral("abc"));
    EXPECT_TRUE(host.moves.empty());
    EXPECT_EQ(app.WindowTop(), -7);
}

TEST_F(PropsDialog, MainWindowChangesShowWhileVisibleOnly)
{
    // Hidden: nothing changes, the next opening fills from the state.
    dialog->ShowShuffle(true);
    EXPECT_FALSE(Check("chkItem0(1)")->isChecked());

    dialog->Open();
    // The skin's Shuffle button: the main window changes the state itself
    // (rebuilding the play order once) and shows it here.
    host.shuffle = true;
    dialog->ShowShuffle(true);
    EXPECT_TRUE(Check("chkItem0(1)")->isChecked());
    host.repeat = false;
    dialog->ShowRepeat(false);
    EXPECT_FALSE(Check("chkItem0(0)")->isChecked());
    // Already applied by the main window: not applied a second time.
    EXPECT_EQ(host.shuffleApplied, 0);
    EXPECT_EQ(host.repeatApplied, 0);

    host.volume = 90;
    dialog->ShowVolume(90);
    EXPECT_EQ(Box("txtItem0(2)")->text(), QStringLiteral("90"));
    EXPECT_TRUE(host.volumesApplied.empty());

    // After a drag of the main window.
    app.SetWindowLeft(400);
    app.SetWindowTop(300);
    dialog->ShowWindowPosition(400, 300);
    EXPECT_EQ(Box("txtItem1(2)")->text(), QStringLiteral("400"));
    EXPECT_EQ(Box("txtItem1(3)")->text(), QStringLiteral("300"));
    EXPECT_EQ(app.WindowLeft(), 400);
    EXPECT_EQ(app.WindowTop(), 300);
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

TEST_F(PropsDialog, WindowCloseButtonAndEscapeHideWithoutApplyingAndKeepTheDialog)
{
    QPointer<frmZelkoProps> alive(dialog.get());
    dialog->Open();
    Retype(Box("txtItem0(2)"), QStringLiteral("10"));
    Retype(Box("txtItem3(1)"), QStringLiteral("/elsewhere"));
    EXPECT_TRUE(dialog->close());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(host.volumesApplied.empty());
    EXPECT_EQ(app.LyricsFolder(), "/home/user/歌詞/");

    dialog->Open();
    QTest::keyClick(Box("txtItem0(2)"), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(host.volumesApplied.empty());
    QApplication::processEvents();
    EXPECT_FALSE(alive.isNull());

}

TEST_F(PropsDialog, ReturnInATextBoxNeitherAppliesNorHidesButCloseStillCloses)
{
    dialog->Open();
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    for (const char* name : {"txtItem0(2)", "txtItem1(2)", "txtItem1(3)", "txtItem3(0)", "txtItem3(1)"}) {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            QLineEdit* box = Box(name);
            box->setFocus();
            QTest::keyClick(box, key);
            EXPECT_TRUE(dialog->isVisible()) << name;
            EXPECT_TRUE(box->hasFocus()) << name;
        }
    }
    Retype(Box("txtItem0(2)"), QStringLiteral("20"));
    QTest::keyClick(Box("txtItem0(2)"), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(host.volumesApplied.empty());
    EXPECT_EQ(Box("txtItem0(2)")->text(), QStringLiteral("20"));
    EXPECT_EQ(app.LyricsExt(), "txt;lrc");

    // Close, by Return on the button or by a click, applies and hides.
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
