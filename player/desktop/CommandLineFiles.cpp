#include "player/desktop/CommandLineFiles.h"

#include <QUrl>

#include <filesystem>
#include <optional>

namespace desktop {

namespace {

namespace fs = std::filesystem;

std::optional<std::string> ExistingPath(const std::string& argument, const std::string& workingFolder)
{
    if (argument.empty())
        return std::nullopt;
    fs::path path;
    if (argument.starts_with("file:")) {
        const QUrl url(QString::fromStdString(argument));
        if (!url.isLocalFile())
            return std::nullopt;
        path = url.toLocalFile().toStdString();
    } else {
        path = argument;
        if (path.is_relative())
            path = fs::path(workingFolder) / path;
    }
    std::error_code ec;
    if (!fs::exists(path, ec))
        return std::nullopt;
    return path.lexically_normal().string();
}

} // namespace

CommandLineFiles SplitCommandLine(const std::vector<std::string>& arguments, const std::string& workingFolder)
{
    CommandLineFiles result;
    for (const std::string& argument : arguments) {
        if (const auto path = ExistingPath(argument, workingFolder))
            result.files.push_back(*path);
        else if (argument == "--enqueue")
            result.mode = AddMode::Enqueue;
        else
            result.remaining.push_back(argument);
    }
    return result;
}

std::string JoinArguments(const std::vector<std::string>& arguments)
{
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty())
            line += ' ';
        line += argument;
    }
    return line;
}

} // namespace desktop
