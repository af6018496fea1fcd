#pragma once
// One entry of the skin catalogue: a folder under the program's Skins folder.
#include <string>

namespace skin {

struct ClsZelkoSkin {
    int MenuIndex = 0;     // index of its menu item
    std::string SkinPath;  // AppPath + "Skins/" + folder name + "/"
    std::string SkinFile;  // the *.zks file in it (the last by name), empty when none
    bool Selected = false; // this entry is the current skin
    std::string Caption;   // the folder name, also the catalogue key
};

} // namespace skin
