#pragma once
// Where the user guide is: the README and the documents rendered to one HTML
// page at build time. An installed program folder <prefix>/lib/zelko/ finds
// it as <prefix>/share/doc/zelko/user-guide.html; a build folder's program
// folder <build>/Zelko/ as <build>/doc/user-guide.html.
#include <QUrl>

#include <filesystem>
#include <optional>

namespace dialogs {

class UserGuide {
public:
    static constexpr const char* FileName = "user-guide.html";

    // The guide's file for a program folder (the folder of the running
    // executable), installed layout first; nothing when neither exists.
    [[nodiscard]] static std::optional<std::filesystem::path> Locate(const std::filesystem::path& programFolder);
    // The same as a file URL, or an empty URL.
    static QUrl UrlFor(const std::filesystem::path& programFolder);
};

} // namespace dialogs
