#pragma once
// Loading a skin: parse its file, make the hot areas disjoint, load its
// pictures, and check that it can be shown. A skin that cannot be shown (no
// body-main, a required picture missing) is rejected as a whole, so that the
// caller keeps the skin it has.
#include "player/skin/Skin.h"
#include "player/skin/SkinFile.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

// Makes hot areas disjoint: for each region A not named body-*, in collection
// order, and each later region B not named body-*, A loses what it shares
// with B. So where a skin lets two overlap, the later one keeps the overlap.
void SeparateSkinRegions(SkinRegions& coRgns);

// Loads the eight pictures from skinPath (stem.bmp preferred over stem.jpg).
// Body, SysButtons, PlayButtons and Title are required; LyricsShow and
// PlayListShow are required when the skin has body-lyricsshow or
// body-playlistshow; the hide pictures are optional (and only loaded when the
// drawer exists). Each required picture that is missing or unreadable adds a
// problem; the result is complete only when no problem was added.
SkinPictures LoadSkinPictures(const std::string& skinPath, const SkinRegions& coRgns,
                              std::vector<SkinProblem>& problems);

// The file a picture stem resolves to ("" when neither .bmp nor .jpg exists).
// Letter case of the stem and extension is not significant on disk.
std::string FindSkinPicture(const std::string& skinPath, std::string_view stem);

struct SkinLoadResult {
    bool fileFound = false;            // the skin file exists and was read
    std::optional<Skin> skin;          // set when the skin can be shown
    std::vector<SkinProblem> problems; // every skipped line and every reason for rejection
    std::optional<SkinProblem> reason; // the first reason for rejection; set exactly when skin is not
};

// One line saying why a skin was rejected, for the run log and the terminal:
// "skin <folder> not loaded: <file>[:<line>]: <reason>", followed by the
// first line the parser skipped when there was one (often the cause of a
// missing body-main). Empty when the skin was loaded.
std::string SkinFailureText(const std::string& skinPath, const SkinLoadResult& result);

// Parses skinPath + skinFile, separates its regions and loads its pictures.
// The run log receives "- <path> -" after the file was read, and one line per
// problem ("<file>(<line>): <message>").
[[nodiscard]] SkinLoadResult LoadSkin(const std::string& skinPath, const std::string& skinFile,
                                      const std::function<void(const std::string&)>& writeRunLog = {});

} // namespace skin
