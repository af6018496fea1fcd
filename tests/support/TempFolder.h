#pragma once
// A fresh folder made for one test or benchmark and removed, with everything
// in it, when the object goes. The parent defaults to the system's temporary
// folder; message-window tests pass "/tmp" to keep socket paths short. The
// folder has mode 0700, as a private endpoint folder needs.
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <sys/stat.h>

namespace testsupport {

class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "zelko-test",
                        const std::filesystem::path& parent = std::filesystem::temp_directory_path())
    {
        std::string pattern = (parent / (prefix + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a temporary folder " + pattern);
        m_path = pattern;
        ::chmod(m_path.c_str(), 0700);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // The path of a file in the folder.
    std::filesystem::path Path(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

} // namespace testsupport
