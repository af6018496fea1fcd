#include "player/shell/ClsZelko.h"

#include "common/AsciiText.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace shell {

namespace {

std::string WithSlash(std::string path)
{
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

std::string CurrentFolder()
{
    std::string buffer(PATH_MAX, '\0');
    if (::getcwd(buffer.data(), buffer.size()))
        return WithSlash(buffer.c_str());
    return "./";
}

bool IsWritableFolder(const std::string& folder)
{
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && ::access(folder.c_str(), W_OK) == 0;
}

} // namespace

ClsZelko::ClsZelko(std::string_view commandLine)
    : ClsZelko(commandLine, Folders{ExecutableFolder(), CurrentFolder(), DefaultConfigFolder()})
{
}

ClsZelko::ClsZelko(std::string_view commandLine, std::string_view programFolder)
    : ClsZelko(commandLine, Folders{std::string(programFolder), CurrentFolder(), DefaultConfigFolder()})
{
}

ClsZelko::ClsZelko(std::string_view commandLine, const Folders& folders)
{
    ReadCommandLine(commandLine);
    ChooseFolders(folders);
    m_widgets.SetDebug(m_bDebug);
    m_runLog = platform::RunLog(m_bLog ? platform::RunLog::State::On : platform::RunLog::State::Off, RunLogPath());
    // The old log goes at every start, with or without "/log"; failures do not matter.
    ::unlink(RunLogPath().c_str());
}

void ClsZelko::ReadCommandLine(std::string_view commandLine)
{
    const std::string text = common::ascii::Lower(commandLine);
    auto has = [&](std::string_view sw) { return text.find(sw) != std::string::npos; };
    m_bDevelop = has("/develop");
    m_bDebug = has("/debug");
    m_bLog = has("/log");
    m_bMinimize = has("/minimize");
}

void ClsZelko::ChooseFolders(const Folders& folders)
{
    m_appPath = WithSlash(m_bDevelop ? folders.workingFolder : folders.programFolder);
    if (IsWritableFolder(m_appPath)) {
        m_dataPath = m_appPath;
        return;
    }
    m_dataPath = WithSlash(folders.configFolder);
    // Created now so that the settings, the play list and the log can be written later.
    QDir().mkpath(QString::fromStdString(m_dataPath));
}

std::string ClsZelko::ExecutableFolder()
{
    std::string buffer(PATH_MAX, '\0');
    ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0)
        return CurrentFolder();
    buffer.resize(static_cast<std::size_t>(n));
    auto slash = buffer.rfind('/');
    if (slash == std::string::npos)
        return CurrentFolder();
    return buffer.substr(0, slash + 1);
}

std::string ClsZelko::DefaultConfigFolder()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/')
        return WithSlash(xdg) + "zelko/";
    const char* home = std::getenv("HOME");
    return WithSlash(home && *home ? home : "") + ".config/zelko/";
}

std::string ClsZelko::UsageText()
{
    return "Usage: Zelko [/develop] [/debug] [/log] [/minimize]\n"
           "       Zelko --help | --version | --check-skin FOLDER\n"
           "\n"
           "  /develop   use the current folder as the program folder (skins, assists, settings)\n"
           "  /debug     draw a dotted frame around every hot area of the skin\n"
           "  /log       write the run log Zelko.log\n"
           "  /minimize  start minimised once the skin is shown\n"
           "  --help     print this text and exit\n"
           "  --version  print the version and exit\n"
           "  --check-skin FOLDER\n"
           "             load the skin in FOLDER as the player would, print every problem\n"
           "             with its file and line, and exit (status 0 when it has none)\n"
           "\n"
           "Switches may be written in any letter case and in any order.\n"
           "Settings (Zelko.ini), the play list (Zelko.m3u) and the run log live in the\n"
           "program folder when it is writable, else in $XDG_CONFIG_HOME/zelko/\n"
           "(normally ~/.config/zelko/).\n";
}

void ClsZelko::ReportFailure(std::string_view text) const
{
    WriteRunLog(text);
    // One write, so that the line stays whole beside other output.
    std::string line = "zelko: ";
    line += text;
    line += '\n';
    ssize_t written = ::write(STDERR_FILENO, line.data(), line.size());
    (void)written;
}

void ClsZelko::WriteRunLog(std::string_view text) const
{
    m_runLog.Write(text);
}

} // namespace shell
