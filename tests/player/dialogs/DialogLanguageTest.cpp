// The Properties and About dialogs in the language the environment chooses,
// with the catalogue the build put in the program folder: exactly the
// Japanese texts under a Japanese or the C locale, the English ones under an
// English locale, and no English text cut off in the Properties dialog.
#include "player/dialogs/DialogTexts.h"
#include "player/dialogs/frmZelkoAbout.h"
#include "player/dialogs/frmZelkoProps.h"

#include "ExpectedShortcutLines.h"
#include "common/LanguageChoice.h"
#include "common/UiTranslator.h"
#include "player/shell/ClsZelko.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using dialogs::frmZelkoAbout;
using dialogs::frmZelkoProps;

namespace {

const dialogs::ProgramVersion Version{3, 4, 5};

// The player's catalogue, installed as the program installs it for LANG=lang.
std::unique_ptr<UiTranslator> TranslatorFor(const char* lang)
{
    const UiLanguage language = LanguageChoice::Choose(LocaleEnvironment{"", "", "", lang}, LanguageSetting::Auto);
    auto translator = std::make_unique<UiTranslator>(language, QStringLiteral("zelko"), QStringLiteral(ZELKO_PROGRAM_DIR));
    EXPECT_NE(translator->Result(), UiTranslator::Outcome::CatalogueMissing) << translator->CataloguePath().toStdString();
    return translator;
}

class NoHost : public dialogs::PropsHost {
public:
    bool Repeat() const override { return false; }
    bool Shuffle() const override { return false; }
    int Volume() const override { return 50; }
    void ApplyRepeat(bool) override {}
    void ApplyShuffle(bool) override {}
    void ApplyVolume(int) override {}
    void MoveMainWindow(dialogs::WindowEdge, int) override {}
    std::string ChooseFolder(QWidget*, const std::string&) override { return {}; }
};

struct PropsTexts {
    QString caption;
    QStringList headings;
    QStringList labels; // sorted
    QString close;
};

PropsTexts TextsOf(frmZelkoProps& dialog)
{
    PropsTexts texts;
    texts.caption = dialog.windowTitle();
    for (int i = 0; i < 4; ++i)
        texts.headings << dialog.findChild<QGroupBox*>(QStringLiteral("lblTitle(%1)").arg(i))->title();
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts.labels << label->text();
    texts.labels.sort();
    texts.close = dialog.findChild<QPushButton*>(QStringLiteral("cmdClose"))->text();
    return texts;
}

class DialogLanguage : public ::testing::Test {
protected:
    DialogLanguage()
        : app("", ClsZelko::Folders{Dir(), Dir(), Dir()})
    {
    }
    std::string Dir() const { return temp.path().toStdString(); }

    QTemporaryDir temp;
    ClsZelko app;
    NoHost host;
};

const QStringList JapaneseLabels{"ボリューム：", "全曲リピート：", "ランダム演奏：", "（上）：", "メインウィンドウの表示位置（左）：",
                                 "スキンが替わるたびプレイリストウィンドウを表示する：",
                                 "スキンが替わるたび歌詞ウィンドウを表示する：", "子階層検索を有効にする：", "拡張子：",
                                 "複数指定する場合は [ ; ] で区切って下さい", "検索フォルダ：",
                                 "検索フォルダを指定しない場合再生ファイルと同じフォルダを検索します"};

TEST_F(DialogLanguage, AJapaneseOrTheCLocaleShowsTheJapaneseTextsExactly)
{
    for (const char* lang : {"ja_JP.UTF-8", "C.UTF-8"}) {
        SCOPED_TRACE(lang);
        const auto translator = TranslatorFor(lang);
        EXPECT_EQ(translator->Result(), UiTranslator::Outcome::SourceTexts);

        frmZelkoProps props(app, host);
        const PropsTexts texts = TextsOf(props);
        EXPECT_EQ(texts.caption, QStringLiteral("Zelko Deck のﾌﾟﾛﾊﾟﾃｨ"));
        EXPECT_EQ(texts.headings, (QStringList{"全般", "ウィンドウ", "フォルダを開く", "歌詞ファイル"}));
        QStringList japanese = JapaneseLabels;
        japanese.sort();
        EXPECT_EQ(texts.labels, japanese);
        EXPECT_EQ(texts.close, QStringLiteral("閉じる"));

        frmZelkoAbout about(Version);
        EXPECT_EQ(about.windowTitle(), QStringLiteral("Zelko Deck のﾊﾞｰｼﾞｮﾝ情報"));
        EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("lblAppVersion"))->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 3.405"));
        QTabBar* tabs = about.findChild<QTabWidget*>(QStringLiteral("PContainer"))->tabBar();
        EXPECT_EQ(tabs->tabText(0), QStringLiteral("ﾊﾞｰｼﾞｮﾝ"));
        EXPECT_EQ(tabs->tabText(1), QStringLiteral("ｼｮｰﾄｶｯﾄ"));
        QListWidget* list = about.findChild<QListWidget*>(QStringLiteral("lstShortcut"));
        const auto& expected = ExpectedShortcutLines();
        ASSERT_EQ(list->count(), static_cast<int>(expected.size()));
        for (int i = 0; i < list->count(); ++i)
            EXPECT_EQ(list->item(i)->text().toStdString(), expected[static_cast<std::size_t>(i)]) << "line " << i;
        EXPECT_EQ(dialogs::Translated(dialogs::LyricsFolderDialogTitle), "フォルダを選択して下さい。");
    }
}

// Every text translated (no Japanese left), the shortcut list's two columns
// and the list wide enough for its longest line.
TEST_F(DialogLanguage, AnEnglishLocaleShowsTheEnglishTexts)
{
    const auto translator = TranslatorFor("en_US.UTF-8");
    ASSERT_EQ(translator->Result(), UiTranslator::Outcome::Installed);

    frmZelkoProps props(app, host);
    const PropsTexts texts = TextsOf(props);
    EXPECT_EQ(texts.caption, QStringLiteral("Zelko Deck Properties"));
    EXPECT_EQ(texts.headings, (QStringList{"General", "Window", "Open Folder", "Lyrics Files"}));
    EXPECT_EQ(texts.labels.size(), JapaneseLabels.size());
    EXPECT_TRUE(texts.labels.contains("Main window position, left:"));
    for (const QString& label : texts.labels)
        EXPECT_TRUE(std::all_of(label.begin(), label.end(), [](QChar c) { return c.unicode() < 0x80; })) << label.toStdString();
    EXPECT_EQ(texts.close, QStringLiteral("Close"));
    EXPECT_EQ(dialogs::Translated(dialogs::LyricsFolderDialogTitle), "Choose the lyrics folder");

    frmZelkoAbout about(Version);
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Zelko Deck"));
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("lblAppVersion"))->text(), QStringLiteral("Version 3.405"));
    QTabBar* tabs = about.findChild<QTabWidget*>(QStringLiteral("PContainer"))->tabBar();
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Version"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Shortcuts"));
    QListWidget* list = about.findChild<QListWidget*>(QStringLiteral("lstShortcut"));
    ASSERT_EQ(list->count(), static_cast<int>(ExpectedShortcutLines().size()));
    const std::vector<std::pair<int, std::string>> spots{{0, "    Alt + [Space]\tSystem menu"},
                                                         {2, "    ----------------------------"},
                                                         {14, "    Ctrl + L\tOpen or close the playlist or lyrics drawer"},
                                                         {30, "    Ctrl + Shift + →\tForward 30 seconds"}};
    for (const auto& [row, line] : spots)
        EXPECT_EQ(list->item(row)->text().toStdString(), line);
    for (int i = 0; i < list->count(); ++i) {
        const QString text = list->item(i)->text();
        EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x3000; })) << i;
    }
    const QFontMetrics metrics(list->font());
    const int longest = metrics.horizontalAdvance(QStringLiteral("    Ctrl + Shift + ←")) + metrics.horizontalAdvance(QStringLiteral("    ")) + metrics.horizontalAdvance(QStringLiteral("Open or close the playlist or lyrics drawer"));
    EXPECT_GE(list->minimumWidth(), longest);
}

// Every text of the Properties dialog fits the widget that shows it, at the
// dialog's own font and under its real layout.
TEST_F(DialogLanguage, NoEnglishTextIsCutOffInTheProperties)
{
    const auto translator = TranslatorFor("en_US.UTF-8");
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
}

} // namespace
