#pragma once
// The product's picture and icon, drawn with QPainter so that the program
// ships no image files of its own for them. Both are drawn into ARGB images,
// which needs no window system (the offscreen platform will do), and depend
// only on their size: the same size gives the same pixels.
#include <QImage>
#include <QSize>

namespace dialogs::ProductArt {

// The wide banner of the About dialog's version page: a disc with a tone arm,
// spectrum bars and the application's title on a dark blue ground.
QImage Picture(QSize size);

// The square product icon: a disc on a rounded tile with a note on it.
// Also used as the dialogs' window icon.
QImage Icon(int side);

} // namespace dialogs::ProductArt
