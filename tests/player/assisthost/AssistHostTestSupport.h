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

// Lives until the process ends: Qt does not survive its destruction among the statics.
inline QApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "test_player_assisthost";
    static char* argv[] = {name, nullptr};
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *existing;
    return *new QApplication(argc, argv);
}

// Records every call by name.
class FakePlayer : public assisthost::AssistHostPlayer {
public:
    std::vector<std::string> Calls;
    protocol::PlayStateRecord State;
    std::int32_t Decoder = 1;
    bool Minimized = false;
    assisthost::ClsZelkoAssistHost* Host = nullptr;

    void cButtonAction_PlayClick() override { Calls.push_back("Play"); }
    void cButtonAction_PauseClick() override { Calls.push_back("Pause"); }
    void cButtonAction_StopClick() override { Calls.push_back("Stop"); }
    void cButtonAction_PTrackClick() override { Calls.push_back("PTrack"); }
    void cButtonAction_NTrackClick() override { Calls.push_back("NTrack"); }
    void cButtonAction_RepeatClick() override { Calls.push_back("Repeat"); }
    void cButtonAction_ShuffleClick() override { Calls.push_back("Shuffle"); }
    bool IsMinimized() const override { return Minimized; }
    bool IsNormalState() const override { return !Minimized; }
    void MinimizeWindow() override
    {
        Calls.push_back("Minimize");
        Minimized = true;
    }
    void RestoreWindow() override
    {
        Calls.push_back("Restore");
        Minimized = false;
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
};

} // namespace testsupport
