#pragma once
// The player seen through the desktop integration's one interface: the
// remote commands (MPRIS2, a second start) and the seek bar, volume gauge and
// seek-key gestures, each turned into the main window's own commands (the
// same handlers its buttons run) or the transport's, plus the snapshot a
// remote control shows. It observes the transport, so a change from any
// source (skin, keys, assists, the bus itself) reaches the remote control.
//
// A thin adapter: it holds no player state but the play list's generation
// and the tags of the current track, read once per track (its embedded
// picture then stored in the cover cache, see CoverArtCache).
// User-interface thread only; lives shorter than the window it adapts.
#include "platform/WindowMessages.h"
#include "player/desktop/CoverArtCache.h"
#include "player/desktop/DesktopInput.h"
#include "player/desktop/PlayerControl.h"
#include "player/playback/Transport.h"
#include "player/widgets/GaugeControls.h"

#include <string>
#include <vector>

class frmZelko;

class FormPlayerControl : public desktop::PlayerControl,
                          public desktop::DesktopInput,
                          private playback::TransportObserver,
                          private widgets::GaugeControls::Host {
public:
    // Hands itself to the window as its desktop input; the destructor takes it back.
    explicit FormPlayerControl(frmZelko& form);
    ~FormPlayerControl() override;
    FormPlayerControl(const FormPlayerControl&) = delete;
    FormPlayerControl& operator=(const FormPlayerControl&) = delete;

    // desktop::PlayerControl
    void Play() override;
    void Pause() override;
    void PlayPause() override;
    void Stop() override;
    void Next() override;
    void Previous() override;
    void SeekTo(int64_t ms) override;
    void SeekBy(int64_t ms) override;
    void SetVolume(int32_t volume) override;
    void SetRepeat(bool on) override;
    void SetShuffle(bool on) override;
    void AddFiles(const std::vector<std::string>& paths, desktop::AddMode mode) override;
    void Raise() override;
    void Quit() override;
    desktop::PlayerSnapshot Snapshot() const override;
    int64_t PositionMs() const override;
    void SetObserver(Observer* observer) override { m_observer = observer; }

    // desktop::DesktopInput
    bool MouseDown(skin::MouseButton button, int32_t x, int32_t y) override;
    void MouseMove(skin::MouseButtons buttons, int32_t x, int32_t y) override;
    bool MouseUp(skin::MouseButton button, int32_t x, int32_t y) override;
    bool Wheel(int32_t delta, int32_t x, int32_t y) override;
    void SeekKey(int32_t ms) override { SeekBy(ms); }
    std::optional<int32_t> SeekBarPercent() const override { return m_gauges.SeekBarPercent(); }
    void StateMayHaveChanged() override;

private:
    // TransportObserver: every change may change what a remote control shows.
    void FlagChanged(playback::PlayFlag) override { StateMayHaveChanged(); }
    void TrackOpened(const playback::ClsZelkoMp3File&, std::int32_t) override { StateMayHaveChanged(); }
    void TrackCannotPlay(const playback::ClsZelkoMp3File&) override { StateMayHaveChanged(); }
    void VolumeChanged(playback::VolumeCause) override { StateMayHaveChanged(); }
    void Happened(playback::TransportEvent event) override;
    void ListChanged() override { StateMayHaveChanged(); }

    // GaugeControls::Host
    void SeekToFraction(double fraction) override;
    void SeekStep(int32_t ms) override { SeekBy(static_cast<int64_t>(ms)); }
    int32_t CurrentVolume() const override;
    bool CanSeek() const override;

    // The MP3 files named by the paths: folders listed as the open-folder
    // command lists them, play lists read, other files taken as they are.
    std::vector<std::string> ExpandPaths(const std::vector<std::string>& paths) const;

    frmZelko& m_form;
    widgets::GaugeControls m_gauges;
    // The player window's procedure before the hand-over one, put back at the end.
    platform::WindowProcedure m_previousBaseProcedure;
    Observer* m_observer = nullptr;
    // The list's paths when last looked at, and a number that changes with them.
    mutable std::vector<std::string> m_listPaths;
    mutable uint64_t m_listGeneration = 0;
    // Tags of the current track, read once per path.
    mutable std::string m_tagsPath;
    mutable std::string m_title;
    mutable std::string m_artist;
    mutable std::string m_album;
    // Where the current track's embedded picture was stored; empty without one.
    mutable std::string m_artUrl;
    desktop::CoverArtCache m_art;
};
