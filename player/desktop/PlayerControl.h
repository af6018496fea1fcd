#pragma once
// What the desktop integration (MPRIS2 on the session bus, files handed over
// by a second start, the seek bar and volume gauge gestures, the seek keys)
// asks of the player: one small interface, so that all of them go through
// the same commands as the skin's buttons.
//
// User-interface thread only. Times in milliseconds, volume 0..100, play-list
// positions 1-based (0: none).
#include <cstdint>
#include <string>
#include <vector>

namespace desktop {

enum class PlaybackStatus { Stopped,
                            Playing,
                            Paused };

// What AddFiles does after adding.
enum class AddMode {
    Play,    // play the first file added
    Enqueue, // only add
};

// The current track as the play list knows it.
struct TrackSnapshot {
    int32_t position = 0; // in the play list, 0 when there is none
    std::string path;     // absolute, UTF-8
    std::string title;
    std::string artist;
    std::string album;
    int64_t lengthMs = 0;
    // The file:// URL of the cached copy of its embedded picture; empty without one.
    std::string artUrl;
    bool operator==(const TrackSnapshot&) const = default;
};

// Everything a remote control shows, at one moment.
struct PlayerSnapshot {
    PlaybackStatus status = PlaybackStatus::Stopped;
    bool repeat = false;
    bool shuffle = false;
    int32_t volume = 0;
    TrackSnapshot track;
    int32_t trackCount = 0;
    // Changes whenever the play list's content changes (the track ids depend on it).
    uint64_t listGeneration = 0;
    bool canGoNext = false;
    bool canGoPrevious = false;
    bool operator==(const PlayerSnapshot&) const = default;
};

class PlayerControl {
public:
    // Told of every change a snapshot would show, whatever caused it, and
    // of every seek (never of ordinary progress).
    class Observer {
    public:
        virtual ~Observer() = default;
        // Something may have changed: take a new snapshot (soon, not inside the call).
        virtual void StateMayHaveChanged() = 0;
        // The position was moved to this place.
        virtual void Seeked(int64_t positionMs) = 0;
    };

    virtual ~PlayerControl() = default;

    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void PlayPause() = 0;
    virtual void Stop() = 0;
    virtual void Next() = 0;
    virtual void Previous() = 0;
    // Moves the playing or paused track (clamped to it); nothing when stopped.
    virtual void SeekTo(int64_t ms) = 0;
    virtual void SeekBy(int64_t ms) = 0;
    virtual void SetVolume(int32_t volume) = 0;
    virtual void SetRepeat(bool on) = 0;
    virtual void SetShuffle(bool on) = 0;
    // MP3 files and folders (folders as the open-folder command reads them).
    virtual void AddFiles(const std::vector<std::string>& paths, AddMode mode) = 0;
    // Shows the window in front, also from minimised.
    virtual void Raise() = 0;
    // The normal shut-down: settings and list are saved.
    virtual void Quit() = 0;

    virtual PlayerSnapshot Snapshot() const = 0;
    // The position heard now; 0 when stopped.
    virtual int64_t PositionMs() const = 0;

    // At most one observer; nullptr removes it.
    virtual void SetObserver(Observer* observer) = 0;
};

} // namespace desktop
