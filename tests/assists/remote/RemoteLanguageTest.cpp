// RemoteZKA's captions with its catalogue from the program folder, installed
// as its main() installs it: as written under the C locale, in English when
// the environment or the player's handed-on choice says English.
#include "assists/remote/frmRemoteZKA.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include "common/LanguageChoice.h"
#include "common/UiTranslator.h"
#include "platform/FakePlayerWindow.h"
#include "protocol/AssistArguments.h"

using namespace remote;

namespace {

QApplication& LanguageTestApp()
{
    static int argc = 1;
    static char name[] = "test_remote";
    static char* argv[] = {name, nullptr};
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *existing;
    return *new QApplication(argc, argv);
}

// The captions of a remote window made while the language of the environment
// env and the handed-on setting handedOn is in force.
std::vector<std::string> CaptionsUnder(const LocaleEnvironment& env, const char* handedOn, std::string* warning)
{
    LanguageTestApp();
    const UiTranslator translator(LanguageChoice::Choose(env, LanguageChoice::ParseSetting(handedOn)),
                                  QStringLiteral("remotezka"), QStringLiteral(ZELKO_PROGRAM_DIR "/Assist"));
    EXPECT_NE(translator.Result(), UiTranslator::Outcome::CatalogueMissing) << translator.CataloguePath().toStdString();
    testsupport::TempEndpointDir dir;
    auto window = platform::MessageWindow::Open({}, testsupport::WindowOptions(dir.Path(), 8202)).Window;
    std::vector<std::string> captions;
    {
        frmRemoteZKA form(*window, protocol::AssistArguments{8201, 1});
        for (const QPushButton* b : {form.cmdPlay, form.cmdPause, form.cmdStop, form.cmdPTrack, form.cmdNTrack,
                                     form.cmdRepeat, form.cmdShuffle, form.cmdPlayInfo, form.cmdSongInfo})
            captions.push_back(b->text().toStdString());
        captions.push_back(form.lblItem->text().toStdString());
    }
    *warning = QCoreApplication::translate("AssistArguments", protocol::StandAloneWarning).toStdString();
    return captions;
}

const LocaleEnvironment Plain{"", "", "", "C.UTF-8"};
const LocaleEnvironment English{"", "", "", "en_US.UTF-8"};

TEST(RemoteLanguage, UnderTheCLocaleTheCaptionsAreAsWritten)
{
    std::string warning;
    EXPECT_EQ(CaptionsUnder(Plain, "", &warning),
              (std::vector<std::string>{"&Play", "P&ause", "&Stop", "Pre&vTrack", "&NextTrack", "&Repeat", "Shu&ffle",
                                        "P&lay Info", "Son&g Info", "Volume:"}));
    EXPECT_EQ(warning, "このアプリケーションは Zelko Deck と同期して実行されます。");
}

TEST(RemoteLanguage, InEnglishTheCaptionsReadAsEnglish)
{
    const std::vector<std::string> english{"&Play", "P&ause", "&Stop", "Pre&v Track", "&Next Track", "&Repeat",
                                           "Shu&ffle", "P&lay Info", "Son&g Info", "Volume:"};
    const std::string englishWarning = "This program runs together with Zelko Deck, which starts it from its Assists menu.";
    std::string warning;
    EXPECT_EQ(CaptionsUnder(English, "", &warning), english);
    EXPECT_EQ(warning, englishWarning);
    // The player chose English from its setting under a plain locale.
    EXPECT_EQ(CaptionsUnder(Plain, "en", &warning), english);
    EXPECT_EQ(warning, englishWarning);
    // And Japanese under an English locale.
    CaptionsUnder(English, "ja", &warning);
    EXPECT_EQ(warning, "このアプリケーションは Zelko Deck と同期して実行されます。");
}

} // namespace
