#include "fuzz/FuzzScratch.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <unistd.h>

namespace fuzz {

namespace {

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::filesystem::path base = "/dev/shm";
        std::error_code ec;
        if (!std::filesystem::is_directory(base, ec)) {
            const char* tmp = std::getenv("TMPDIR");
            base = tmp && *tmp ? tmp : "/tmp";
        }
        m_path = base / ("zelko-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_path);
        m_text = m_path.string() + "/";
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Text() const { return m_text; }

private:
    std::filesystem::path m_path;
    std::string m_text;
};

} // namespace

const std::string& FuzzScratch::Folder()
{
    static const ScratchFolder folder;
    return folder.Text();
}

std::string FuzzScratch::Write(std::string_view name, const std::uint8_t* data, std::size_t size)
{
    return Write(name, std::string_view(reinterpret_cast<const char*>(data), size));
}

std::string FuzzScratch::Write(std::string_view name, std::string_view bytes)
{
    const std::string path = Folder() + std::string(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write the scratch file " + path);
    return path;
}

} // namespace fuzz
