#pragma once
// A PulseAudio server of the test's own with a null sink on a private socket
// (no D-Bus, no pid file: any number run side by side); PULSE_SERVER points
// at it while the object lives.
#include "support/ScopedEnvironment.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace testsupport {

class PrivatePulseServer {
public:
    PrivatePulseServer()
    {
        std::string pattern = "/tmp/zpa-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            return;
        m_dir = pattern;
        std::filesystem::create_directories(m_dir / "run");
        std::filesystem::create_directories(m_dir / "home");
        std::filesystem::permissions(m_dir / "run", std::filesystem::perms::owner_all);
        m_socket = m_dir / "native";
        std::ofstream(m_dir / "server.pa") << "load-module module-null-sink sink_name=zelkotest\n"
                                           << "load-module module-native-protocol-unix socket=" << m_socket.string()
                                           << " auth-anonymous=1\n"
                                           << "set-default-sink zelkotest\n";
        Start();
        m_address = std::make_unique<ScopedEnvironment>("PULSE_SERVER", Address().c_str());
    }
    ~PrivatePulseServer()
    {
        m_address.reset();
        Stop(SIGTERM);
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    PrivatePulseServer(const PrivatePulseServer&) = delete;
    PrivatePulseServer& operator=(const PrivatePulseServer&) = delete;

    // True once the server answers on its socket.
    bool Running() const { return m_pid > 0; }
    std::string Address() const { return "unix:" + m_socket.string(); }
    std::string Log() const
    {
        std::ifstream in(m_dir / "log");
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }

    // Ends the server at once, as a crash would.
    void Kill() { Stop(SIGKILL); }

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
        const std::string script = (m_dir / "server.pa").string();
        const std::string log = (m_dir / "log").string();
        std::vector<std::string> env = {
            "HOME=" + (m_dir / "home").string(),
            "XDG_RUNTIME_DIR=" + (m_dir / "run").string(),
            "XDG_CONFIG_HOME=" + (m_dir / "home").string(),
            "DBUS_SESSION_BUS_ADDRESS=disabled:",
            "PATH=/usr/bin:/bin",
        };
        std::vector<std::string> args = {"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                                         "--use-pid-file=no", "--system=no", "--log-target=stderr",
                                         "--log-level=error", "-F", script};
        const pid_t pid = ::fork();
        if (pid < 0)
            return;
        if (pid == 0) {
            const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (out >= 0) {
                ::dup2(out, 1);
                ::dup2(out, 2);
            }
            std::vector<char*> argv;
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            std::vector<char*> envp;
            for (auto& e : env)
                envp.push_back(e.data());
            envp.push_back(nullptr);
            ::execve("/usr/bin/pulseaudio", argv.data(), envp.data());
            ::_exit(127);
        }
        m_pid = pid;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        while (std::chrono::steady_clock::now() < deadline) {
            if (!Pactl("info").empty())
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

    void Stop(int signal)
    {
        if (m_pid <= 0)
            return;
        ::kill(m_pid, signal);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = 0;
    }

    std::filesystem::path m_dir;
    std::filesystem::path m_socket;
    pid_t m_pid = 0;
    std::unique_ptr<ScopedEnvironment> m_address;
};

} // namespace testsupport
