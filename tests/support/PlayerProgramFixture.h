#pragma once
// The real player program run with "/develop" in a program folder of the
// test's own (main thread only).
#include <QProcess>

#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <cstdlib>
#include <unistd.h>
#include <utility>
#include <vector>

namespace testsupport {

enum class ProgramSkins { Shipped,
                          None };

class PlayerProgramFolder {
public:
    explicit PlayerProgramFolder(ProgramSkins skins = ProgramSkins::Shipped)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zelko-player-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a program folder " + pattern);
        m_dir = pattern;
        std::filesystem::create_directories(m_dir / "Skins");
        if (skins == ProgramSkins::Shipped)
            std::filesystem::copy(std::filesystem::path(ZELKO_PROGRAM_DIR) / "Skins", m_dir / "Skins",
                                  std::filesystem::copy_options::recursive);
    }
    ~PlayerProgramFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    PlayerProgramFolder(const PlayerProgramFolder&) = delete;
    PlayerProgramFolder& operator=(const PlayerProgramFolder&) = delete;

    const std::filesystem::path& Path() const { return m_dir; }
    // The folder as the player names it, with a final "/".
    std::string Folder() const { return m_dir.string() + "/"; }
    std::filesystem::path Ini() const { return m_dir / "Zelko.ini"; }
    std::filesystem::path List() const { return m_dir / "Zelko.m3u"; }

    void WriteIni(const std::string& text) const { std::ofstream(Ini(), std::ios::binary) << text; }
    // The play list as the player writes it: one path a line, CR LF.
    void WriteList(const std::vector<std::string>& lines) const
    {
        std::ofstream out(List(), std::ios::binary);
        for (const std::string& line : lines)
            out << line << "\r\n";
    }
    std::string ReadFile(const std::filesystem::path& p) const
    {
        std::ifstream in(p, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }

private:
    std::filesystem::path m_dir;
};

// Offscreen and with the null sound output unless the variables say otherwise.
class PlayerProgram {
public:
    using Variables = std::vector<std::pair<QString, QString>>;

    PlayerProgram(const std::filesystem::path& folder, const QStringList& arguments, const Variables& variables = {},
                  std::function<void()> inChild = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("ZELKO_AUDIO", "null");
        for (const auto& [name, value] : variables)
            env.insert(name, value);
        m_process.setProcessEnvironment(env);
        m_process.setWorkingDirectory(QString::fromStdString(folder.string()));
        if (inChild)
            m_process.setChildProcessModifier(inChild);
        m_process.start(QString::fromUtf8(ZELKO_PROGRAM_DIR "/Zelko"), QStringList{"/develop"} + arguments);
        m_process.waitForStarted(5000);
    }
    ~PlayerProgram()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }
    PlayerProgram(const PlayerProgram&) = delete;
    PlayerProgram& operator=(const PlayerProgram&) = delete;

    static bool Built() { return std::filesystem::exists(std::filesystem::path(ZELKO_PROGRAM_DIR) / "Zelko"); }
    QProcess& Process() { return m_process; }
    qint64 Pid() const { return m_process.processId(); }

private:
    QProcess m_process;
};

} // namespace testsupport
