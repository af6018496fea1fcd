// ScopeZKA's captions with its catalogue from the program folder, installed
// as its main() installs it: Japanese under the C or a Japanese locale,
// English under an English one or when the player hands on English.
#include "assists/scope/frmScopeZKA.h"

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "common/LanguageChoice.h"
#include "common/UiTranslator.h"
#include "platform/FakePlayerWindow.h"
#include "protocol/AssistArguments.h"

using namespace scope;

namespace {

QApplication& LanguageTestApp()
{
    static int argc = 1;
    static char name[] = "test_scope";
    static char* argv[] = {name, nullptr};
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *existing;
    return *new QApplication(argc, argv);
}

std::vector<std::string> CaptionsUnder(const LocaleEnvironment& env, const char* handedOn, std::string* warning)
{
    LanguageTestApp();
    const UiTranslator translator(LanguageChoice::Choose(env, LanguageChoice::ParseSetting(handedOn)),
                                  QStringLiteral("scopezka"), QStringLiteral(ZELKO_PROGRAM_DIR "/Assist"));
    EXPECT_NE(translator.Result(), UiTranslator::Outcome::CatalogueMissing) << translator.CataloguePath().toStdString();
    testsupport::TempEndpointDir dir;
    auto window = platform::MessageWindow::Open({}, testsupport::WindowOptions(dir.Path(), 8302)).Window;
    std::vector<std::string> captions;
    {
        frmScopeZKA form(*window, protocol::AssistArguments{8301, 1}, 5u);
        for (const QAbstractButton* b : std::initializer_list<const QAbstractButton*>{
                 form.chkZelko, form.chkBColor, form.chkFColor, form.optTitle[0], form.optTitle[1], form.optTitle[2],
                 form.optLine[0], form.optLine[1]})
            captions.push_back(b->text().toStdString());
    }
    *warning = QCoreApplication::translate("AssistArguments", protocol::StandAloneWarning).toStdString();
    return captions;
}

const std::vector<std::string> Japanese{"Zelko Deck を 最小化", "背景色変更", "点(線)の色変更", "帯", "円", "弧", "線", "点"};
const std::vector<std::string> English{"Minimise Zelko Deck", "Change background colour", "Change dot (line) colour",
                                       "Band", "Circle", "Arc", "Lines", "Dots"};

TEST(ScopeLanguage, TheJapaneseCaptionsStayExactlyUnderAJapaneseOrTheCLocale)
{
    for (const char* lang : {"ja_JP.UTF-8", "C.UTF-8", ""}) {
        std::string warning;
        EXPECT_EQ(CaptionsUnder(LocaleEnvironment{"", "", "", lang}, "", &warning), Japanese) << lang;
        EXPECT_EQ(warning, "このアプリケーションは Zelko Deck と同期して実行されます。") << lang;
    }
}

TEST(ScopeLanguage, InEnglishTheCaptionsReadAsEnglish)
{
    std::string warning;
    EXPECT_EQ(CaptionsUnder(LocaleEnvironment{"", "", "", "en_US.UTF-8"}, "", &warning), English);
    EXPECT_EQ(warning, "This program runs together with Zelko Deck, which starts it from its Assists menu.");
    EXPECT_EQ(CaptionsUnder(LocaleEnvironment{"", "", "", "C.UTF-8"}, "en", &warning), English);
    EXPECT_EQ(CaptionsUnder(LocaleEnvironment{"", "", "", "en_US.UTF-8"}, "ja", &warning), Japanese);
}

} // namespace
