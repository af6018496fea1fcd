#include "player/dialogs/frmZelkoProps.h"

#include "decoder/Decoder.h"
#include "player/dialogs/PropsFollower.h"
#include "player/shell/ClsZelko.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

using namespace playback;
using namespace shell;

using dialogs::frmZelkoProps;
using dialogs::WindowEdge;

namespace {

// The main window: keeps the play state and logs what the dialog applied.
class FakeHost : public dialogs::PropsHost {
public:
    bool repeat = true;
    bool shuffle = false;
    int volume = 75;
    std::vector<std::string> applied;
    std::vector<std::pair<WindowEdge, int>> moves;
    std::string folderToChoose;
    std::vector<QWidget*> folderOwners;

    bool Repeat() const override { return repeat; }
    bool Shuffle() const override { return shuffle; }
    int Volume() const override { return volume; }
    void ApplyRepeat(bool on) override
    {
        repeat = on;
        applied.push_back("repeat");
    }
    void ApplyShuffle(bool on) override
    {
        shuffle = on;
        applied.push_back("shuffle");
    }
    void ApplyVolume(int v) override
    {
        volume = v;
        applied.push_back("volume " + std::to_string(v));
    }
    void MoveMainWindow(WindowEdge edge, int pixels) override { moves.emplace_back(edge, pixels); }
    std::string ChooseFolder(QWidget* owner, const std::string&) override
    {
        folderOwners.push_back(owner);
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
        app.SetSearchChildFolder(true);
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
    void Activate()
    {
        dialog->Open();
        QApplication::setActiveWindow(dialog.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }

    QTemporaryDir temp;
    ClsZelko app;
    FakeHost host;
    std::unique_ptr<frmZelkoProps> dialog;
};

} // namespace

TEST_F(PropsDialog, FieldsShowTheStateWhenOpenedAndWhileVisibleWithoutReapplyingIt)
{
    const auto expectFields = [&](std::vector<bool> checks, std::vector<QString> boxes) {
        const char* checkNames[] = {"chkItem0(0)", "chkItem0(1)", "chkItem1(0)", "chkItem1(1)", "chkItem2(0)"};
        const char* boxNames[] = {"txtItem0(2)", "txtItem1(2)", "txtItem1(3)", "txtItem3(0)", "txtItem3(1)"};
        for (std::size_t i = 0; i < checks.size(); ++i)
            EXPECT_EQ(Check(checkNames[i])->isChecked(), checks[i]) << checkNames[i];
        for (std::size_t i = 0; i < boxes.size(); ++i)
            EXPECT_EQ(Box(boxNames[i])->text(), boxes[i]) << boxNames[i];
    };
    dialog->ShowShuffle(true); // hidden: shows nothing
    dialog->Open();
    expectFields({true, false, true, false, true}, {"75", "120", "80", "txt;lrc", "/home/user/歌詞/"});

    // The main window changes its state, then shows it.
    host.shuffle = true;
    host.repeat = false;
    app.SetWindowTop(300);
    dialog->ShowShuffle(true);
    dialog->ShowRepeat(false);
    dialog->ShowVolume(90);
    dialog->ShowWindowPosition(400, 300);
    expectFields({false, true}, {"90", "400", "300"});

    // Closed without applying, the state changes behind it; the next opening shows it.
    dialog->close();
    host.volume = 5;
    app.SetWindowLeft(-30);
    app.SetLyricsFolder("");
    app.SetSearchChildFolder(false);
    dialog->Open();
    expectFields({false, true, true, false, false}, {"5", "-30", "300", "txt;lrc", ""});
    EXPECT_TRUE(host.applied.empty());
}

TEST_F(PropsDialog, EachCheckBoxChangesItsSettingAtOnce)
{
    dialog->Open();
    // Each row: the box clicked and the setting it changes, read after the click.
    const std::vector<std::pair<const char*, std::function<bool()>>> rows{
        {"chkItem0(0)", [&] { return !host.repeat; }},
        {"chkItem0(1)", [&] { return host.shuffle; }},
        {"chkItem1(0)", [&] { return !app.PlayListShowAlway(); }},
        {"chkItem1(1)", [&] { return app.LyricsShowAlway(); }},
        {"chkItem2(0)", [&] { return !app.SearchChildFolder(); }},
    };
    for (const auto& [name, changed] : rows) {
        QTest::mouseClick(Check(name), Qt::LeftButton);
        EXPECT_TRUE(changed()) << name;
    }
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(host.applied, (std::vector<std::string>{"repeat", "shuffle"}));
}

// The corrections themselves are PropsRules'; the folder button fills its box only.
TEST_F(PropsDialog, CloseAppliesTheVolumeAndLyricsSettingsWithTheirCorrections)
{
    dialog->Open();
    Retype(Box("txtItem0(2)"), QStringLiteral("150"));
    Retype(Box("txtItem3(0)"), QString());
    host.folderToChoose = "/media/歌詞";
    QTest::mouseClick(Button("cmdSearch"), Qt::LeftButton);
    host.folderToChoose.clear(); // cancelled
    QTest::mouseClick(Button("cmdSearch"), Qt::LeftButton);
    EXPECT_EQ(host.folderOwners, (std::vector<QWidget*>{dialog.get(), dialog.get()}));
    EXPECT_EQ(Box("txtItem3(1)")->text(), QStringLiteral("/media/歌詞"));
    EXPECT_EQ(app.LyricsFolder(), "/home/user/歌詞/");
    Close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(host.applied, std::vector<std::string>{"volume 100"});
    EXPECT_EQ(Box("txtItem0(2)")->text(), QStringLiteral("100"));
    EXPECT_EQ(app.LyricsFolder(), "/media/歌詞/");
    EXPECT_EQ(app.LyricsExt(), "txt");

    // An emptied volume shows 0 at once, selected for the next digit, and mutes.
    dialog->Open();
    Retype(Box("txtItem0(2)"), QString());
    EXPECT_EQ(Box("txtItem0(2)")->selectedText(), QStringLiteral("0"));
    Close();
    EXPECT_EQ(host.volume, 0);
}

TEST_F(PropsDialog, TypingIntoThePositionBoxesMovesTheMainWindowWithEachDigit)
{
    dialog->Open();
    using Moves = std::vector<std::pair<WindowEdge, int>>;
    // "-" alone and other text move nothing; an emptied box shows and moves to 0.
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

// Return in a box once applied and hid the dialog.
TEST_F(PropsDialog, OnlyTheCloseButtonAppliesReturnInABoxDoesNothingAndTheDialogIsKept)
{
    QPointer<frmZelkoProps> alive(dialog.get());
    Activate();
    Retype(Box("txtItem0(2)"), QStringLiteral("20"));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(Box("txtItem0(2)"), key);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_TRUE(Box("txtItem0(2)")->hasFocus());
    }
    // The window's close button and Escape hide it without applying.
    EXPECT_TRUE(dialog->close());
    dialog->Open();
    QTest::keyClick(Box("txtItem0(2)"), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    QApplication::processEvents();
    EXPECT_FALSE(alive.isNull());
    EXPECT_TRUE(host.applied.empty());

    dialog->Open();
    Retype(Box("txtItem0(2)"), QStringLiteral("20"));
    Button("cmdClose")->setFocus();
    QTest::keyClick(Button("cmdClose"), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(host.applied, std::vector<std::string>{"volume 20"});
}

TEST_F(PropsDialog, TextBoxesSelectTheirWholeTextWhenTheyGetTheFocus)
{
    Activate();
    QLineEdit* volume = Box("txtItem0(2)");
    Box("txtItem1(2)")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Box("txtItem1(2)")->selectedText(), QStringLiteral("120"));
    // By mouse too: the click places the cursor first, the selection follows.
    QTest::mouseClick(volume, Qt::LeftButton, Qt::NoModifier, QPoint(4, volume->height() / 2));
    QApplication::processEvents();
    EXPECT_EQ(volume->selectedText(), QStringLiteral("75"));
}

// What the settings set at start-up is not shown.
TEST_F(PropsDialog, TheOpenDialogFollowsTheModesAndVolumeTheTransportTakes)
{
    decoder::Decoder decoder;
    Transport transport(decoder, 1);
    dialogs::PropsFollower follower(*dialog, transport);
    transport.AddObserver(follower);
    dialog->Open();
    transport.ToggleRepeat();
    transport.ToggleShuffle();
    transport.SetVolume(55, VolumeCause::Assist);
    EXPECT_EQ(Check("chkItem0(0)")->isChecked(), transport.bRepeat());
    EXPECT_EQ(Check("chkItem0(1)")->isChecked(), transport.bShuffle());
    EXPECT_EQ(Box("txtItem0(2)")->text(), QStringLiteral("55"));
    transport.SetVolume(70, VolumeCause::Settings);
    EXPECT_EQ(Box("txtItem0(2)")->text(), QStringLiteral("55"));
    transport.RemoveObserver(follower);
}
