// The Properties and About dialogs opened from the running main window on a
// real X display: the window appears on the screen, centred, with its
// caption as the X server knows it, and shows what the dialog draws.
#include "ScreenSupport.h"

#include <QDialog>
#include <QTimer>
#include <QWidget>
#include <QWindow>

using namespace screentest;

namespace {

QDialog* VisibleDialogTitled(const QString& caption)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (dialog && dialog->isVisible() && dialog->windowTitle() == caption) return dialog;
    }
    return nullptr;
}

// Waits until the dialog is on the screen and shows its own drawing there,
// then checks its caption on the X server and its place.
void ExpectDialogShownCentred(const char* caption)
{
    bool found = false;
    double sameAsDrawn = 0.0; // share of the dialog's pixels on the screen equal to its own drawing
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 5000 && sameAsDrawn <= 0.98) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QDialog* dialog = VisibleDialogTitled(QString::fromUtf8(caption));
        if (!dialog || !dialog->windowHandle() || !dialog->windowHandle()->isExposed()) continue;
        found = true;
        const QImage drawn = dialog->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage shown = GrabScreen(dialog->geometry());
        if (drawn.size() != shown.size()) continue;
        qint64 same = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                same += shown.pixel(x, y) == drawn.pixel(x, y);
        sameAsDrawn = static_cast<double>(same) / (static_cast<double>(shown.width()) * shown.height());
        if (sameAsDrawn <= 0.98)
            continue;
        EXPECT_EQ(Output("xdotool getwindowname " + std::to_string(dialog->winId())), caption);
        const QRect geometry = dialog->frameGeometry();
        const QPoint offCentre = geometry.center() - dialog->screen()->availableGeometry().center();
        EXPECT_LE(std::abs(offCentre.x()), 1) << "dialog at " << geometry.x() << "," << geometry.y();
        EXPECT_LE(std::abs(offCentre.y()), 1) << "dialog at " << geometry.x() << "," << geometry.y();
    }
    EXPECT_TRUE(found) << "no visible dialog " << caption;
    EXPECT_GT(sameAsDrawn, 0.98) << "the screen does not show the dialog's drawing";
}

} // namespace

TEST_F(ScreenTest, PropertiesDialogAppearsCentredWithItsCaption)
{
    ASSERT_TRUE(Start());
    Player().mnuP1Properties_Click();
    ExpectDialogShownCentred("Zelko Deck のﾌﾟﾛﾊﾟﾃｨ");
    // The main window is still shown beside the modeless dialog.
    EXPECT_TRUE(Player().Window().isVisible());
}

TEST_F(ScreenTest, AboutDialogAppearsCentredWithItsCaption)
{
    ASSERT_TRUE(Start());
    const char* const caption = "Zelko Deck のﾊﾞｰｼﾞｮﾝ情報";
    // The dialog is modal: it is looked at from inside its own event loop and
    // then closed. A second timer closes it in any case, so that the test
    // never waits for a user.
    QTimer::singleShot(0, [caption] {
        ExpectDialogShownCentred(caption);
        if (QDialog* dialog = VisibleDialogTitled(QString::fromUtf8(caption)))
            dialog->reject();
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    guard.start(8000);
    Player().mnuP1Version_Click();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the About dialog did not close";
}
