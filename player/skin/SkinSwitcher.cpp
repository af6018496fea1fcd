#include "player/skin/SkinSwitcher.h"

namespace skin {

namespace SkinSwitcher {

bool SwitchTo(SkinSwitchHost& host, const std::string& path, const std::string& file)
{
    const std::string previousPath = host.SkinPath();
    const std::string previousFile = host.SkinFile();
    host.SetSkinPath(path);
    host.SetSkinFile(file);
    if (host.ApplyCurrentSkin()) return true;
    // The skin in force stays; so does its name.
    host.SetSkinPath(previousPath);
    host.SetSkinFile(previousFile);
    return false;
}

} // namespace SkinSwitcher

} // namespace skin
