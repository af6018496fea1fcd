#include "player/dialogs/UserGuide.h"

#include <QString>

namespace dialogs {

std::optional<std::filesystem::path> UserGuide::Locate(const std::filesystem::path& programFolder)
{
    const std::filesystem::path candidates[] = {
        programFolder / ".." / ".." / "share" / "doc" / "zelko" / FileName,
        programFolder / ".." / "doc" / FileName,
    };
    for (const std::filesystem::path& candidate : candidates) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error))
            return std::filesystem::weakly_canonical(candidate, error);
    }
    return std::nullopt;
}

QUrl UserGuide::UrlFor(const std::filesystem::path& programFolder)
{
    const std::optional<std::filesystem::path> guide = Locate(programFolder);
    return guide ? QUrl::fromLocalFile(QString::fromStdString(guide->string())) : QUrl();
}

} // namespace dialogs
