#include "player/shell/SkinChanger.h"

#include "player/playback/Transport.h"
#include "player/shell/ClsZelko.h"
#include "player/shell/PlayLoop.h"
#include "player/shell/PlayerView.h"
#include "player/shell/UserDialogs.h"
#include "player/skin/SkinCatalogue.h"
#include "player/skin/SkinSwitcher.h"

namespace shell {

SkinChanger::SkinChanger(Parts parts, std::function<void()> processEvents, std::function<bool()> ended)
    : m_parts(parts)
    , m_processEvents(std::move(processEvents))
    , m_ended(std::move(ended))
{}

bool SkinChanger::ApplyStartSkin(const std::string& errorText)
{
    ClsZelko& app = m_parts.app;
    skin::SkinCatalogue& catalogue = m_parts.catalogue;
    const bool configured = !app.SkinPath().empty() || !app.SkinFile().empty();
    if (configured) {
        if (ApplyCurrentSkin()) {
            catalogue.MarkSelectedSkin(app.SkinPath());
            return true;
        }
        // A configured skin that can no longer be read: say so, then go on
        // with the first catalogue skin that can be shown.
        if (m_ended())
            return false;
        m_parts.dialogs.showSkinError(errorText);
        // A signal may have ended the player while the message was shown.
        if (m_ended())
            return false;
    }
    // Nothing that can be shown leaves the settings with the entry they had.
    for (const skin::ClsZelkoSkin& entry : catalogue.coSkins()) {
        if (entry.SkinPath.empty() || entry.SkinFile.empty())
            continue;
        if (skin::SkinSwitcher::SwitchTo(*this, entry.SkinPath, entry.SkinFile)) {
            catalogue.MarkSelectedSkin(app.SkinPath());
            return true;
        }
    }
    // Without any skin at all (an empty Skins folder, nothing configured) the
    // user is told so too.
    if (!configured && !m_ended())
        m_parts.dialogs.showSkinError(errorText);
    return false;
}

void SkinChanger::ApplyDroppedSkin(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    // On failure the skin on screen stays; so does its entry in the settings.
    (void)skin::SkinSwitcher::SwitchTo(*this, slash == std::string::npos ? std::string() : path.substr(0, slash + 1),
                                       slash == std::string::npos ? path : path.substr(slash + 1));
    m_parts.catalogue.MarkSelectedSkin(m_parts.app.SkinPath());
}

void SkinChanger::NextSkin()
{
    m_parts.catalogue.NextSkin(*this);
}

std::string SkinChanger::SkinPath() const
{
    return m_parts.app.SkinPath();
}
std::string SkinChanger::SkinFile() const
{
    return m_parts.app.SkinFile();
}
void SkinChanger::SetSkinPath(const std::string& path)
{
    m_parts.app.SetSkinPath(path);
}
void SkinChanger::SetSkinFile(const std::string& file)
{
    m_parts.app.SetSkinFile(file);
}
bool SkinChanger::ApplyCurrentSkin()
{
    return m_parts.view.ApplyCurrentSkin();
}
bool SkinChanger::IsPlaying() const
{
    return m_parts.transport.bPlay();
}

void SkinChanger::PausePlayTimer()
{
    m_parts.loop.StopTimer();
    m_processEvents();
}

void SkinChanger::ResumePlayTimer()
{
    m_parts.loop.StartTimer();
}
std::string SkinChanger::ChooseSkinFolder(const std::string& title)
{
    return m_parts.dialogs.chooseFolder(title);
}
void SkinChanger::SetSkinWithMusic(bool on)
{
    m_parts.app.SetSkinWithMusic(on);
}

} // namespace shell
