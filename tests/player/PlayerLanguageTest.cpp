// The main window's texts in the language the environment chooses, with the
// catalogue the build put in the program folder, installed as the program
// installs it: the menus, the folder dialogs' titles, the message of a skin
// that cannot be read and the title of a track that cannot be played.
#include "PlayerTestSupport.h"

#include "common/LanguageChoice.h"
#include "common/UiTranslator.h"

#include <QAction>
#include <QMenu>

#include <fstream>

namespace playertest {
namespace {

std::vector<std::string> Captions(const QMenu& menu)
{
    std::vector<std::string> captions;
    for (const QAction* a : menu.actions())
        captions.push_back(a->isSeparator() ? "-" : a->text().toStdString());
    return captions;
}

// What the menus and dialogs showed.
struct Seen {
    std::vector<std::string> popup1, popup2, popup3, skins, assists;
    std::vector<std::string> folderTitles;
    std::vector<std::string> skinErrors;
    std::string cannotPlay;
};

class PlayerLanguageTest : public PlayerTest {
protected:
    // Starts a player under LANG=lang, as the program does, and goes through
    // its menus, the two folder dialogs, a skin that cannot be read and a
    // track that cannot be played.
    Seen Run(const char* lang)
    {
        const UiLanguage language = LanguageChoice::Choose(LocaleEnvironment{"", "", "", lang}, LanguageSetting::Auto);
        const UiTranslator translator(language, QStringLiteral("zelko"), QStringLiteral(ZELKO_PROGRAM_DIR));
        EXPECT_NE(translator.Result(), UiTranslator::Outcome::CatalogueMissing);

        Seen seen;
        std::ofstream(m_folder.Path() / "zero.mp3");
        m_folder.WriteList({(m_folder.Path() / "zero.mp3").string()});
        m_folder.WriteIni("[Skin]\nPath=" + m_folder.Folder() + "Skins/Gone/\nFile=Gone.zks\n");
        frmZelko::Options options = PlayerOptions(m_folder, m_answers);
        options.dialogs.chooseFolder = [&seen](const std::string& title) {
            seen.folderTitles.push_back(title);
            return std::string();
        };
        m_player = std::make_unique<frmZelko>(options);
        EXPECT_TRUE(m_player->Form_Load());

        PlayerMenus& menus = m_player->Menus();
        seen.popup1 = Captions(menus.mnuPopup1());
        seen.popup2 = Captions(menus.mnuPopup2());
        seen.popup3 = Captions(menus.mnuPopup3());
        seen.skins = Captions(menus.SkinMenu());
        seen.assists = Captions(menus.AssistMenu());
        menus.mnuPopup3().actions()[0]->trigger();
        menus.SkinMenu().actions().back()->trigger();
        seen.skinErrors = m_answers.skinErrors;

        m_player->cButtonAction_PlayClick();
        seen.cannotPlay = m_player->App().TrackName();
        m_player.reset();
        m_answers.skinErrors.clear();
        return seen;
    }
};

TEST_F(PlayerLanguageTest, AJapaneseOrTheCLocaleShowsTheJapaneseTextsExactly)
{
    for (const char* lang : {"ja_JP.UTF-8", "C.UTF-8"}) {
        SCOPED_TRACE(lang);
        const Seen seen = Run(lang);
        EXPECT_EQ(seen.popup1,
                  (std::vector<std::string>{"スキン(&S)", "-", "アシスタント(&A)", "-", "曲ごとにスキンを替える(&K)", "2倍のサイズ", "-",
                                            "スタート(&P)", "一時停止(&U)", "ストップ(&T)", "前のトラック(&V)",
                                            "次のトラック(&N)", "-", "プロパティ(&R)...", "-", "バージョン情報(&A)...",
                                            "-", "終了(&X)"}));
        EXPECT_EQ(seen.popup2, (std::vector<std::string>{"すべて削除(&C)"}));
        EXPECT_EQ(seen.popup3, (std::vector<std::string>{"フォルダを開く(&D)...", "ファイルを開く(&F)..."}));
        EXPECT_EQ(seen.skins, (std::vector<std::string>{"Carbon", "Meadow", "-", "その他(&O)..."}));
        EXPECT_EQ(seen.assists, (std::vector<std::string>{"<なし>"}));
        EXPECT_EQ(seen.folderTitles,
                  (std::vector<std::string>{"フォルダを選択して下さい。", "スキンフォルダを選択して下さい。"}));
        EXPECT_EQ(seen.skinErrors, (std::vector<std::string>{"指定された[スキンファイル]が正しくありません。"}));
        EXPECT_EQ(seen.cannotPlay, "zero.mp3 を再生できません");
    }
}

TEST_F(PlayerLanguageTest, AnEnglishLocaleShowsTheEnglishTexts)
{
    const Seen seen = Run("en_US.UTF-8");
    EXPECT_EQ(seen.popup1,
              (std::vector<std::string>{"&Skins", "-", "&Assists", "-", "Change S&kin with Each Track", "Double Size", "-", "&Play",
                                        "Pa&use", "S&top", "Pre&vious Track", "&Next Track", "-", "P&roperties...",
                                        "-", "A&bout Zelko Deck...", "-", "E&xit"}));
    EXPECT_EQ(seen.popup2, (std::vector<std::string>{"&Clear All"}));
    EXPECT_EQ(seen.popup3, (std::vector<std::string>{"Open Fol&der...", "Open &Files..."}));
    EXPECT_EQ(seen.skins, (std::vector<std::string>{"Carbon", "Meadow", "-", "&Other..."}));
    EXPECT_EQ(seen.assists, (std::vector<std::string>{"(None)"}));
    EXPECT_EQ(seen.folderTitles, (std::vector<std::string>{"Choose a music folder", "Choose a skin folder"}));
    EXPECT_EQ(seen.skinErrors, (std::vector<std::string>{"The specified [skin file] is not valid."}));
    EXPECT_EQ(seen.cannotPlay, "Cannot play zero.mp3");
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
