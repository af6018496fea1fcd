// Plays one MP3 over and over for a given time through the decoder library,
// with the output ZELKO_AUDIO names, and nothing else: the load it puts on a
// sound server is the load of the player's stream. Built by
// bench/decoder/stream-cpu.sh against the decoder sources of two commits.
//
// Usage: PlayFor FILE SECONDS
#include "decoder/Decoder.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: PlayFor FILE SECONDS\n");
        return 2;
    }
    const std::string path = argv[1];
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[2]));
    decoder::Decoder dec;
    dec.dec_init();
    decoder::TrackOpenRecord record{};
    if (!dec.dec_open(path, record)) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        return 1;
    }
    dec.dec_play();
    // The player polls the decoder every 10 ms; this program polls too, far
    // more rarely, so that its own wake-ups stay out of the picture.
    while (std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        if (dec.dec_getState() == 0)
            dec.dec_play();
    }
    std::printf("%s\n", dec.OutputName().c_str());
    dec.dec_free();
    return 0;
}
