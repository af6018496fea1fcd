#include "platform/DirectorySearch.h"

#include "platform/Utf8.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

class DirHandle {
public:
    explicit DirHandle(DIR* d)
        : m_dir(d)
    {}
    ~DirHandle()
    {
        if (m_dir)
            ::closedir(m_dir);
    }
    DirHandle(const DirHandle&) = delete;
    DirHandle& operator=(const DirHandle&) = delete;
    DIR* Get() const { return m_dir; }

private:
    DIR* m_dir;
};

bool MatchesAll(std::string_view pattern)
{
    return pattern.empty() || pattern == "*" || pattern == "*.*";
}

// "*" and "?" over code points folded to one case; linear-times-pattern time.
bool MatchFolded(const std::u32string& name, const std::u32string& pattern)
{
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t star = pattern.size();
    std::size_t mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == U'*') {
            star = p++;
            mark = n;
        } else if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (star != pattern.size()) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*')
        ++p;
    return p == pattern.size();
}

std::u32string Folded(std::string_view text)
{
    std::u32string s = Utf8::Decode(text);
    for (auto& c : s)
        c = Utf8::FoldCase(c);
    return s;
}

} // namespace

bool DirectorySearch::MatchesPattern(std::string_view name, std::string_view pattern)
{
    if (MatchesAll(pattern))
        return true;
    return MatchFolded(Folded(name), Folded(pattern));
}

bool DirectorySearch::NameLess(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

std::optional<std::string> DirectorySearch::FindFile(std::string_view path)
{
    const std::string exact(path);
    struct stat st {};
    if (::stat(exact.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return exact;
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string_view::npos ? std::string() : exact.substr(0, slash + 1);
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (name.empty())
        return std::nullopt;
    const std::u32string folded = Folded(name);
    for (const DirectoryEntry& entry : List(folder, "*", SearchScope::FilesOnly, HiddenEntries::Include))
        if (Folded(entry.name) == folded)
            return folder + entry.name;
    return std::nullopt;
}

std::vector<DirectoryEntry> DirectorySearch::List(const std::string& folder, std::string_view pattern,
                                                  SearchScope scope, HiddenEntries hidden)
{
    std::vector<DirectoryEntry> entries;
    const std::string dirPath = folder.empty() ? std::string(".") : folder;
    DirHandle dir(::opendir(dirPath.c_str()));
    if (!dir.Get())
        return entries;
    const int dirFd = ::dirfd(dir.Get());
    const bool all = MatchesAll(pattern);
    const std::u32string foldedPattern = all ? std::u32string() : Folded(pattern);

    for (;;) {
        errno = 0;
        dirent* e = ::readdir(dir.Get());
        if (!e)
            break; // the end, or a folder that vanished or failed midway: keep what was read
        std::string_view name(e->d_name);
        if (name == "." || name == "..")
            continue;
        if (hidden == HiddenEntries::Skip && name.front() == '.')
            continue;

        EntryKind kind;
        if (e->d_type == DT_REG) {
            kind = EntryKind::File;
        } else if (e->d_type == DT_DIR) {
            kind = EntryKind::Folder;
        } else {
            // A link or a file system that does not give the type: ask, following links.
            struct stat st {};
            if (::fstatat(dirFd, e->d_name, &st, 0) != 0)
                continue; // vanished, or a dangling link
            if (S_ISREG(st.st_mode))
                kind = EntryKind::File;
            else if (S_ISDIR(st.st_mode))
                kind = EntryKind::Folder;
            else
                continue; // devices, pipes and sockets are not files to play
        }
        if (kind == EntryKind::Folder && scope == SearchScope::FilesOnly)
            continue;
        if (!all && !MatchFolded(Folded(name), foldedPattern))
            continue;
        entries.push_back({std::string(name), kind});
    }
    std::sort(entries.begin(), entries.end(),
              [](const DirectoryEntry& a, const DirectoryEntry& b) { return NameLess(a.name, b.name); });
    return entries;
}

} // namespace platform
