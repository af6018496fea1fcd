#pragma once
// The eight pictures of a skin, loaded from the skin folder (stem.bmp, else
// stem.jpg). A picture that was not loaded is a null QImage. Loaded pictures
// are in QImage::Format_RGB32, the format the drawing surface copies from.
#include <QImage>

namespace skin {

struct SkinPictures {
    QImage picBody;         // window background, in window client coordinates
    QImage picSysButtons;   // close, minimise, open, drawer pulls, play-list scroll
    QImage picPlayButtons;  // transport buttons
    QImage picTitle;        // title box, digits, gauges, volume buttons, analyser, peak marker
    QImage picLyricsShow;   // lyrics drawer pulled out
    QImage picLyricsHide;   // lyrics drawer pushed back (optional)
    QImage picPlayListShow; // play-list drawer pulled out
    QImage picPlayListHide; // play-list drawer pushed back (optional)
};

} // namespace skin
