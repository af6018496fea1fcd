// The player program: long options first (they never reach the "/" switches),
// then the files named on the command line are taken out, the one player of
// the session is found (a second start hands its files over, on the bus or
// through the window messages, and ends), and
// the main window lives, reachable over the session bus.
#include "common/LanguageChoice.h"
#include "common/UiTranslator.h"
#include "platform/PlainImageTransfer.h"
#include "player/ModalBoxCloser.h"
#include "player/FormPlayerControl.h"
#include "player/SignalBridge.h"
#include "player/desktop/CommandLineFiles.h"
#include "player/desktop/InstanceClaim.h"
#include "player/desktop/InstanceHandOver.h"
#include "player/desktop/InstanceName.h"
#include "player/desktop/MprisService.h"
#include "player/desktop/SessionBusAddress.h"
#include "player/desktop/WindowHandOver.h"
#include "player/frmZelko.h"
#include "player/shell/ClsZelko.h"
#include "player/shell/ZelkoSettings.h"
#include "player/skin/SkinChecker.h"

#include <QApplication>

#include <QDir>

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// Under a Wayland session the skinned window runs on XWayland: shaped,
// frameless windows that place themselves need the X11 protocol. A platform
// the user chose explicitly is respected.
void PreferXcbUnderWayland()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0') return;
    const char* session = std::getenv("XDG_SESSION_TYPE");
    const char* waylandDisplay = std::getenv("WAYLAND_DISPLAY");
    const bool wayland = (session != nullptr && std::string_view(session) == "wayland") ||
        (waylandDisplay != nullptr && *waylandDisplay != '\0');
    if (wayland) ::setenv("QT_QPA_PLATFORM", "xcb", 1);
}

void PrintVersion()
{
    std::cout << "Zelko " << ZELKO_VERSION_MAJOR << '.' << ZELKO_VERSION_MINOR << '.' << ZELKO_VERSION_PATCH
              << '\n';
}

} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    // A write beyond the file-size limit then fails like a full disk, and
    // the save reports it, instead of the signal ending the player.
    std::signal(SIGXFSZ, SIG_IGN);
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help") {
            std::cout << shell::ClsZelko::UsageText();
            return 0;
        }
        if (arg == "--version") {
            PrintVersion();
            return 0;
        }
        if (arg == "--check-skin") {
            if (i + 1 >= argc) {
                std::cerr << "Zelko: --check-skin needs a skin folder\n";
                return 2;
            }
            // The checker loads pictures, which needs a GUI application but no screen.
            if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            QApplication app(argc, argv);
            return skin::RunSkinCheck(argv[i + 1], std::cout);
        }
        if (arg == "--enqueue") continue;
        std::error_code error;
        if (arg.starts_with("--") && !std::filesystem::exists(std::filesystem::path(arg), error)) {
            std::cerr << "Zelko: unknown option " << arg << "\n"
                      << shell::ClsZelko::UsageText();
            return 2;
        }
    }

    const std::string workingFolder = std::filesystem::current_path().string();
    const desktop::CommandLineFiles arguments =
        desktop::SplitCommandLine(std::vector<std::string>(argv + 1, argv + argc), workingFolder);
    const std::string commandLine = desktop::JoinArguments(arguments.remaining);

    PreferXcbUnderWayland();
    desktop::DisableUnnamedSessionBus();
    platform::PlainImageTransfer imageTransfer;
    QApplication app(argc, argv);
    imageTransfer.Release();
    app.setQuitOnLastWindowClosed(false);

    // One player per session (per program folder with "/develop"): a second
    // start gives its files to the first and ends.
    const bool develop = QString::fromStdString(commandLine).contains(QLatin1String("/develop"), Qt::CaseInsensitive);
    const std::string busName =
        desktop::InstanceBusName(develop ? desktop::RunKind::Develop : desktop::RunKind::Normal, workingFolder);
    const desktop::InstanceClaim claim = desktop::InstanceClaim::Claim(busName);
    if (claim.Result() == desktop::InstanceClaim::Outcome::TakenOnBus) {
        return desktop::HandOver(busName, arguments.files, arguments.mode) == desktop::HandOverResult::Delivered ? 0
                                                                                                                 : 1;
    }
    if (claim.Result() == desktop::InstanceClaim::Outcome::TakenWithoutBus) {
        return desktop::HandOverByWindow(desktop::InstanceLockPath(busName), arguments.files, arguments.mode) ==
                desktop::HandOverResult::Delivered
            ? 0
            : 1;
    }

    // The settings are read once, here: the language is chosen before the
    // first window or menu is made, from the environment and [Window]
    // Language, and start-up takes the rest. The assists the player starts
    // are told the choice.
    const shell::ClsZelko folders(commandLine);
    shell::ZelkoSettings settings = shell::SettingsFile::Load(folders.DataPath() + "Zelko.ini", folders.AppPath());
    const common::UiLanguage language = common::LanguageChoice::Choose(common::LocaleEnvironment::Current(), settings.Language);
    ::setenv(common::LanguageChoice::HandedOnVariable,
             std::string(common::LanguageChoice::SettingText(common::LanguageChoice::SettingFor(language))).c_str(), 1);
    const common::UiTranslator translator(language, QStringLiteral("zelko"), QCoreApplication::applicationDirPath());
    if (translator.Result() == common::UiTranslator::Outcome::CatalogueMissing)
        std::cerr << "Zelko: the English texts " << translator.CataloguePath().toStdString()
                  << " are missing; the texts stay Japanese\n";

    frmZelko::Options options;
    options.commandLine = commandLine;
    options.settings = std::move(settings);
    frmZelko form(std::move(options));
    QObject::connect(&form, &frmZelko::Closed, &app, [] { QCoreApplication::quit(); });

    // SIGTERM, SIGINT and SIGHUP end the player as closing its window does,
    // also while a message box or dialog waits for the user.
    SignalBridge signalBridge;
    bool terminated = false;
    QObject::connect(&signalBridge, &SignalBridge::TerminationRequested, &form, [&form, &terminated] {
        terminated = true;
        form.mnuP1Exit_Click();
        ModalBoxCloser::CloseAll();
    });

    if (!form.Form_Load()) {
        // A signal during start-up ended the player the normal way.
        if (terminated) return 0;
        // No skin at all could be shown (the message box has told the user).
        std::cerr << "Zelko: no skin could be loaded; searched " << form.App().AppPath() << "Skins/\n";
        return 1;
    }
    // A signal may already have ended the player during start-up (while it
    // waited for an assist, say); the event loop must not start then.
    if (form.IsUnloaded()) return 0;

    FormPlayerControl control(form);
    desktop::MprisService mpris(control);
    if (claim.Result() != desktop::InstanceClaim::Outcome::ClaimedOnBus) {
        form.App().WriteRunLog("no session bus: desktop control (MPRIS) is off");
    } else if (mpris.Start() != desktop::MprisService::StartResult::Registered) {
        form.App().WriteRunLog("the session bus refused the player object: desktop control (MPRIS) is off");
    }
    if (!arguments.files.empty()) control.AddFiles(arguments.files, arguments.mode);

    const int result = QApplication::exec();
    form.Form_Unload();
    return result;
}
