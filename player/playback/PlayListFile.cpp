#include "player/playback/PlayListFile.h"

#include "platform/CodePage.h"
#include "platform/AtomicFile.h"

#include <fstream>
#include <sstream>

#include <sys/stat.h>

namespace playback {

namespace PlayListFile {

namespace {

// A normal file: a regular file whose name does not mark it hidden.
bool IsNormalFile(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (nameStart < path.size() && path[nameStart] == '.') return false;
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

std::vector<std::string> Read(const std::string& path)
{
    std::vector<std::string> result;
    std::ifstream in(path, std::ios::binary);
    if (!in) return result;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    const std::string bytes = std::move(buffer).str();
    const std::string text = platform::CodePage::DecodeFileText(bytes);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (IsNormalFile(line)) result.push_back(std::move(line));
    }
    return result;
}

platform::IoResult Write(const std::string& path, const std::vector<std::string>& paths)
{
    std::string bytes;
    for (const std::string& p : paths) {
        bytes += platform::CodePage::ToAnsi(p);
        bytes += "\r\n";
    }
    return platform::AtomicFile::Write(path, bytes);
}

} // namespace PlayListFile

} // namespace playback
