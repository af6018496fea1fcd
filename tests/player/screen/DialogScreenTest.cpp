// The Properties and About dialogs opened from the running main window on a
// real X display: the window appears on the screen, centred, with its
// caption as the X server knows it, and shows what the dialog draws.
#include "ScreenSupport.h"

#include <QDialog>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <array>
#include <cstdio>
#include <memory>

using namespace screentest;

namespace {

// The name the X server holds for a window (its WM_NAME / _NET_WM_NAME).
std::string XWindowName(WId window)
{
    const std::string command = "xdotool getwindowname " + std::to_string(window);
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) return std::string();
    std::string text;
    std::array<char, 256> buffer{};
    while (std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe.get())) text += buffer.data();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

QDialog* VisibleDialogTitled(const QString& caption)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (dialog && dialog->isVisible() && dialog->windowTitle() == caption) return dialog;
    }
    return nullptr;
}

// What one look at an open dialog found.
struct DialogSeen {
    bool found = false;
    std::string xName;
    QRect geometry;
    QRect screen;
    double sameAsDrawn = 0.0;  // share of the dialog's pixels on the screen equal to its own drawing
};

// Waits until the dialog is on the screen and shows its own drawing there.
DialogSeen LookAt(const QString& caption, const std::function<void(const QImage&)>& save)
{
    DialogSeen seen;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QDialog* dialog = VisibleDialogTitled(caption);
        if (!dialog || !dialog->windowHandle() || !dialog->windowHandle()->isExposed()) continue;
        seen.found = true;
        seen.geometry = dialog->frameGeometry();
        seen.screen = dialog->screen()->availableGeometry();
        const QImage drawn = dialog->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage shown = GrabScreen(dialog->geometry());
        if (drawn.size() != shown.size()) continue;
        qint64 same = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixel(x, y) == drawn.pixel(x, y)) ++same;
        seen.sameAsDrawn = static_cast<double>(same) / (static_cast<double>(shown.width()) * shown.height());
        seen.xName = XWindowName(dialog->winId());
        if (seen.sameAsDrawn > 0.98) {
            save(GrabScreen());
            break;
        }
    }
    return seen;
}

void ExpectCentred(const DialogSeen& seen)
{
    EXPECT_LE(std::abs(seen.geometry.center().x() - seen.screen.center().x()), 1)
        << "dialog at " << seen.geometry.x() << "," << seen.geometry.y() << " size " << seen.geometry.width() << "x"
        << seen.geometry.height();
    EXPECT_LE(std::abs(seen.geometry.center().y() - seen.screen.center().y()), 1)
        << "dialog at " << seen.geometry.x() << "," << seen.geometry.y() << " size " << seen.geometry.width() << "x"
        << seen.geometry.height();
}

const char* const PropsCaption = "Zelko Deck のﾌﾟﾛﾊﾟﾃｨ";
const char* const AboutCaption = "Zelko Deck のﾊﾞｰｼﾞｮﾝ情報";

} // namespace

TEST_F(ScreenTest, PropertiesDialogAppearsCentredWithItsCaption)
{
    ASSERT_TRUE(Start());
    Player().mnuP1Properties_Click();
    const DialogSeen seen = LookAt(QString::fromUtf8(PropsCaption), [this](const QImage& screen) {
        if (const char* folder = std::getenv("ZELKO_SCREEN_SHOTS"))
            screen.save(QString::fromStdString(std::string(folder) + "/PropertiesDialog.png"));
    });
    ASSERT_TRUE(seen.found) << "no visible Properties dialog";
    EXPECT_GT(seen.sameAsDrawn, 0.98) << "the screen does not show the dialog's drawing";
    EXPECT_EQ(seen.xName, PropsCaption);
    ExpectCentred(seen);
    // The main window is still shown beside the modeless dialog.
    EXPECT_TRUE(Player().Window().isVisible());
}

TEST_F(ScreenTest, AboutDialogAppearsCentredWithItsCaption)
{
    ASSERT_TRUE(Start());
    DialogSeen seen;
    // The dialog is modal: it is looked at from inside its own event loop and
    // then closed. A second timer closes it in any case, so that the test
    // never waits for a user.
    QTimer::singleShot(0, [&seen] {
        seen = LookAt(QString::fromUtf8(AboutCaption), [](const QImage& screen) {
            if (const char* folder = std::getenv("ZELKO_SCREEN_SHOTS"))
                screen.save(QString::fromStdString(std::string(folder) + "/AboutDialog.png"));
        });
        if (QDialog* dialog = VisibleDialogTitled(QString::fromUtf8(AboutCaption))) dialog->reject();
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    guard.start(8000);
    Player().mnuP1Version_Click();
    ASSERT_TRUE(seen.found) << "no visible About dialog";
    EXPECT_GT(seen.sameAsDrawn, 0.98) << "the screen does not show the dialog's drawing";
    EXPECT_EQ(seen.xName, AboutCaption);
    ExpectCentred(seen);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the About dialog did not close";
}
