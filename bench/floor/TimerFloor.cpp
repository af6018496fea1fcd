// A bare Qt widget program whose 10-ms precise timer does nothing.
#include "FloorWindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    FloorWindow window(FloorWork::Nothing);
    window.show();
    return app.exec();
}
