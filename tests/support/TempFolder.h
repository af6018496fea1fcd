#pragma once
// A fresh folder (mode 0700, as an endpoint folder needs) removed with
// everything in it when the object goes.
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
    std::filesystem::path Path(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

} // namespace testsupport
