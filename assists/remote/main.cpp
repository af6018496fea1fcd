// RemoteZKA: remote control of the player, started by it with the player's
// window handle and this assist's position on the command line.
#include <QApplication>
#include <QMessageBox>

#include <cstdio>

#include "assists/remote/frmRemoteZKA.h"
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
        QStringLiteral("remotezka"), QCoreApplication::applicationDirPath());
    if (translator.Result() == common::UiTranslator::Outcome::CatalogueMissing)
        std::fprintf(stderr, "RemoteZKA: the English texts %s are missing; the texts stay untranslated\n",
                     translator.CataloguePath().toLocal8Bit().constData());
    const auto arguments = protocol::ParseAssistArguments(argc, argv);
    if (!arguments) {
        QMessageBox::warning(nullptr, QStringLiteral("PlayControl - ZKAssist"),
                             QCoreApplication::translate("AssistArguments", protocol::StandAloneWarning));
        return 0;
    }
    auto opened = platform::MessageWindow::Open({});
    if (!opened.Window) {
        std::fprintf(stderr, "RemoteZKA: %s\n", opened.Error.c_str());
        return 1;
    }
    int result = 0;
    {
        remote::frmRemoteZKA form(*opened.Window, *arguments);
        form.show();
        form.Start();
        // The player may close the window while it is being linked, before
        // the event loop runs: then there is nothing left to run.
        if (form.isVisible())
            result = app.exec();
    }
    return result;
}
