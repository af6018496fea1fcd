#pragma once
// A PulseAudio server of the test's own: started by the constructor with a
// null sink and a private Unix socket in a fresh folder (its own runtime and
// home folders, no D-Bus, no X11, no pid file, so that any number run side
// by side, as root too), and ended by the destructor. PULSE_SERVER points at
// it for as long as the object lives.
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace testsupport {

class PrivatePulseServer {
public:
    PrivatePulseServer()
        : m_dir("zpa", "/tmp"), m_socket(m_dir.Path("native"))
    {
        std::filesystem::create_directories(m_dir.Path("run"));
        std::filesystem::create_directories(m_dir.Path("home"));
        std::filesystem::permissions(m_dir.Path("run"), std::filesystem::perms::owner_all);
        Start();
        m_address = std::make_unique<ScopedEnvironment>("PULSE_SERVER", Address().c_str());
    }
    ~PrivatePulseServer()
    {
        m_address.reset();
        Stop(SIGTERM);
    }
    PrivatePulseServer(const PrivatePulseServer&) = delete;
    PrivatePulseServer& operator=(const PrivatePulseServer&) = delete;

    // True once the server answers on its socket.
    bool Running() const { return m_pid > 0; }
    std::string Address() const { return "unix:" + m_socket.string(); }
    // The server's log (errors only).
    std::string Log() const
    {
        std::ifstream in(m_dir.Path("log"));
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }

    // Ends the server at once, as a crash would.
    void Kill() { Stop(SIGKILL); }

    // Runs pactl against this server; its standard output.
    std::string Pactl(const std::string& arguments) const
    {
        const std::string command = "PULSE_SERVER='" + Address() + "' pactl " + arguments + " 2>/dev/null";
        std::string out;
        if (FILE* pipe = ::popen(command.c_str(), "r")) {
            char chunk[4096];
            size_t n;
            while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0)
                out.append(chunk, n);
            ::pclose(pipe);
        }
        return out;
    }

private:
    void Start()
    {
        std::vector<std::string> env = {"HOME=" + m_dir.Path("home").string(), "XDG_RUNTIME_DIR=" + m_dir.Path("run").string(),
                                        "XDG_CONFIG_HOME=" + m_dir.Path("home").string(), "DBUS_SESSION_BUS_ADDRESS=disabled:",
                                        "PATH=/usr/bin:/bin"};
        std::vector<std::string> args = {"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                                         "--system=no", "--log-target=stderr", "--log-level=error",
                                         "-L", "module-null-sink sink_name=zelkotest",
                                         "-L", "module-native-protocol-unix auth-anonymous=1 socket=" + m_socket.string()};
        const auto pointers = [](std::vector<std::string>& strings) {
            std::vector<char*> out;
            for (auto& s : strings)
                out.push_back(s.data());
            out.push_back(nullptr);
            return out;
        };
        posix_spawn_file_actions_t output;
        posix_spawn_file_actions_init(&output);
        posix_spawn_file_actions_addopen(&output, 2, m_dir.Path("log").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&output, 2, 1);
        const bool spawned = ::posix_spawn(&m_pid, "/usr/bin/pulseaudio", &output, nullptr, pointers(args).data(),
                                           pointers(env).data()) == 0;
        posix_spawn_file_actions_destroy(&output);
        if (!spawned) {
            m_pid = 0;
            return;
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        while (std::chrono::steady_clock::now() < deadline) {
            if (Answers())
                return;
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = 0;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        Stop(SIGKILL);
    }

    bool Answers() const
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un a {};
        a.sun_family = AF_UNIX;
        std::strncpy(a.sun_path, m_socket.c_str(), sizeof a.sun_path - 1);
        const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
        ::close(fd);
        return ok;
    }

    void Stop(int signal)
    {
        if (m_pid <= 0)
            return;
        ::kill(m_pid, signal);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = 0;
    }

    TempFolder m_dir;
    std::filesystem::path m_socket;
    pid_t m_pid = 0;
    std::unique_ptr<ScopedEnvironment> m_address;
};

} // namespace testsupport
