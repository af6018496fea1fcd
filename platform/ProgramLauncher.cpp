#include "platform/ProgramLauncher.h"

#include "platform/FileDescriptor.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>
#if __has_include(<linux/close_range.h>)
#include <linux/close_range.h>
#endif
#include <sys/syscall.h>

namespace platform {
namespace {

// What the two forked processes tell the caller through the pipe.
struct Report {
    char tag;  // 'P' pid of the program, 'C' chdir failed, 'E' exec failed, 'F' fork failed
    int value; // the pid or the errno
};

void WriteReport(int fd, char tag, int value)
{
    Report r{tag, value};
    // Async-signal-safe; a report smaller than PIPE_BUF is written whole.
    ssize_t ignored = ::write(fd, &r, sizeof r);
    (void)ignored;
}

// The program file to run: a name without "/" is searched in PATH now, in
// the caller, because the forked child may only make async-signal-safe calls.
std::string ResolveProgram(const std::string& program)
{
    if (program.find('/') != std::string::npos)
        return program;
    const char* path = std::getenv("PATH");
    std::string dirs = path && *path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        std::string dir = dirs.substr(start, end - start);
        std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return {};
}

struct Pipe {
    FileDescriptor read;
    FileDescriptor write;
};

std::optional<Pipe> MakePipe()
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return std::nullopt;
    return Pipe{FileDescriptor(fds[0]), FileDescriptor(fds[1])};
}

[[noreturn]] void RunGrandchild(int reportFd, const char* file, char* const* argv, const char* workingFolder)
{
    if (workingFolder && ::chdir(workingFolder) != 0) {
        WriteReport(reportFd, 'C', errno);
        ::_exit(127);
    }
    int null = ::open("/dev/null", O_RDONLY);
    if (null >= 0) {
        ::dup2(null, STDIN_FILENO);
        if (null != STDIN_FILENO)
            ::close(null);
    }
#ifdef CLOSE_RANGE_CLOEXEC
    // Descriptors this program opened without close-on-exec stay ours.
    ::syscall(SYS_close_range, 3u, ~0u, CLOSE_RANGE_CLOEXEC);
#endif
    // The started program begins with default signal handling and no blocked signals.
    struct sigaction defaults {};
    defaults.sa_handler = SIG_DFL;
    ::sigaction(SIGPIPE, &defaults, nullptr);
    ::sigaction(SIGCHLD, &defaults, nullptr);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::execv(file, argv);
    WriteReport(reportFd, 'E', errno);
    ::_exit(127);
}

} // namespace

LaunchResult ProgramLauncher::StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                                            const std::string& workingFolder)
{
    LaunchResult result;
    if (program.empty()) {
        result.outcome = IoResult::Failure(ENOENT, "no program given");
        return result;
    }
    const std::string file = ResolveProgram(program);
    if (file.empty()) {
        result.outcome = IoResult::Failure(ENOENT, "cannot find " + program + " in PATH");
        return result;
    }

    // Everything the children need is prepared before fork.
    std::vector<std::string> storage;
    storage.reserve(arguments.size() + 1);
    storage.push_back(program);
    storage.insert(storage.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& s : storage)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    const char* cwd = workingFolder.empty() ? nullptr : workingFolder.c_str();

    std::optional<Pipe> pipe = MakePipe();
    if (!pipe) {
        int err = errno;
        result.outcome = IoResult::Failure(err, std::string("cannot create a pipe: ") + std::strerror(err));
        return result;
    }

    pid_t child = ::fork();
    if (child < 0) {
        int err = errno;
        result.outcome = IoResult::Failure(err, std::string("cannot fork: ") + std::strerror(err));
        return result;
    }
    if (child == 0) {
        ::setsid();
        pid_t grandchild = ::fork();
        if (grandchild < 0) {
            WriteReport(pipe->write.Get(), 'F', errno);
            ::_exit(1);
        }
        if (grandchild == 0)
            RunGrandchild(pipe->write.Get(), file.c_str(), argv.data(), cwd);
        WriteReport(pipe->write.Get(), 'P', grandchild);
        ::_exit(0);
    }

    pipe->write.Close();
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }

    // Read until every writer is gone: the child has exited, and the
    // grandchild either failed (and reported) or exec closed its end.
    Report reports[4];
    std::size_t got = 0;
    char* buffer = reinterpret_cast<char*>(reports);
    for (;;) {
        if (got == sizeof reports)
            break;
        ssize_t n = ::read(pipe->read.Get(), buffer + got, sizeof reports - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    const std::size_t count = got / sizeof(Report);
    for (std::size_t i = 0; i < count; ++i) {
        const Report& r = reports[i];
        switch (r.tag) {
        case 'P':
            result.pid = r.value;
            break;
        case 'C':
            result.outcome = IoResult::Failure(r.value, "cannot enter " + workingFolder + ": " + std::strerror(r.value));
            break;
        case 'E':
            result.outcome = IoResult::Failure(r.value, "cannot start " + file + ": " + std::strerror(r.value));
            break;
        case 'F':
            result.outcome = IoResult::Failure(r.value, std::string("cannot fork: ") + std::strerror(r.value));
            break;
        default:
            break;
        }
    }
    if (result.outcome.ok && result.pid == 0)
        result.outcome = IoResult::Failure(ECHILD, "the starting process ended without a report");
    if (!result.outcome.ok)
        result.pid = 0;
    return result;
}

} // namespace platform
