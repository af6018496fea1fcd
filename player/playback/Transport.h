#pragma once
// The transport: the play state (one PlayState value), the play list
// (coMp3Files), its play order and the commands that change them: Play,
// Pause, Stop, Next, Previous, the two modes, the volume and the end of a
// track. It is the only user of the decoder's transport operations (open,
// play, pause, restart, stop, close, volume, lyrics file).
//
// Transport draws nothing and sends nothing: it tells its observers what
// changed, in the order they were added, after its own state has changed. The
// main window redraws, the play loop starts and stops its timer, the assist
// broadcaster tells the assists. Observers point one way: they know the
// transport; it knows only TransportObserver.
//
// Everything runs on the user-interface thread. Volumes are 0..100 (both
// channels); track numbers are 1-based, 0 meaning none.
#include "player/playback/Mp3FileList.h"
#include "player/playback/PlayState.h"
#include "player/playback/ShuffleOrder.h"

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace decoder {
class Decoder;
}

namespace playback {

enum class PlayFlag { Play,
                      Pause,
                      Stop,
                      Repeat,
                      Shuffle };

// Who asked for a volume; observers decide from it what to redraw and whom to tell.
enum class VolumeCause { Settings,
                         Properties,
                         PlusButton,
                         MinusButton,
                         Assist,
                         Remote };

// A command that took effect, for observers that announce it.
enum class TransportEvent { Started,
                            PauseToggled,
                            Stopped,
                            RepeatToggled,
                            ShuffleToggled,
                            Seeked };

class TransportObserver {
public:
    virtual ~TransportObserver() = default;
    // One flag of the play state changed.
    virtual void FlagChanged(PlayFlag) {}
    // The current track has been opened and is about to play; totalMs is its
    // length as the decoder reads it.
    virtual void TrackOpened(const ClsZelkoMp3File&, std::int32_t /*totalMs*/) {}
    // The current track could not be opened: the player stays started without sound.
    virtual void TrackCannotPlay(const ClsZelkoMp3File&) {}
    virtual void VolumeChanged(VolumeCause) {}
    virtual void Happened(TransportEvent) {}
    // The current track number or the list changed (the list box redraws).
    virtual void ListChanged() {}
};

class Transport {
public:
    // The decoder must outlive the transport. seed seeds the shuffle generator.
    Transport(decoder::Decoder& decoder, std::uint32_t seed);
    Transport(const Transport&) = delete;
    Transport& operator=(const Transport&) = delete;

    void AddObserver(TransportObserver& observer);
    void RemoveObserver(TransportObserver& observer);

    const PlayState& State() const { return m_state; }
    bool bPlay() const { return m_state.bPlay; }
    bool bPause() const { return m_state.bPause; }
    bool bStop() const { return m_state.bStop; }
    bool bRepeat() const { return m_state.bRepeat; }
    bool bShuffle() const { return m_state.bShuffle; }
    std::int32_t Volume() const { return m_state.Volume; }
    std::int32_t PlayPosition() const { return m_state.PlayPosition; }
    const Mp3FileList& coMp3Files() const { return m_mp3Files; }
    const ShuffleOrder& PlayOrder() const { return m_shuffleOrder; }

    // Reads the decoder's state into the play state and returns it.
    playback::DecoderState ReadDecoderState();

    // The commands of the skin's buttons (cButtonAction_*Click).
    void Play();
    void Pause();
    void Stop();
    void Next();
    void Previous();
    void ToggleRepeat();
    void ToggleShuffle();
    // Plays track trackPosition (a double click in the list); unknown numbers do nothing.
    void PlayTrack(std::int32_t trackPosition);
    // Marks the play state stopped without touching the decoder (the close button).
    void MarkStopped();

    // The modes and the volume set from the settings or the Properties dialog.
    void SetRepeat(bool on);
    void SetShuffle(bool on);
    // Stores volume clamped to 0..100 and applies it to both channels.
    void SetVolume(std::int32_t volume, VolumeCause cause);
    void SetPlayPosition(std::int32_t trackPosition);
    // Moves the open track to ms (clamped by the decoder to the track) while it
    // plays or is paused, and tells Happened(Seeked); does nothing when stopped.
    void Seek(std::int32_t ms);

    // The end of the current track, seen by the play loop: the stop sequence,
    // then the next track of the order becomes current. When it is to start,
    // beforeNextTrack runs first (the skin that changes with the music).
    void EndOfTrack(const std::function<void()>& beforeNextTrack);

    // The play list. AppendMp3Files reads each file once for its names and
    // length; FinishAddition then makes track 1 current when none was and
    // rebuilds the play order. AddMp3Files does both.
    void AppendMp3Files(const std::vector<std::string>& paths);
    void FinishAddition();
    void AddMp3Files(const std::vector<std::string>& paths)
    {
        AppendMp3Files(paths);
        FinishAddition();
    }
    // Empties the list and its order; no track is current.
    void ClearMp3Files();
    // The same without telling observers and keeping the track number (shut-down).
    void ForgetMp3Files();
    void ShuffleMp3Files();
    std::int32_t GetNextPlayPosition() const;
    std::int32_t GetPrevPlayPosition() const;

    // Loads the lyrics file of the current track (false when it cannot be read).
    bool SetLyricsFile(const std::string& path);

    // Start-up and shut-down of the decoder. Restore sets the modes and the
    // volume read from the settings without telling observers.
    void InitDecoder();
    void Restore(bool repeat, bool shuffle, std::int32_t volume);
    void FreeDecoder();

private:
    void SetFlag(PlayFlag flag, bool value);
    void SetStoppedSituation();
    void StopSequence();
    void AddMp3File(const std::string& path);
    template <typename Call>
    void Tell(Call call);

    decoder::Decoder& m_decoder;
    PlayState m_state;
    Mp3FileList m_mp3Files;
    ShuffleOrder m_shuffleOrder;
    std::mt19937 m_random;
    std::vector<TransportObserver*> m_observers;
};

} // namespace playback
