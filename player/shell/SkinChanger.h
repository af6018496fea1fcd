#pragma once
// The player's side of every change of skin. As the SkinSwitchHost of the
// skin menu, the next-skin key and the skin that changes with the music, it
// keeps the current skin's name in the settings, applies the skin through the
// view and pauses the play loop around a switch. It also chooses the skin
// shown at start-up and applies a dropped skin file; both go through
// SkinSwitcher, so a skin that cannot be shown leaves the one on screen and
// its name in the settings.
//
// Everything given must outlive the changer. User-interface thread only.
#include "player/skin/SkinSwitchHost.h"

#include <functional>
#include <string>

namespace skin {
class SkinCatalogue;
}
namespace playback {
class Transport;
}

namespace shell {

class ClsZelko;
class PlayLoop;
class PlayerView;
struct UserDialogs;

class SkinChanger : public skin::SkinSwitchHost {
public:
    struct Parts {
        ClsZelko& app;
        PlayerView& view;
        PlayLoop& loop;
        const playback::Transport& transport;
        skin::SkinCatalogue& catalogue;
        const UserDialogs& dialogs;
    };
    // processEvents runs the pending events while the play timer is paused;
    // ended tells whether the player has shut down meanwhile (a message box
    // lets a signal end it).
    SkinChanger(Parts parts, std::function<void()> processEvents, std::function<bool()> ended);

    // The skin at start-up: the configured one, else the first catalogue skin
    // that can be shown. A configured skin that cannot be read, and having no
    // skin at all, are shown to the user as errorText. False when no skin
    // could be applied or the player ended meanwhile.
    [[nodiscard]] bool ApplyStartSkin(const std::string& errorText);
    // A dropped skin file, given by its full path.
    void ApplyDroppedSkin(const std::string& path);
    // The catalogue's next skin that can be shown.
    void NextSkin();

    // SkinSwitchHost
    std::string SkinPath() const override;
    std::string SkinFile() const override;
    void SetSkinPath(const std::string& path) override;
    void SetSkinFile(const std::string& file) override;
    bool ApplyCurrentSkin() override;
    bool IsPlaying() const override;
    void PausePlayTimer() override;
    void ResumePlayTimer() override;
    std::string ChooseSkinFolder(const std::string& title) override;
    void SetSkinWithMusic(bool on) override;

private:
    Parts m_parts;
    std::function<void()> m_processEvents;
    std::function<bool()> m_ended;
};

} // namespace shell
