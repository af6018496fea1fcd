// The player program: long options first (they never reach the "/" switches),
// then the main window's life.
#include "platform/PlainImageTransfer.h"
#include "player/ModalBoxCloser.h"
#include "player/SignalBridge.h"
#include "player/frmZelko.h"
#include "player/shell/ClsZelko.h"
#include "player/skin/SkinChecker.h"

#include <QApplication>

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string_view>

namespace {

// Under a Wayland session the skinned window runs on XWayland: shaped,
// frameless windows that place themselves need the X11 protocol. A platform
// the user chose explicitly is respected.
void PreferXcbUnderWayland() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0') return;
    const char* session = std::getenv("XDG_SESSION_TYPE");
    const char* waylandDisplay = std::getenv("WAYLAND_DISPLAY");
    const bool wayland = (session != nullptr && std::string_view(session) == "wayland") ||
                         (waylandDisplay != nullptr && *waylandDisplay != '\0');
    if (wayland) ::setenv("QT_QPA_PLATFORM", "xcb", 1);
}

void PrintVersion() {
    std::cout << "Zelko " << ZELKO_VERSION_MAJOR << '.' << ZELKO_VERSION_MINOR << '.' << ZELKO_VERSION_PATCH
              << '\n';
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    // A write beyond the file-size limit then fails like a full disk, and
    // the save reports it, instead of the signal ending the player.
    std::signal(SIGXFSZ, SIG_IGN);
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help") {
            std::cout << ClsZelko::UsageText();
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
            return RunSkinCheck(argv[i + 1], std::cout);
        }
        if (arg.starts_with("--")) {
            std::cerr << "Zelko: unknown option " << arg << "\n" << ClsZelko::UsageText();
            return 2;
        }
    }

    PreferXcbUnderWayland();
    platform::PlainImageTransfer imageTransfer;
    QApplication app(argc, argv);
    imageTransfer.Release();
    app.setQuitOnLastWindowClosed(false);

    frmZelko::Options options;
    options.commandLine = ClsZelko::CommandLineFromArguments(argc, argv);
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
    const int result = QApplication::exec();
    form.Form_Unload();
    return result;
}
