#include "platform/AtomicFile.h"

#include "platform/FileDescriptor.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

std::string ErrorText(const char* step, const std::string& path, int err)
{
    return std::string(step) + " " + path + ": " + std::strerror(err);
}

// The file that a write to path must replace: the target of a symbolic link,
// so the link itself survives.
std::string ResolveTarget(const std::string& path)
{
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        std::string link(PATH_MAX, '\0');
        ssize_t n = readlink(current.c_str(), link.data(), link.size());
        if (n <= 0)
            return current;
        link.resize(static_cast<std::size_t>(n));
        if (link.front() == '/') {
            current = link;
        } else {
            auto slash = current.rfind('/');
            current = (slash == std::string::npos ? std::string() : current.substr(0, slash + 1)) + link;
        }
    }
    return current;
}

mode_t CurrentUmask()
{
    // umask can only be read by setting it; put the old value straight back.
    mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

} // namespace

IoResult AtomicFile::Write(const std::string& path, std::string_view bytes)
{
    if (path.empty())
        return IoResult::Failure(ENOENT, "empty file name");
    const std::string target = ResolveTarget(path);

    mode_t mode = 0666 & ~CurrentUmask();
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        if (S_ISDIR(old.st_mode))
            return IoResult::Failure(EISDIR, ErrorText("cannot replace", target, EISDIR));
        mode = old.st_mode & 07777;
    }

    std::string temp = target + ".XXXXXX";
    FileDescriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.Get() < 0) {
        int err = errno;
        return IoResult::Failure(err, ErrorText("cannot create a temporary file for", target, err));
    }
    auto fail = [&](const char* step) {
        int err = errno;
        ::unlink(temp.c_str());
        return IoResult::Failure(err, ErrorText(step, temp, err));
    };

    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail("cannot write");
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fchmod(fd.Get(), mode) != 0)
        return fail("cannot set the permissions of");
    if (::fsync(fd.Get()) != 0)
        return fail("cannot flush");
    if (fd.Close() != 0)
        return fail("cannot close");
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return fail("cannot rename");
    return IoResult::Success();
}

} // namespace platform
