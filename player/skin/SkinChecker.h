#pragma once
// The skin checker behind "Zelko --check-skin FOLDER": loads the skin in
// FOLDER (its last *.zks by name) exactly as the player would and prints
// every problem with file and line, then a summary line.
#include <ostream>
#include <string>

namespace skin {

// Returns 0 when the skin has no problem, 1 when it has any (or no skin
// file), for use as the program's exit code.
int RunSkinCheck(const std::string& folder, std::ostream& out);

} // namespace skin
