// ScopeZKA: draws the player's spectrum data, started by the player with its
// window handle and this assist's position on the command line.
#include <QApplication>
#include <QMessageBox>

#include <chrono>
#include <cstdio>

#include "assists/scope/frmScopeZKA.h"
#include "common/UiTranslator.h"
#include "platform/MessageWindow.h"
#include "platform/PlainImageTransfer.h"
#include "protocol/AssistArguments.h"

int main(int argc, char* argv[])
{
    platform::PlainImageTransfer imageTransfer;
    QApplication app(argc, argv);
    imageTransfer.Release();
    // The player hands on its choice of language; started otherwise, the
    // environment decides. Before the first window, so that all of it is translated.
    const common::UiTranslator translator(
        common::LanguageChoice::Choose(common::LocaleEnvironment::Current(),
                                       common::LanguageChoice::ParseSetting(common::LocaleEnvironment::Variable(common::LanguageChoice::HandedOnVariable))),
        QStringLiteral("scopezka"), QCoreApplication::applicationDirPath());
    if (translator.Result() == common::UiTranslator::Outcome::CatalogueMissing)
        std::fprintf(stderr, "ScopeZKA: the English texts %s are missing; the texts stay untranslated\n",
                     translator.CataloguePath().toLocal8Bit().constData());
    const auto arguments = protocol::ParseAssistArguments(argc, argv);
    if (!arguments) {
        QMessageBox::warning(nullptr, QStringLiteral("Visual - ZKAssist"),
                             QCoreApplication::translate("AssistArguments", protocol::StandAloneWarning));
        return 0;
    }
    auto opened = platform::MessageWindow::Open({});
    if (!opened.Window) {
        std::fprintf(stderr, "ScopeZKA: %s\n", opened.Error.c_str());
        return 1;
    }
    const auto seed = static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
    int result = 0;
    {
        scope::frmScopeZKA form(*opened.Window, *arguments, seed);
        form.show();
        form.Start();
        // The player may close the window while it is being linked, before
        // the event loop runs: then there is nothing left to run.
        if (form.isVisible())
            result = app.exec();
    }
    return result;
}
