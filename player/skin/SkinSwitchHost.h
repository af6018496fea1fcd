#pragma once
// What the skin menu and the skin change need from the main window.
#include <string>

namespace skin {

class SkinSwitchHost {
public:
    virtual ~SkinSwitchHost() = default;

    // The current skin (ClsZelko SkinPath and SkinFile).
    virtual std::string SkinPath() const = 0;
    virtual std::string SkinFile() const = 0;
    virtual void SetSkinPath(const std::string& path) = 0;
    virtual void SetSkinFile(const std::string& file) = 0;

    // Loads the skin named by SkinPath/SkinFile and, when it can be shown,
    // applies it (BuildSkinWindow, colours, widget rectangles, repaint) and
    // returns true. On false nothing has changed on screen.
    virtual bool ApplyCurrentSkin() = 0;

    // The play timer: paused around the menu's skin switches while a track
    // has been started (bPlay).
    virtual bool IsPlaying() const = 0;
    virtual void PausePlayTimer() = 0;
    virtual void ResumePlayTimer() = 0;

    // The folder dialog; "" when cancelled.
    virtual std::string ChooseSkinFolder(const std::string& title) = 0;

    // ClsZelko SkinWithMusic.
    virtual void SetSkinWithMusic(bool on) = 0;
};

} // namespace skin
