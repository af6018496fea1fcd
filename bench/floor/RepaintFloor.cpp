// A bare Qt widget program that repaints a 180x40 area every 10 ms through
// QWidget::update.
#include "FloorWindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    FloorWindow window(FloorWork::Repaint);
    window.show();
    return app.exec();
}
