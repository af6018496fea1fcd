// The texts the user sees first at the defaults (Japanese or the C locale),
// with the catalogue installed as the program installs it.
#include "PlayerTestSupport.h"
#include "support/PlayerWidgetLookup.h"

#include "common/LanguageChoice.h"
#include "common/UiTranslator.h"

#include <QAction>
#include <QMenu>

#include <fstream>

using namespace common;

namespace playertest {
namespace {

std::vector<std::string> Captions(const QMenu& menu)
{
    std::vector<std::string> captions;
    for (const QAction* a : menu.actions())
        captions.push_back(a->isSeparator() ? "-" : a->text().toStdString());
    return captions;
}

using PlayerLanguageTest = PlayerTest;

TEST_F(PlayerLanguageTest, AJapaneseOrTheCLocaleShowsTheJapaneseTextsExactly)
{
    std::ofstream(m_folder.Path() / "zero.mp3");
    for (const char* lang : {"ja_JP.UTF-8", "C.UTF-8"}) {
        SCOPED_TRACE(lang);
        const UiLanguage language = LanguageChoice::Choose(LocaleEnvironment{"", "", "", lang}, LanguageSetting::Auto);
        const UiTranslator translator(language, QStringLiteral("zelko"), QStringLiteral(ZELKO_PROGRAM_DIR));
        EXPECT_EQ(translator.Result(), UiTranslator::Outcome::SourceTexts);
        m_folder.WriteList({(m_folder.Path() / "zero.mp3").string()});
        m_folder.WriteIni("[Skin]\nPath=" + m_folder.Folder() + "Skins/Gone/\nFile=Gone.zks\n");
        std::vector<std::string> folderTitles;
        frmZelko::Options options = PlayerOptions(m_folder, m_answers);
        options.dialogs.chooseFolder = [&folderTitles](const std::string& title) {
            folderTitles.push_back(title);
            return std::string();
        };
        m_answers.skinErrors.clear();
        m_player = std::make_unique<frmZelko>(options);
        ASSERT_TRUE(m_player->Form_Load());

        EXPECT_EQ(Captions(testsupport::PopupMenu("mnuPopup1")),
                  (std::vector<std::string>{"スキン(&S)", "-", "アシスタント(&A)", "-", "曲ごとにスキンを替える(&K)", "2倍のサイズ", "-",
                                            "スタート(&P)", "一時停止(&U)", "ストップ(&T)", "前のトラック(&V)",
                                            "次のトラック(&N)", "-", "プロパティ(&R)...", "-", "バージョン情報(&A)...",
                                            "-", "終了(&X)"}));
        EXPECT_EQ(Captions(testsupport::PopupMenu("mnuPopup2")), (std::vector<std::string>{"すべて削除(&C)"}));
        EXPECT_EQ(Captions(testsupport::PopupMenu("mnuPopup3")), (std::vector<std::string>{"フォルダを開く(&D)...", "ファイルを開く(&F)..."}));
        EXPECT_EQ(Captions(testsupport::PopupMenu("mnuP1Skin")), (std::vector<std::string>{"Carbon", "Meadow", "-", "その他(&O)..."}));
        EXPECT_EQ(Captions(testsupport::PopupMenu("mnuP1Assist")), (std::vector<std::string>{"<なし>"}));
        testsupport::PopupMenu("mnuPopup3").actions()[0]->trigger();
        testsupport::PopupMenu("mnuP1Skin").actions().back()->trigger();
        EXPECT_EQ(folderTitles, (std::vector<std::string>{"フォルダを選択して下さい。", "スキンフォルダを選択して下さい。"}));
        EXPECT_EQ(m_answers.skinErrors, (std::vector<std::string>{"指定された[スキンファイル]が正しくありません。"}));
        m_player->cButtonAction_PlayClick();
        EXPECT_EQ(m_player->App().TrackName(), "zero.mp3 を再生できません");
        m_player.reset();
    }
}

TEST_F(PlayerLanguageTest, AFileNameThatIsNotUtf8KeepsItsBytesInTheCannotPlayTitle)
{
    const UiTranslator translator(UiLanguage::English, QStringLiteral("zelko"), QStringLiteral(ZELKO_PROGRAM_DIR));
    ASSERT_EQ(translator.Result(), UiTranslator::Outcome::Installed);
    const std::string name = "\x93\xfa\x96\x7b.mp3"; // Shift-JIS bytes
    std::ofstream(m_folder.Path() / name);
    Load();
    ASSERT_TRUE(m_loadResult);
    Player().AddMp3Files({(m_folder.Path() / name).string()});
    Player().cButtonAction_PlayClick();
    EXPECT_EQ(Player().App().TrackName(), "Cannot play " + name);
}

} // namespace
} // namespace playertest
