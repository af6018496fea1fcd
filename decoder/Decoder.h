#pragma once
// The decoder library: MP3 decoding and sound output, volume, spectrum, tag
// reading and lyrics timing, behind the dec_ operations the player calls.
//
// One instance is owned by the player's main window and lives from start-up
// to shut-down. Calls, in the order the player makes them:
//   dec_init; dec_setEqualizer(0), dec_setKaraokeUse(1), dec_useAtMarkTag(1),
//   dec_setLyricsNextAdjustTime(50); dec_setVolume at any time;
//   per track: dec_open, dec_setLyricsFile, dec_play, polls (dec_getState,
//   dec_getPlayMs, dec_getSpectrum, dec_getLyrics), dec_pause / dec_restart,
//   dec_stop, dec_close; at the end dec_free.
// dec_getFileInfo may be called at any time, also while a track plays.
//
// Threads: every dec_ operation must be called from one thread (the user
// interface thread) and returns at once; none waits for the sound device or
// for decoding. Decoding and output run on the library's own thread, started
// by dec_init and ended by dec_free (or the destructor).
//
// Units: times in milliseconds, volume 0..100 per channel, lengths in whole
// seconds rounded down. Paths are UTF-8. Texts in the records are ANSI (the
// locale's character set), NUL-padded and cut at a character boundary.
//
// Sound output: the environment variable ZELKO_AUDIO chooses it when the
// instance is created: "auto" (default: the PulseAudio server, or silence
// paced in real time when none answers, with one line on stderr), "pulse",
// "null", or "wav:PATH" (each track is written to PATH as 16-bit PCM, paced in
// real time). A sound server that goes away while a track plays is replaced
// by the silent output, and the track goes on.
#include "decoder/DecoderRecords.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace decoder {

class PlaybackEngine;
class LyricsTimeline;
class Mp3Source;

// How an instance produces sound. The default reads ZELKO_AUDIO.
struct DecoderOptions {
    // "auto", "pulse", "null" or "wav:PATH"; empty means: read ZELKO_AUDIO.
    std::string Audio;
    // Speed of the clock that paces the null and WAV outputs: 1 is real time.
    // Tests use a faster clock to play long files quickly.
    double ClockSpeed = 1.0;
};

class Decoder {
public:
    Decoder();
    explicit Decoder(DecoderOptions options);
    ~Decoder();
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    // Starts the playback thread and connects to the sound output (in the
    // background). Further calls before dec_free do nothing.
    void dec_init();
    // Stops and closes any track and ends the playback thread. The instance
    // may be initialised again afterwards. The one call that waits: for the
    // playback thread to finish, which takes milliseconds, or up to 1.5 s
    // when it is still waiting for a sound server that does not answer.
    void dec_free();

    // 0 is a flat response, the only one there is; other values are ignored.
    void dec_setEqualizer(int32_t preset);
    // 1 (the default): lyrics follow the play position. 0: dec_getLyrics
    // reports no current line (-1) and only the first lines to come.
    void dec_setKaraokeUse(int32_t use);
    // 1: lines of a lyrics file that begin with "@" are tags (@Title=...,
    // @Artist=..., @Album=..., @Offset=ms), never lyrics. 0 (the default):
    // they are ordinary text.
    void dec_useAtMarkTag(int32_t use);
    // A lyric line becomes current this many milliseconds before its time tag
    // (default 0; negative values count as 0).
    void dec_setLyricsNextAdjustTime(int32_t ms);

    // Volume of each channel, clamped to 0..100: 0 silence, 100 unity gain,
    // perceptually even between (see VolumeCurve). Acts at once on a sound
    // server (the stream's volume there); the null and WAV outputs apply it
    // to the sound queued from now on.
    void dec_setVolume(int32_t left, int32_t right);

    // Reads the tags and length of an MP3 file without decoding it. Returns
    // false, with both records zero-filled, when the file cannot be read as
    // MP3. Fields without a tag stay empty.
    bool dec_getFileInfo(const std::string& path, FileTagRecord& tags, FileInfoRecord& info);

    // Loads and times a lyrics file (LRC-style timed text, UTF-8 or CP932).
    // True when it has at least one timed line; otherwise no lyrics are
    // loaded. The lyrics stay until the next call or dec_free, whatever track
    // plays.
    bool dec_setLyricsFile(const std::string& path);

    // Opens a track, closing any open one first. False (record zero-filled)
    // when the file cannot be opened or holds no MPEG audio. Does not start
    // playback.
    bool dec_open(const std::string& path, TrackOpenRecord& record);

    // Starts the open track from its beginning (nothing without one);
    // initialises the instance first when dec_init was not called.
    void dec_play();
    // Pauses a playing track; the position freezes at once.
    void dec_pause();
    // Resumes a paused track.
    void dec_restart();
    // Moves a playing or paused track to ms from its start, clamped to the
    // track, exact to the sample in constant and variable bit rate files
    // alike. The position, spectrum and lyrics follow at once; the sound
    // queued in the output is dropped, so the new place is heard within the
    // output's start-up time. A paused track stays paused. Nothing when no
    // track plays (none open, stopped, or played to its end). Seeking to the
    // end ends the track as playing to its end does.
    void dec_seek(int32_t ms);
    // Stops playback; the track stays open and the position returns to 0.
    void dec_stop();
    // Stops and releases the open track.
    void dec_close();

    // The four queries below are the play loop's, a hundred times a second.
    // They and what they call are defined [[gnu::hot]], so that the linker
    // puts them side by side: a tick, whose caches are cold, then touches one
    // or two pages of the decoder's code instead of one per source file
    // (about 1.3 us a tick less, timed in the running player).

    // 0 nothing playing (no track, stopped, or played to its end), 1 playing,
    // 2 paused. The out value receives the same number.
    int32_t dec_getState(int32_t& state);
    int32_t dec_getState();

    // The position, in ms from the start of the track, of the sample the
    // listener hears now (the output's latency taken into account). Frozen
    // while paused; the track's length after it played to its end; 0 when
    // stopped.
    int32_t dec_getPlayMs();

    // The spectrum of the sound heard now, for the left and the right
    // channel (a mono track gives the same values twice): a Hann-windowed
    // 512-point FFT of the latest 512 samples heard, before the volume is
    // applied. Value k belongs to frequency k * rate / 512. Scale: 2 per dB
    // with a full-scale sine at 160 (each 20 dB less, 40 less), clamped to
    // 0..200, so -80 dBFS and silence give 0. All zero when nothing plays.
    void dec_getSpectrum(std::span<int32_t, 256> left, std::span<int32_t, 256> right);

    // The lyric lines around the play position (see LyricsRecord). With no
    // lyrics loaded: LineCount 0, CurrentLine, CurrentMs and NextMs -1, and
    // empty texts.
    void dec_getLyrics(LyricsRecord& record);

    // The output in use ("pulse", "null" or "wav"); empty before dec_init
    // has connected. For diagnostics and tests.
    std::string OutputName() const;

private:
    void CloseTrack();

    DecoderOptions m_options;
    std::unique_ptr<PlaybackEngine> m_engine;
    std::unique_ptr<LyricsTimeline> m_lyrics;
    std::shared_ptr<Mp3Source> m_track;
    bool m_karaokeUse = true;
    bool m_atMarkTags = false;
    int32_t m_nextAdjustMs = 0;
    int32_t m_volumeLeft = 100;
    int32_t m_volumeRight = 100;
};

} // namespace decoder
