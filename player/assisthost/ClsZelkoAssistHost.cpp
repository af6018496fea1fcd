#include "player/assisthost/ClsZelkoAssistHost.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QString>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <unistd.h>

#include "platform/ProgramLauncher.h"
#include "protocol/CommandWords.h"
#include "protocol/RecordPayload.h"

namespace {

const char* const NoAssistCaption = "<なし>";

std::string Lower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// The caption of an assist: its file name without an ".exe" ending.
std::string CaptionOf(const std::string& fileName)
{
    if (fileName.size() > 4 && Lower(fileName.substr(fileName.size() - 4)) == ".exe")
        return fileName.substr(0, fileName.size() - 4);
    return fileName;
}

bool IsExecutableFile(const std::filesystem::path& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

// Clears a flag when the scope ends, also when a handler throws.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagGuard() { m_flag = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& m_flag;
};

} // namespace

ClsZelkoAssistHost::ClsZelkoAssistHost(AssistHostPlayer& player, QMenu& assistMenu, std::filesystem::path appPath)
    : ClsZelkoAssistHost(player, assistMenu, std::move(appPath), Options {})
{
}

ClsZelkoAssistHost::ClsZelkoAssistHost(AssistHostPlayer& player, QMenu& assistMenu, std::filesystem::path appPath,
                                       Options options)
    : m_player(player)
    , m_menu(assistMenu)
    , m_appPath(std::move(appPath))
    , m_options(std::move(options))
{
    platform::MessageWindow::Options windowOptions;
    windowOptions.Directory = m_options.EndpointDirectory;
    windowOptions.SendTimeout = m_options.SendTimeout;
    auto opened = platform::MessageWindow::Open(
        [](platform::WindowHandle, std::uint32_t, std::uint32_t, std::intptr_t) { return 0; }, windowOptions);
    m_window = std::move(opened.Window);
    m_windowError = std::move(opened.Error);

    // Item 0 of mnuP1AEnum: "<なし>", which cannot be chosen until an assist
    // takes its place.
    QAction* first = m_menu.addAction(QString::fromUtf8(NoAssistCaption));
    first->setCheckable(true);
    first->setEnabled(false);
    QObject::connect(first, &QAction::triggered, first, [this, first] {
        first->setChecked(!first->isChecked()); // the handler decides the check mark
        mnuP1AEnum_Click(0);
    });
    m_items.push_back(first);
}

ClsZelkoAssistHost::~ClsZelkoAssistHost() = default;

platform::WindowHandle ClsZelkoAssistHost::Handle() const
{
    return m_window ? m_window->Handle() : 0;
}

void ClsZelkoAssistHost::ProcessPendingEvents()
{
    if (m_window)
        m_window->ProcessPendingEvents();
    else if (QCoreApplication::instance() != nullptr)
        QCoreApplication::processEvents();
}

// --- Discovery and the menu ----------------------------------------------

void ClsZelkoAssistHost::EnumAssists()
{
    const std::filesystem::path folder = m_appPath / "Assist";
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (IsExecutableFile(it->path()))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());

    for (const std::string& name : names) {
        const std::string caption = CaptionOf(name);
        if (FindByKey(caption) != nullptr)
            continue; // keys ignore case; a second file of the same name is not listed
        const auto k = static_cast<std::int32_t>(m_assists.size());
        if (k > 0) {
            QAction* item = m_menu.addAction(QString());
            item->setCheckable(true);
            QObject::connect(item, &QAction::triggered, item, [this, item, k] {
                item->setChecked(!item->isChecked());
                mnuP1AEnum_Click(k);
            });
            m_items.push_back(item);
        }
        ClsZelkoAssist entry;
        entry.SetMenuIndex(k);
        entry.SetExeName((folder / name).string());
        QAction* item = m_items[static_cast<std::size_t>(k)];
        item->setText(QString::fromStdString(caption));
        item->setVisible(true);
        item->setEnabled(true);
        m_assists.push_back(std::move(entry));
    }
}

QAction* ClsZelkoAssistHost::MenuItem(std::int32_t menuIndex) const
{
    if (menuIndex < 0 || static_cast<std::size_t>(menuIndex) >= m_items.size())
        return nullptr;
    return m_items[static_cast<std::size_t>(menuIndex)];
}

void ClsZelkoAssistHost::SetItemChecked(std::int32_t menuIndex, bool checked)
{
    if (QAction* item = MenuItem(menuIndex))
        item->setChecked(checked);
}

ClsZelkoAssist* ClsZelkoAssistHost::FindByKey(std::string_view key)
{
    const std::string wanted = Lower(key);
    for (ClsZelkoAssist& entry : m_assists) {
        if (QAction* item = MenuItem(entry.MenuIndex()); item && Lower(item->text().toStdString()) == wanted)
            return &entry;
    }
    return nullptr;
}

ClsZelkoAssist* ClsZelkoAssistHost::FindByCaption(const QAction& item)
{
    return FindByKey(item.text().toStdString());
}

void ClsZelkoAssistHost::SelectAssistFromIni(std::string_view line)
{
    // Element 1 of the line split at "=" (the text after the first "=", up
    // to a second one); a line without "=" names nothing.
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return;
    std::string_view value = line.substr(eq + 1);
    value = value.substr(0, value.find('='));
    if (ClsZelkoAssist* entry = FindByKey(value)) {
        entry->SetSelected(true);
        SetItemChecked(entry->MenuIndex(), true);
    }
}

void ClsZelkoAssistHost::ExecuteSelectedAssists()
{
    for (std::size_t i = 0; i < m_assists.size(); ++i) {
        if (m_assists[i].Selected())
            ExecuteAssist(m_assists[i].ExeName(), static_cast<std::int32_t>(i + 1));
    }
}

bool ClsZelkoAssistHost::ExecuteAssist(const std::string& path, std::int32_t position)
{
    // Nothing can link without the player's window, and an executable that
    // vanished since discovery is passed over at once.
    if (!m_window || !IsExecutableFile(path))
        return false;
    m_assistReady = false;
    const platform::LaunchResult launched =
        platform::ProgramLauncher::StartDetached(path, { std::to_string(Handle()), std::to_string(position) });
    if (!launched)
        return false;

    for (int round = 0; round < m_options.WaitRounds && !m_assistReady; ++round) {
        ProcessPendingEvents();
        // The pause between rounds still answers the assists' requests, so
        // the announcement ends the wait as soon as it arrives.
        const auto until = std::chrono::steady_clock::now() + m_options.RoundWait;
        while (!m_assistReady) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                break;
            m_window->WaitAndDispatch(left);
        }
    }
    return true;
}

void ClsZelkoAssistHost::mnuP1AEnum_Click(int index)
{
    QAction* item = MenuItem(index);
    if (item == nullptr)
        return;
    ClsZelkoAssist* entry = FindByCaption(*item);
    if (entry == nullptr)
        return; // "<なし>"
    if (item->isChecked()) {
        CloseAssistWindow(*entry);
        entry = FindByCaption(*item);
        if (entry) {
            entry->SetSelected(false);
            entry->SetEnabled(false);
        }
        item->setChecked(false);
    } else {
        entry->SetSelected(true);
        const std::string exe = entry->ExeName();
        if (ExecuteAssist(exe, index + 1)) {
            item->setChecked(true);
        } else if (ClsZelkoAssist* again = FindByCaption(*item)) {
            again->SetSelected(false);
        }
    }
}

void ClsZelkoAssistHost::CloseAssistWindow(ClsZelkoAssist& entry)
{
    if (m_window)
        m_window->SendMessage(entry.hwnd(), platform::WM_SYSCOMMAND, platform::SC_CLOSE, 0);
    ProcessPendingEvents();
}

void ClsZelkoAssistHost::CloseAssist(platform::WindowHandle hwnd)
{
    if (hwnd <= 0)
        return; // never announced entries hold 0; a report always names a window
    for (ClsZelkoAssist& entry : m_assists) {
        if (entry.hwnd() == hwnd) {
            entry.SetEnabled(false);
            entry.SetSelected(false);
            SetItemChecked(entry.MenuIndex(), false);
        }
    }
}

void ClsZelkoAssistHost::ClearAssists()
{
    while (!m_assists.empty()) {
        ClsZelkoAssist& entry = m_assists.back();
        if (entry.Enabled())
            CloseAssistWindow(entry);
        ClsZelkoAssist& last = m_assists.back();
        if (last.MenuIndex() != 0) {
            if (QAction* item = MenuItem(last.MenuIndex())) {
                m_menu.removeAction(item);
                delete item;
                m_items[static_cast<std::size_t>(last.MenuIndex())] = nullptr;
            }
        }
        m_assists.pop_back();
    }
    m_items.resize(1);
    m_items[0]->setText(QString::fromUtf8(NoAssistCaption));
    m_items[0]->setChecked(false);
    m_items[0]->setEnabled(false);
}

std::vector<std::string> ClsZelkoAssistHost::AssistSectionLines() const
{
    std::vector<std::string> lines;
    for (const ClsZelkoAssist& entry : m_assists) {
        if (!entry.Selected())
            continue;
        if (QAction* item = MenuItem(entry.MenuIndex()))
            lines.push_back("ExecuteFile=" + item->text().toStdString());
    }
    return lines;
}

std::string ClsZelkoAssistHost::AssistSectionData() const
{
    std::string data;
    for (const std::string& line : AssistSectionLines()) {
        data += line;
        data += '\0';
    }
    data += '\0';
    return data;
}

// --- The window procedure -------------------------------------------------

void ClsZelkoAssistHost::InstallHook()
{
    if (m_hookInstalled)
        return;
    m_hookInstalled = true;
    if (m_window) {
        m_window->SetUserData(m_window->SetWindowProcedure(
            [this](platform::WindowHandle hwnd, std::uint32_t msg, std::uint32_t wParam, std::intptr_t lParam) {
                return HookWndProc(hwnd, msg, wParam, lParam);
            }));
    }
}

void ClsZelkoAssistHost::RemoveHook()
{
    if (!m_hookInstalled)
        return;
    m_hookInstalled = false;
    if (m_window) {
        m_window->SetWindowProcedure(m_window->UserData());
        m_window->SetUserData({});
    }
}

std::int32_t ClsZelkoAssistHost::HookWndProc(platform::WindowHandle hwnd, std::uint32_t msg, std::uint32_t wParam,
                                             std::intptr_t lParam)
{
    if (!m_inHook) {
        FlagGuard busy(m_inHook);
        if (msg == platform::WM_MOUSEWHEEL) {
            if (static_cast<std::int32_t>(wParam) < 0)
                m_player.vbWheelMinus();
            else
                m_player.vbWheelPlus();
        } else if (msg == platform::WM_USER) {
            HandleCommand(wParam, static_cast<std::int32_t>(lParam));
        }
    }
    return m_window ? platform::CallWindowProc(m_window->UserData(), hwnd, msg, wParam, lParam) : 0;
}

void ClsZelkoAssistHost::DispatchMouseWheel(int delta)
{
    const auto step = static_cast<std::uint16_t>(static_cast<std::int16_t>(std::clamp(delta, -32768, 32767)));
    const std::uint32_t wParam = static_cast<std::uint32_t>(step) << 16;
    if (m_window)
        m_window->Dispatch(platform::WM_MOUSEWHEEL, wParam, 0);
    else if (m_hookInstalled)
        HookWndProc(0, platform::WM_MOUSEWHEEL, wParam, 0);
}

void ClsZelkoAssistHost::HandleCommand(std::uint32_t word, std::int32_t lParam)
{
    using namespace protocol;
    switch (word) {
    case CmdPlayInfo:
        ReplyPlayInfo(lParam);
        return;
    case CmdSongInfo:
        ReplySongInfo(lParam);
        return;
    case CmdMinimize:
        if (!m_player.IsMinimized())
            m_player.MinimizeWindow();
        return;
    case CmdRestore:
        if (!m_player.IsNormalState())
            m_player.RestoreWindow();
        return;
    case CmdClosing:
        CloseAssist(lParam);
        return;
    default:
        break;
    }
    switch (CommandOf(word)) {
    case CmdAnnounce: {
        const std::uint32_t position = ArgumentOf(word);
        if (position >= 1 && position <= m_assists.size()) {
            m_assists[position - 1].Sethwnd(lParam, m_window && m_window->IsWindow(lParam));
            m_assistReady = true;
        }
        return;
    }
    case CmdVolume:
        SetVolumeFromAssist(static_cast<std::int32_t>(ArgumentOf(word)));
        return;
    case CmdPlay:
        m_player.cButtonAction_PlayClick();
        return;
    case CmdPause:
        m_player.cButtonAction_PauseClick();
        return;
    case CmdStop:
        m_player.cButtonAction_StopClick();
        return;
    case CmdPrevTrack:
        m_player.cButtonAction_PTrackClick();
        return;
    case CmdNextTrack:
        m_player.cButtonAction_NTrackClick();
        return;
    case CmdRepeat:
        m_player.cButtonAction_RepeatClick();
        return;
    case CmdShuffle:
        m_player.cButtonAction_ShuffleClick();
        return;
    case CmdAnalyzerOn:
        m_player.SetAnalyzeProc(true);
        return;
    case CmdAnalyzerOff:
        m_analyze.Spectrum1.fill(0);
        m_analyze.Spectrum2.fill(0);
        m_player.ClearAnalyzer();
        m_player.SetAnalyzeProc(false);
        return;
    default:
        return; // any other word is ignored
    }
}

// --- Sending ----------------------------------------------------------------

void ClsZelkoAssistHost::SendToAssist(ClsZelkoAssist& entry, std::uint32_t wParam, std::uint32_t dwData,
                                      std::span<const std::byte> payload)
{
    if (!m_window)
        return;
    const platform::WindowHandle to = entry.hwnd();
    const platform::SendOutcome outcome = m_window->SendCopyData(to, wParam, dwData, payload);
    if (outcome.Status == platform::SendStatus::TimedOut) {
        // A hung assist counts as closed; it stays selected, so the next run
        // starts it again. The entry is looked up afresh: nested commands may
        // have run during the wait.
        for (ClsZelkoAssist& e : m_assists) {
            if (e.hwnd() == to)
                e.SetEnabled(false);
        }
    }
}

void ClsZelkoAssistHost::ReplyPlayInfo(platform::WindowHandle to)
{
    m_player.PlayState().DecoderState = m_player.DecoderState();
    const protocol::PlayStateRecord record = m_player.PlayState();
    if (!m_window)
        return;
    const auto outcome = m_window->SendCopyData(to, protocol::CodePlayState, protocol::NotifyPlayInfoReply,
                                                protocol::PayloadOf(record));
    if (outcome.Status == platform::SendStatus::TimedOut)
        for (ClsZelkoAssist& e : m_assists)
            if (e.hwnd() == to)
                e.SetEnabled(false);
}

void ClsZelkoAssistHost::ReplySongInfo(platform::WindowHandle to)
{
    if (!m_window)
        return;
    const protocol::SongInfoRecord record = m_songInfo;
    const auto outcome = m_window->SendCopyData(to, protocol::CodeSongInfo, protocol::CodeSongInfo,
                                                protocol::PayloadOf(record));
    if (outcome.Status == platform::SendStatus::TimedOut)
        for (ClsZelkoAssist& e : m_assists)
            if (e.hwnd() == to)
                e.SetEnabled(false);
}

void ClsZelkoAssistHost::SendPlayState(std::uint32_t dwData)
{
    for (std::size_t i = 0; i < m_assists.size(); ++i) {
        if (!m_assists[i].Enabled())
            continue;
        // A copy: a nested command may change the record while a send waits.
        const protocol::PlayStateRecord record = m_player.PlayState();
        SendToAssist(m_assists[i], protocol::CodePlayState, dwData, protocol::PayloadOf(record));
    }
}

void ClsZelkoAssistHost::NotifyAssists(std::uint32_t code)
{
    m_player.PlayState().DecoderState = m_player.DecoderState();
    SendPlayState(code);
}

void ClsZelkoAssistHost::NotifyVolume()
{
    SendPlayState(protocol::NotifyVolume);
}

void ClsZelkoAssistHost::SendAnalyze()
{
    for (std::size_t i = 0; i < m_assists.size(); ++i) {
        if (!m_assists[i].Enabled())
            continue;
        const protocol::AnalyzeRecord record = m_analyze;
        SendToAssist(m_assists[i], protocol::CodeAnalyze, protocol::CodeAnalyze, protocol::PayloadOf(record));
    }
}

void ClsZelkoAssistHost::SetVolumeFromAssist(std::int32_t volume)
{
    const std::int32_t value = std::clamp(volume, 0, 100);
    m_player.PlayState().Volume = value;
    m_player.ApplyVolumeFromAssist(value);
    NotifyVolume();
}

void ClsZelkoAssistHost::SetSongInfo(std::string_view field, std::string_view text)
{
    const std::string name = Lower(field);
    protocol::SongField* target = nullptr;
    if (name == "mp3file")
        target = &m_songInfo.Mp3File;
    else if (name == "trackname")
        target = &m_songInfo.TrackName;
    else if (name == "artistname")
        target = &m_songInfo.ArtistName;
    if (target != nullptr)
        protocol::SetSongFieldText(*target, text);
}
