#pragma once
// A player stand-in for the assist host, and the Qt application the host's
// menu needs.
#include <QApplication>

#include <memory>
#include <string>
#include <vector>

#include "player/assisthost/AssistHostPlayer.h"
#include "player/assisthost/ClsZelkoAssistHost.h"
#include "protocol/CommandWords.h"

namespace testsupport {

// The application lives until the process ends (never destroyed during
// static destruction, which Qt does not survive); an existing one is reused.
inline QApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "test_player_assisthost";
    static char* argv[] = {name, nullptr};
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *existing;
    return *new QApplication(argc, argv);
}

// Records every call; the transport handlers announce like the player's do.
class FakePlayer : public assisthost::AssistHostPlayer {
public:
    std::vector<std::string> Calls;
    protocol::PlayStateRecord State;
    std::int32_t Decoder = 1;
    bool Minimized = false;
    bool Normal = true;
    assisthost::ClsZelkoAssistHost* Host = nullptr;

    void cButtonAction_PlayClick() override { Record("Play", protocol::NotifyPlay); }
    void cButtonAction_PauseClick() override { Record("Pause", protocol::NotifyPause); }
    void cButtonAction_StopClick() override { Record("Stop", protocol::NotifyStop); }
    void cButtonAction_PTrackClick() override { Calls.push_back("PTrack"); }
    void cButtonAction_NTrackClick() override { Calls.push_back("NTrack"); }
    void cButtonAction_RepeatClick() override { Record("Repeat", protocol::NotifyRepeat); }
    void cButtonAction_ShuffleClick() override { Record("Shuffle", protocol::NotifyShuffle); }
    bool IsMinimized() const override { return Minimized; }
    bool IsNormalState() const override { return Normal; }
    void MinimizeWindow() override
    {
        Calls.push_back("Minimize");
        Minimized = true;
        Normal = false;
    }
    void RestoreWindow() override
    {
        Calls.push_back("Restore");
        Minimized = false;
        Normal = true;
    }
    protocol::PlayStateRecord CurrentPlayState() const override { return State; }
    std::int32_t DecoderState() override
    {
        State.DecoderState = Decoder;
        return Decoder;
    }
    // Like the player: stores the volume, then the assists are told.
    void ApplyVolumeFromAssist(std::int32_t volume) override
    {
        Calls.push_back("Volume " + std::to_string(volume));
        State.Volume = volume;
        if (Host)
            Host->NotifyVolume();
    }
    void SetAnalyzeProc(bool on) override { Calls.push_back(on ? "AnalyzeOn" : "AnalyzeOff"); }
    void ClearAnalyzer() override { Calls.push_back("ClearAnalyzer"); }

private:
    void Record(const char* name, std::uint32_t code)
    {
        Calls.push_back(name);
        if (Host)
            Host->NotifyAssists(code);
    }
};

} // namespace testsupport
