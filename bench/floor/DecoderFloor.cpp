// The timer floor plus the player's decoder: a bare Qt widget program whose
// 10-ms precise timer polls a playing track the way the play loop does
// (state, position, spectrum, lyrics) and draws nothing. Against the timer
// floor it shows what decoding and feeding the sound server cost; against
// the player, what the skin window and the rest of the player add.
//
// Usage: floor_decoder FILE.mp3
#include "FloorWindow.h"
#include "decoder/Decoder.h"

#include <QApplication>

#include <array>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    decoder::Decoder decoder;
    decoder.dec_init();
    decoder::TrackOpenRecord opened{};
    if (!decoder.dec_open(argv[1], opened))
        return 1;
    decoder.dec_play();
    std::array<int32_t, 256> left{};
    std::array<int32_t, 256> right{};
    decoder::LyricsRecord lyrics{};
    FloorWindow window(FloorWork::Nothing, [&] {
        (void)decoder.dec_getState();
        (void)decoder.dec_getPlayMs();
        decoder.dec_getSpectrum(left, right);
        decoder.dec_getLyrics(lyrics);
    });
    window.show();
    const int result = app.exec();
    decoder.dec_stop();
    decoder.dec_close();
    decoder.dec_free();
    return result;
}
