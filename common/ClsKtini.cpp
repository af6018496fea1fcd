#include "common/ClsKtini.h"

#include <cstdlib>

namespace common {

using platform::ProfileFile;

ClsKtini::~ClsKtini()
{
    // The owner had no chance to commit: write what it changed rather than lose it.
    if (m_batch && m_batch->changed)
        (void)m_batch->file.Save(m_batch->path);
}

std::string ClsKtini::ResolvePath(const std::string& ini) const
{
    if (ini.find('/') != std::string::npos)
        return ini;
    return vbGetWindowsDirectory() + "/" + ini;
}

ProfileFile ClsKtini::Read(const std::string& path) const
{
    if (m_batch && m_batch->path == path)
        return m_batch->file;
    return ProfileFile::Load(path);
}

bool ClsKtini::Store(const std::string& path, const ProfileFile& file)
{
    if (m_batch && m_batch->path == path) {
        m_batch->file = file;
        m_batch->changed = true;
        return true;
    }
    return static_cast<bool>(file.Save(path));
}

std::string ClsKtini::vbGetPrivateProfileString(std::string_view App, std::string_view sec, const std::string& ini)
{
    const std::string path = ResolvePath(ini);
    std::optional<std::string> value;
    if (m_batch && m_batch->path == path)
        value = m_batch->file.Value(App, sec);
    else
        value = ProfileFile::Load(path).Value(App, sec);
    if (!value || *value == "Non")
        return {};
    return *value;
}

bool ClsKtini::vbWritePrivateProfileString(std::string_view App, std::string_view sec, std::string_view sText,
                                           const std::string& ini)
{
    const std::string path = ResolvePath(ini);
    if (m_batch && m_batch->path == path) {
        m_batch->file.SetValue(App, sec, sText);
        m_batch->changed = true;
        return true;
    }
    ProfileFile file = ProfileFile::Load(path);
    file.SetValue(App, sec, sText);
    return static_cast<bool>(file.Save(path));
}

std::string ClsKtini::vbFirstPrivateProfileSection(std::string_view App, const std::string& ini)
{
    m_sectionBuffer.clear();
    const std::string path = ResolvePath(ini);
    auto entries = Read(path).SectionEntries(App);
    if (entries) {
        for (const auto& e : *entries) {
            m_sectionBuffer += e;
            m_sectionBuffer += '\0';
        }
    }
    return vbNextPrivateProfileSection();
}

std::string ClsKtini::vbNextPrivateProfileSection()
{
    const auto nul = m_sectionBuffer.find('\0');
    if (nul == std::string::npos) {
        m_sectionBuffer.clear();
        return {};
    }
    std::string entry = m_sectionBuffer.substr(0, nul);
    m_sectionBuffer.erase(0, nul + 1);
    return entry;
}

bool ClsKtini::vbWritePrivateProfileSection(std::string_view App, std::string_view sText, const std::string& ini)
{
    std::vector<std::string> entries;
    std::size_t start = 0;
    while (start <= sText.size()) {
        std::size_t end = sText.find_first_of(std::string_view("\0\n", 2), start);
        if (end == std::string_view::npos)
            end = sText.size();
        std::string_view entry = sText.substr(start, end - start);
        if (!entry.empty() && entry.back() == '\r')
            entry.remove_suffix(1);
        if (!entry.empty())
            entries.emplace_back(entry);
        start = end + 1;
    }
    const std::string path = ResolvePath(ini);
    ProfileFile file = Read(path);
    file.ReplaceSection(App, entries);
    return Store(path, file);
}

std::string ClsKtini::vbGetSystemDirectory() const
{
    return "/usr/lib";
}

std::string ClsKtini::vbGetTempPath() const
{
    const char* tmp = std::getenv("TMPDIR");
    std::string path = (tmp && *tmp) ? tmp : "/tmp";
    if (path.back() != '/')
        path += '/';
    return path;
}

std::string ClsKtini::vbGetWindowsDirectory() const
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string path;
    if (xdg && *xdg == '/') {
        path = xdg;
    } else {
        const char* home = std::getenv("HOME");
        path = std::string(home && *home ? home : "") + "/.config";
    }
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

void ClsKtini::BeginBatch(const std::string& ini)
{
    if (m_batch)
        (void)CommitBatch();
    const std::string path = ResolvePath(ini);
    m_batch = Batch{path, ProfileFile::Load(path), false};
}

bool ClsKtini::CommitBatch()
{
    if (!m_batch)
        return true;
    Batch batch = std::move(*m_batch);
    m_batch.reset();
    if (!batch.changed)
        return true;
    return static_cast<bool>(batch.file.Save(batch.path));
}

} // namespace common
