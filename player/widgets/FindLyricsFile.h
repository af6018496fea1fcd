#pragma once
// The lookup of a track's lyrics file, run by the main window when a track
// starts. The lyrics folder is searched first, then the MP3 file's own folder;
// within each, the extensions are tried in the order of the lyrics-extension
// setting and the first existing file is handed to the decoder. A file the
// decoder refuses counts as absent, so the search next to the MP3 file still
// runs after a refused file in the lyrics folder.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace widgets {

// The extensions to try: {"txt"} when the setting is empty, else the setting
// split at ";" with blanks trimmed (empty pieces are dropped).
std::vector<std::string> LyricsExtensions(std::string_view lyricsExt);

// mp3Path: the track's full path (UTF-8, "/" or "\" separators); it must end
// in a four-character extension such as ".mp3" (shorter paths find nothing).
// lyricsExt, lyricsFolder: the application state's settings (the folder may
// end in a separator or not). handToDecoder receives an existing file's path
// and returns whether the decoder took it. Returns that answer for the file
// that was finally handed over, false when none was found or taken.
bool FindLyricsFile(std::string_view mp3Path, std::string_view lyricsExt,
                    std::string_view lyricsFolder,
                    const std::function<bool(const std::string&)>& handToDecoder);

} // namespace widgets
