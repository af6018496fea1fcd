#include "player/dialogs/frmZelkoProps.h"

#include "common/LanguageChoice.h"
#include "common/UiTranslator.h"
#include "player/dialogs/frmZelkoAbout.h"
#include "player/shell/ClsZelko.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

using namespace common;
using namespace shell;

using dialogs::frmZelkoProps;
using dialogs::WindowEdge;

namespace {

// Stands in for the main window: keeps the play state and records what the
// dialog asked of it.
class FakeHost : public dialogs::PropsHost {
public:
    bool repeat = true;
    bool shuffle = false;
    int volume = 75;
    int repeatApplied = 0;
    int shuffleApplied = 0;
    std::vector<int> volumesApplied;
    std::vector<std::pair<WindowEdge, int>> moves;
    std::string folderToChoose;
    std::vector<QWidget*> folderOwners;

    bool Repeat() const override { return repeat; }
    bool Shuffle() const override { return shuffle; }
    int Volume() const override { return volume; }
    void ApplyRepeat(bool on) override
    {
        repeat = on;
        ++repeatApplied;
    }
    void ApplyShuffle(bool on) override
    {
        shuffle = on;
        ++shuffleApplied;
    }
    void ApplyVolume(int v) override
    {
        volume = v;
        volumesApplied.push_back(v);
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
        app.SetLyricsShowAlway(false);
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

// Opening fills every field without applying it; while it is visible the
// dialog shows the main window's own changes (the skin's buttons, a drag).
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
    EXPECT_FALSE(dialog->isModal());
    dialog->ShowShuffle(true); // hidden: shows nothing
    dialog->Open();
    expectFields({true, false, true, false, true}, {"75", "120", "80", "txt;lrc", "/home/user/歌詞/"});

    host.shuffle = true;
    host.repeat = false;
    app.SetWindowLeft(400);
    app.SetWindowTop(300);
    dialog->ShowShuffle(true);
    dialog->ShowRepeat(false);
    dialog->ShowVolume(90);
    dialog->ShowWindowPosition(400, 300);
    expectFields({false, true}, {"90", "400", "300"});

    // Closed without applying, the state changes behind it; the next
    // opening shows the new values.
    dialog->close();
    host.volume = 5;
    app.SetWindowLeft(-30);
    app.SetLyricsFolder("");
    app.SetSearchChildFolder(false);
    dialog->Open();
    expectFields({false, true, true, false, false}, {"5", "-30", "300", "txt;lrc", ""});
    EXPECT_EQ(host.repeatApplied + host.shuffleApplied, 0);
    EXPECT_TRUE(host.volumesApplied.empty());
}

TEST_F(PropsDialog, EachCheckBoxChangesItsSettingAtOnce)
{
    dialog->Open();
    // Each row: the box clicked and the setting it changes, read after the click.
    const std::vector<std::pair<const char*, std::function<bool()>>> rows{
        {"chkItem0(0)", [&] { return !host.repeat && host.repeatApplied == 1; }},
        {"chkItem0(1)", [&] { return host.shuffle && host.shuffleApplied == 1; }},
        {"chkItem1(0)", [&] { return !app.PlayListShowAlway(); }},
        {"chkItem1(1)", [&] { return app.LyricsShowAlway(); }},
        {"chkItem2(0)", [&] { return !app.SearchChildFolder(); }},
    };
    for (const auto& [name, changed] : rows) {
        QTest::mouseClick(Check(name), Qt::LeftButton);
        EXPECT_TRUE(changed()) << name;
    }
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(host.volumesApplied.empty());
}

// The corrections themselves are the rules' (PropsRules); here: when they
// are applied, and what the boxes show. The folder button fills its box only.
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
    EXPECT_TRUE(host.volumesApplied.empty());
    EXPECT_EQ(app.LyricsFolder(), "/home/user/歌詞/");
    Close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(host.volumesApplied, std::vector<int>{100});
    EXPECT_EQ(Box("txtItem0(2)")->text(), QStringLiteral("100"));
    EXPECT_EQ(app.LyricsFolder(), "/media/歌詞/");
    EXPECT_EQ(app.LyricsExt(), "txt");

    // An emptied volume shows 0 at once, selected so that the next digit
    // replaces it, and mutes on Close.
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
    EXPECT_TRUE(host.volumesApplied.empty());

    // Return on the Close button applies and hides.
    dialog->Open();
    Retype(Box("txtItem0(2)"), QStringLiteral("20"));
    Button("cmdClose")->setFocus();
    QTest::keyClick(Button("cmdClose"), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(host.volumesApplied, std::vector<int>{20});
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
    EXPECT_TRUE(volume->hasFocus());
    EXPECT_EQ(volume->selectedText(), QStringLiteral("75"));
}

// Under an English locale every text fits the widget that shows it, at the
// dialog's own font and under its real layout.
TEST_F(PropsDialog, NoEnglishTextIsCutOff)
{
    const UiLanguage language = LanguageChoice::Choose(LocaleEnvironment{"", "", "", "en_US.UTF-8"}, LanguageSetting::Auto);
    const UiTranslator translator(language, QStringLiteral("zelko"), QStringLiteral(ZELKO_PROGRAM_DIR));
    ASSERT_EQ(translator.Result(), UiTranslator::Outcome::Installed);
    frmZelkoProps props(app, host);
    props.Open();
    ASSERT_TRUE(props.isVisible());
    QApplication::processEvents();

    int checked = 0;
    for (const QLabel* label : props.findChildren<QLabel*>()) {
        if (label->text().isEmpty() || !label->isVisible())
            continue;
        ++checked;
        const QRect room = label->contentsRect();
        if (label->wordWrap()) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << label->text().toStdString();
        } else {
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), room.width())
                << label->text().toStdString();
        }
        EXPECT_GE(room.height(), label->fontMetrics().height()) << label->text().toStdString();
    }
    EXPECT_EQ(checked, 12);

    for (const QGroupBox* group : props.findChildren<QGroupBox*>()) {
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.subControls = QStyle::SC_GroupBoxLabel;
        const QRect title = group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
        EXPECT_LE(group->fontMetrics().horizontalAdvance(group->title()), title.width()) << group->title().toStdString();
        EXPECT_TRUE(group->rect().contains(title)) << group->title().toStdString();
    }

    const QPushButton* close = props.findChild<QPushButton*>(QStringLiteral("cmdClose"));
    EXPECT_LE(close->fontMetrics().horizontalAdvance(close->text()), close->width());
    // The whole dialog still fits a small screen.
    EXPECT_LE(props.frameGeometry().width(), 1024);
    EXPECT_LE(props.frameGeometry().height(), 768);
    props.hide();

    // The About dialog's shortcut list is wide enough for its longest line.
    dialogs::frmZelkoAbout about(dialogs::ProgramVersion{3, 4, 5});
    const QListWidget* list = about.findChild<QListWidget*>(QStringLiteral("lstShortcut"));
    const QFontMetrics metrics(list->font());
    const int longest = metrics.horizontalAdvance(QStringLiteral("    Ctrl + Shift + ←")) + metrics.horizontalAdvance(QStringLiteral("    ")) + metrics.horizontalAdvance(QStringLiteral("Open or close the playlist or lyrics drawer"));
    EXPECT_GE(list->minimumWidth(), longest);
}
