#include "player/frmZelko.h"

#include "common/ClsKtFileHandler.h"
#include "common/ClsKtShell.h"
#include "common/KtBusyCursor.h"
#include "platform/CodePage.h"
#include "platform/DirectorySearch.h"
#include "player/dialogs/ProgramVersion.h"
#include "player/dialogs/frmZelkoAbout.h"
#include "player/dialogs/frmZelkoProps.h"
#include "player/playback/KeyTable.h"
#include "player/playback/PlayListFile.h"
#include "player/playback/PlayState.h"
#include "player/shell/ZelkoSettings.h"
#include "player/skin/SkinLoader.h"
#include "player/skin/SkinWindow.h"
#include "player/widgets/ClsZelkoBodyAction.h"
#include "player/widgets/ClsZelkoButtonAction.h"
#include "player/widgets/ClsZelkoLyricsAction.h"
#include "player/widgets/ClsZelkoPlayListAction.h"
#include "player/widgets/FindLyricsFile.h"
#include "protocol/CommandWords.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>

namespace {

// Text of a record field: up to its first NUL, from the ANSI character set.
template <std::size_t N>
std::string RecordText(const char (&field)[N]) {
    return platform::CodePage::FromAnsi(std::string_view(field, ::strnlen(field, N)));
}

std::string WithTrailingSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string LowerAscii(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

bool EndsWith(const std::string& s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

frmZelko::frmZelko(Options options)
    : m_options(std::move(options)), m_decoder(m_options.decoder) {
    // The shuffle generator is seeded once per run, from the clock.
    m_random.seed(m_options.randomSeed.value_or(static_cast<std::uint32_t>(
        std::chrono::steady_clock::now().time_since_epoch().count())));

    m_app = m_options.programFolder.empty()
                ? std::make_unique<ClsZelko>(m_options.commandLine)
                : std::make_unique<ClsZelko>(m_options.commandLine, m_options.programFolder);

    m_window = std::make_unique<SkinWindow>();
    m_window->SetListener(this);
    m_window->setWindowTitle(QString::fromUtf8(AppTitle));

    SetFlags(Flag::Stop, true);
    SetVolumeState(50);

    m_playTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_playTimer, &QTimer::timeout, this, [this] { PlayTimer_Timer(); });

    if (!m_options.dialogs.chooseMp3Files) {
        m_options.dialogs.chooseMp3Files = [this] {
            std::vector<std::string> result;
            const QStringList files = QFileDialog::getOpenFileNames(
                m_window.get(), QString(), QString(), QStringLiteral("(Mp3) (*.mp3)"));
            for (const QString& f : files) result.push_back(f.toStdString());
            return result;
        };
    }
    if (!m_options.dialogs.chooseFolder) {
        m_options.dialogs.chooseFolder = [this](const std::string& title) {
            ClsKtShell shell;
            return shell.FolderDialog(m_window.get(), title, ClsKtShell::RootDesktop, std::string(),
                                      ClsKtShell::OnlyFileSystemFolders);
        };
    }
    if (!m_options.dialogs.showSkinError) {
        m_options.dialogs.showSkinError = [](const std::string& text) {
            QMessageBox box(QMessageBox::Warning, QString::fromUtf8(AppTitle), QString::fromUtf8(text),
                            QMessageBox::Ok);
            box.exec();
        };
    }
}

frmZelko::~frmZelko() {
    Form_Unload();
    if (m_window) m_window->SetListener(nullptr);
}

// ---------------------------------------------------------------- start-up

void frmZelko::BuildMenus() {
    m_popup1 = std::make_unique<QMenu>();
    m_skinMenu = m_popup1->addMenu(QString::fromUtf8(SkinCatalogue::MenuCaption));
    m_popup1->addSeparator();
    m_assistMenu = m_popup1->addMenu(QStringLiteral("アシスタント(&A)"));
    m_popup1->addSeparator();
    m_mnuP1SkinChgMusic = m_popup1->addAction(QString::fromUtf8(SkinCatalogue::ChangeWithMusicCaption));
    m_mnuP1SkinChgMusic->setCheckable(true);
    connect(m_mnuP1SkinChgMusic, &QAction::triggered, this, [this] {
        // Qt has already toggled the checkable item; the handler toggles it itself.
        m_mnuP1SkinChgMusic->setChecked(!m_mnuP1SkinChgMusic->isChecked());
        SkinCatalogue::mnuP1SkinChgMusic_Click(*m_mnuP1SkinChgMusic, *this);
    });
    m_popup1->addSeparator();
    connect(m_popup1->addAction(QStringLiteral("スタート(&P)")), &QAction::triggered, this, [this] { mnuP1Play_Click(); });
    connect(m_popup1->addAction(QStringLiteral("一時停止(&U)")), &QAction::triggered, this, [this] { mnuP1Pause_Click(); });
    connect(m_popup1->addAction(QStringLiteral("ストップ(&T)")), &QAction::triggered, this, [this] { mnuP1Stop_Click(); });
    connect(m_popup1->addAction(QStringLiteral("前のトラック(&V)")), &QAction::triggered, this, [this] { mnuP1Prev_Click(); });
    connect(m_popup1->addAction(QStringLiteral("次のトラック(&N)")), &QAction::triggered, this, [this] { mnuP1Next_Click(); });
    m_popup1->addSeparator();
    connect(m_popup1->addAction(QStringLiteral("プロパティ(&R)...")), &QAction::triggered, this,
            [this] { mnuP1Properties_Click(); });
    m_popup1->addSeparator();
    connect(m_popup1->addAction(QStringLiteral("バージョン情報(&A)...")), &QAction::triggered, this,
            [this] { mnuP1Version_Click(); });
    m_popup1->addSeparator();
    connect(m_popup1->addAction(QStringLiteral("終了(&X)")), &QAction::triggered, this, [this] { mnuP1Exit_Click(); });

    connect(m_skinMenu, &QMenu::triggered, this, [this](QAction* action) {
        if (action == m_catalogue.OtherAction()) {
            m_catalogue.mnuP1SOther_Click(*this);
        } else if (const std::optional<int> index = m_catalogue.ActionIndex(action)) {
            m_catalogue.mnuP1SEnum_Click(*index, *this);
        }
    });

    m_popup2 = std::make_unique<QMenu>();
    connect(m_popup2->addAction(QStringLiteral("すべて削除(&C)")), &QAction::triggered, this,
            [this] { mnuP2ItemClear_Click(); });

    m_popup3 = std::make_unique<QMenu>();
    connect(m_popup3->addAction(QStringLiteral("フォルダを開く(&D)...")), &QAction::triggered, this,
            [this] { mnuP3Folder_Click(); });
    connect(m_popup3->addAction(QStringLiteral("ファイルを開く(&F)...")), &QAction::triggered, this,
            [this] { mnuP3File_Click(); });
}

bool frmZelko::Form_Load() {
    if (m_loaded) return !m_unloaded;
    m_loaded = true;

    // The controllers, in the order body, buttons, lyrics box, play-list box.
    BuildMenus();
    m_assistHost = std::make_unique<ClsZelkoAssistHost>(*this, *m_assistMenu, m_app->AppPath(), m_options.assist);
    const WidgetContext context{*m_window, m_window->Surface(), *m_app, m_skin};
    m_body = std::make_unique<ClsZelkoBodyAction>(context, m_assistHost->Analyze(), m_state);
    m_buttons = std::make_unique<ClsZelkoButtonAction>(context, m_state);
    m_lyrics = std::make_unique<ClsZelkoLyricsAction>(context, m_lyricsRecord);
    m_playList = std::make_unique<ClsZelkoPlayListAction>(context, m_mp3Files);
    ConnectControllers();

    // Skin catalogue and menu, then the assist catalogue and menu.
    m_catalogue.Build(m_app->AppPath());
    m_catalogue.BuildSkinMenu(*m_skinMenu);
    m_assistHost->EnumAssists();

    // The Properties dialog, loaded hidden and centred.
    m_props = std::make_unique<dialogs::frmZelkoProps>(*m_app, *this, nullptr);

    // The window hook: the wheel and the assists' commands reach the handlers.
    m_assistHost->InstallHook();

    // The decoder.
    m_decoder.dec_init();
    m_decoder.dec_setEqualizer(0);
    m_decoder.dec_setKaraokeUse(1);
    m_decoder.dec_useAtMarkTag(1);
    m_decoder.dec_setLyricsNextAdjustTime(50);

    ReadSettings();
    SetFlags(Flag::Stop, true);
    ReadPlayList();
    ShuffleMp3Files();
    if (!m_mp3Files.Contains(m_app->PlayPosition())) m_app->SetPlayPosition(m_mp3Files.Empty() ? 0 : 1);

    if (!ApplyStartSkin()) {
        mnuP1Exit_Click();
        return false;
    }
    if (m_unloaded) return false;
    m_window->show();
    if (m_app->bMinimize()) m_window->Minimize();
    m_assistHost->ExecuteSelectedAssists();
    return true;
}

void frmZelko::ReadSettings() {
    const ZelkoSettings s = SettingsFile::Load(m_app->DataPath() + "Zelko.ini", m_app->AppPath());
    m_app->SetSkinPath(s.SkinPath);
    m_app->SetSkinFile(s.SkinFile);
    m_app->SetSkinWithMusic(s.SkinWithMusic);
    m_mnuP1SkinChgMusic->setChecked(s.SkinWithMusic);
    for (const std::string& line : s.AssistLines) m_assistHost->SelectAssistFromIni(line);
    SetFlags(Flag::Repeat, s.Repeat);
    SetFlags(Flag::Shuffle, s.Shuffle);
    SetVolumeState(s.Volume);
    m_decoder.dec_setVolume(s.Volume, s.Volume);
    m_app->SetPlayPosition(s.PlayPosition);
    m_app->SetPlayListShowAlway(s.PlayListShowAlway);
    m_app->SetLyricsShowAlway(s.LyricsShowAlway);
    m_app->SetSearchChildFolder(s.SearchChildFolder);
    m_app->SetWindowLeft(s.WindowLeft);
    m_app->SetWindowTop(s.WindowTop);
    m_app->SetLyricsExt(s.LyricsExt);
    m_app->SetLyricsFolder(s.LyricsFolder);
}

void frmZelko::ReadPlayList() {
    const std::vector<std::string> paths = PlayListFile::Read(m_app->DataPath() + "Zelko.m3u");
    if (paths.empty()) return;
    KtBusyCursor busy;
    m_mp3Files.Reserve(paths.size());
    for (const std::string& path : paths) AddMp3File(path);
}

bool frmZelko::ApplyStartSkin() {
    const bool configured = !m_app->SkinPath().empty() || !m_app->SkinFile().empty();
    if (configured) {
        if (ApplyCurrentSkin()) {
            m_catalogue.MarkSelectedSkin(m_app->SkinPath());
            return true;
        }
        // A configured skin that can no longer be read: say so, then go on
        // with the first catalogue skin that can be shown.
        m_options.dialogs.showSkinError(SkinErrorText);
        // A signal may have ended the player while the message was shown.
        if (m_unloaded) return false;
    }
    const std::string oldPath = m_app->SkinPath();
    const std::string oldFile = m_app->SkinFile();
    for (const ClsZelkoSkin& entry : m_catalogue.coSkins()) {
        if (entry.SkinPath.empty() || entry.SkinFile.empty()) continue;
        m_app->SetSkinPath(entry.SkinPath);
        m_app->SetSkinFile(entry.SkinFile);
        if (ApplyCurrentSkin()) {
            m_catalogue.MarkSelectedSkin(m_app->SkinPath());
            return true;
        }
    }
    // Nothing can be shown: the settings keep the entry they had.
    m_app->SetSkinPath(oldPath);
    m_app->SetSkinFile(oldFile);
    return false;
}

// ---------------------------------------------------------------- shut-down

void frmZelko::Form_Unload() {
    if (!m_loaded || m_unloaded) return;
    m_unloaded = true;
    StopPlayTimer();
    WritePlayList();
    WriteSettings();
    m_decoder.dec_stop();
    m_decoder.dec_close();
    m_decoder.dec_free();
    if (m_assistHost) m_assistHost->RemoveHook();
    m_props.reset();
    m_catalogue.ClearSkinMenu();
    if (m_assistHost) m_assistHost->ClearAssists();
    m_shuffleOrder.Erase();
    m_mp3Files.Clear();
    m_window->hide();
}

void frmZelko::WritePlayList() {
    std::vector<std::string> paths;
    paths.reserve(m_mp3Files.Items().size());
    for (const ClsZelkoMp3File& track : m_mp3Files.Items()) paths.push_back(track.Mp3File());
    if (!PlayListFile::Write(m_app->DataPath() + "Zelko.m3u", paths))
        m_app->WriteRunLog("Zelko.m3u could not be written");
}

void frmZelko::WriteSettings() {
    ZelkoSettings s;
    s.SkinPath = m_app->SkinPath();
    s.SkinFile = m_app->SkinFile();
    s.SkinWithMusic = m_app->SkinWithMusic();
    s.Repeat = bRepeat();
    s.Shuffle = bShuffle();
    s.Volume = m_playState.Volume;
    s.PlayPosition = m_app->PlayPosition();
    s.PlayListShowAlway = m_app->PlayListShowAlway();
    s.LyricsShowAlway = m_app->LyricsShowAlway();
    s.SearchChildFolder = m_app->SearchChildFolder();
    s.WindowLeft = m_app->WindowLeft();
    s.WindowTop = m_app->WindowTop();
    s.LyricsExt = m_app->LyricsExt();
    s.LyricsFolder = m_app->LyricsFolder();
    std::vector<std::string> names;
    if (m_assistHost) {
        for (const std::string& line : m_assistHost->AssistSectionLines()) {
            const std::size_t eq = line.find('=');
            names.push_back(eq == std::string::npos ? line : line.substr(eq + 1));
        }
    }
    if (!SettingsFile::Save(m_app->DataPath() + "Zelko.ini", s, names))
        m_app->WriteRunLog("Zelko.ini could not be written");
}

// ---------------------------------------------------------------- play state

void frmZelko::SetFlags(Flag flag, bool value) {
    const std::int16_t v = protocol::ToVbBool(value);
    switch (flag) {
    case Flag::Play: m_state.bPlay = value; m_playState.bPlay = v; break;
    case Flag::Pause: m_state.bPause = value; m_playState.bPause = v; break;
    case Flag::Stop: m_state.bStop = value; m_playState.bStop = v; break;
    case Flag::Repeat: m_state.bRepeat = value; m_playState.bRepeat = v; break;
    case Flag::Shuffle: m_state.bShuffle = value; m_playState.bShuffle = v; break;
    }
    if (m_desktop) m_desktop->StateMayHaveChanged();
}

void frmZelko::SetVolumeState(std::int32_t volume) {
    m_state.Volume = volume;
    m_playState.Volume = volume;
    if (m_desktop) m_desktop->StateMayHaveChanged();
}

std::int32_t frmZelko::DecoderState() {
    const std::int32_t state = m_decoder.dec_getState();
    m_state.DecoderState = state;
    m_playState.DecoderState = state;
    return state;
}

std::int32_t frmZelko::TotalMs() const { return m_assistHost ? m_assistHost->Analyze().TotalMs : 0; }

// ---------------------------------------------------------------- play loop

void frmZelko::PlayTimer_Timer() {
    const SkinWindow::PaintScope paintOnce(*m_window);
    ReadPlayPosition();
    SendAnalyzeToAssists();
    // The digits shown ("MM:SS") change only with the whole second, so the
    // text is formatted again only then.
    const std::int32_t second = std::max<std::int32_t>(m_playMs, 0) / 1000;
    if (second != m_timeTextSecond) {
        m_timeText = m_app->FormatTimeMs(m_playMs).substr(0, 5);
        m_timeTextSecond = second;
    }
    const std::string& timeText = m_timeText;
    if (!IsMinimized()) {
        RefreshAnalyser();
        RefreshChangedTimeDigits(timeText);
        RefreshChangedSeekBar();
    }
    RememberShownTime(timeText);
    PollLyrics();
    PollEndOfTrack();
}

void frmZelko::ReadPlayPosition() {
    protocol::AnalyzeRecord& record = m_assistHost->Analyze();
    m_playMs = m_decoder.dec_getPlayMs();
    record.PlayMs = m_playMs;
    m_decoder.dec_getSpectrum(record.Spectrum1, record.Spectrum2);
}

void frmZelko::SendAnalyzeToAssists() { m_assistHost->SendAnalyze(); }

void frmZelko::RefreshAnalyser() {
    m_body->RefreshSpectrumData();
    ++m_redraws.spectrum;
}

void frmZelko::RedrawTimeDigit(int position) {
    switch (position) {
    case 0: m_body->RefreshTimeMM(); break;
    case 1: m_body->RefreshTimeM(); break;
    case 2: m_body->RefreshTimeColon(); break;
    case 3: m_body->RefreshTimeSS(); break;
    case 4: m_body->RefreshTimeS(); break;
    default: return;
    }
    ++m_redraws.timeDigits[static_cast<std::size_t>(position)];
}

void frmZelko::RefreshChangedTimeDigits(const std::string& timeText) {
    for (int i = 0; i < 5; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const char shown = at < m_lastTimeText.size() ? m_lastTimeText[at] : '\0';
        const char now = at < timeText.size() ? timeText[at] : '\0';
        if (shown != now) RedrawTimeDigit(i);
    }
}

void frmZelko::RefreshChangedSeekBar() {
    // A track whose length reads as 0 shows a seek position of 0.
    const std::int32_t totalMs = TotalMs();
    const std::int32_t percent =
        m_desktop && m_desktop->SeekBarPercent() ? *m_desktop->SeekBarPercent()
        : totalMs <= 0 ? 0
                       : static_cast<std::int32_t>(std::nearbyint(static_cast<double>(m_playMs) / totalMs * 100.0));
    if (percent != m_app->SeekPosition()) {
        m_app->SetSeekPosition(percent);
        m_body->RefreshSeekBar();
        ++m_redraws.seekBar;
    }
}

void frmZelko::RememberShownTime(const std::string& timeText) { m_lastTimeText = timeText; }

void frmZelko::PollLyrics() {
    if (!m_app->LyricsEnabled()) return;
    m_decoder.dec_getLyrics(m_lyricsRecord);
    if (m_lyricsRecord.CurrentLine != m_lastLyricsLine) {
        if (m_app->LyricsProc() && !IsMinimized()) {
            if (LyricsBoxVisible()) m_lyrics->RefreshLyricsRect();
            ++m_redraws.lyrics;
        }
        m_lastLyricsLine = m_lyricsRecord.CurrentLine;
    }
}

void frmZelko::PollEndOfTrack() {
    if (bStop()) return;
    if (DecoderState() == 0) EndOfTrack();
}

void frmZelko::EndOfTrack() {
    SetFlags(Flag::Stop, true);
    m_buttons->RefreshStop();
    SetFlags(Flag::Play, false);
    m_buttons->RefreshPlay();
    SetFlags(Flag::Pause, false);
    m_buttons->RefreshPause();
    m_decoder.dec_stop();
    m_decoder.dec_close();
    StopPlayTimer();
    m_assistHost->NotifyAssists(protocol::NotifyStop);
    m_lyrics->ClearLyricsText();
    if (LyricsBoxVisible()) m_lyrics->RefreshLyricsRect();

    const std::int32_t next = GetNextPlayPosition();
    m_app->SetPlayPosition(next);
    if (next == ShuffleOrder::kNoTrack) return;
    if (next == ShuffleOrder::kPastEnd) {
        m_app->SetPlayPosition(m_shuffleOrder.First());
        RefreshListBox();
        return;
    }
    if (m_app->SkinWithMusic() && !IsMinimized()) m_catalogue.NextSkin(*this);
    RefreshListBox();
    cButtonAction_PlayClick();
}

// ---------------------------------------------------------------- transport

void frmZelko::SetStoppedSituation() {
    SetFlags(Flag::Stop, true);
    m_buttons->RefreshStop();
    SetFlags(Flag::Play, false);
    m_buttons->RefreshPlay();
    SetFlags(Flag::Pause, false);
    m_buttons->RefreshPause();
}

void frmZelko::StartPlayTimer() { m_playTimer.start(m_app->TimerInterval()); }

void frmZelko::StopPlayTimer() { m_playTimer.stop(); }

void frmZelko::cButtonAction_PlayClick() {
    if (bPlay()) return;
    SetFlags(Flag::Play, true);
    m_buttons->RefreshPlay();
    SetFlags(Flag::Stop, false);
    m_buttons->RefreshStop();
    if (m_app->PlayPosition() == 0 || !m_mp3Files.Contains(m_app->PlayPosition())) {
        SetStoppedSituation();
        return;
    }
    const ClsZelkoMp3File& track = m_mp3Files.Item(m_app->PlayPosition());
    decoder::TrackOpenRecord opened{};
    if (!m_decoder.dec_open(track.Mp3File(), opened)) {
        // Started without sound, as the state rules say; the title box tells why.
        ShowCannotPlay(track);
        return;
    }
    m_assistHost->SetSongInfo("mp3file", track);
    m_app->SetTrackName(track.TrackName());
    m_assistHost->SetSongInfo("trackname", *m_app);
    m_app->SetArtistName(track.ArtistName());
    m_assistHost->SetSongInfo("artistname", *m_app);
    m_body->RefreshTitleBox();
    m_app->SetLyricsEnabled(FindLyricsFile(track.Mp3File(), m_app->LyricsExt(), m_app->LyricsFolder(),
                                           [this](const std::string& path) {
                                               return m_decoder.dec_setLyricsFile(path);
                                           }));
    m_assistHost->Analyze().TotalMs = opened.TotalSec * 1000;
    m_lastLyricsLine = -1;
    m_decoder.dec_play();
    StartPlayTimer();
    m_assistHost->NotifyAssists(protocol::NotifyPlay);
}

void frmZelko::ShowCannotPlay(const ClsZelkoMp3File& track) {
    m_app->SetTrackName(FileNameOf(track.Mp3File()) + " を再生できません");
    m_app->SetArtistName(std::string());
    m_body->RefreshTitleBox();
}

void frmZelko::cButtonAction_PauseClick() {
    const std::int32_t state = DecoderState();
    if (state == 0) return;
    if (state == 1) m_decoder.dec_pause();
    else if (state == 2) m_decoder.dec_restart();
    SetFlags(Flag::Pause, !bPause());
    m_buttons->RefreshPause();
    m_assistHost->NotifyAssists(protocol::NotifyPause);
}

void frmZelko::cButtonAction_StopClick() {
    if (bStop()) return;
    SetStoppedSituation();
    StopPlayTimer();
    m_decoder.dec_stop();
    m_decoder.dec_close();
    m_assistHost->NotifyAssists(protocol::NotifyStop);
    m_lyrics->ClearLyricsText();
    if (LyricsBoxVisible()) m_lyrics->RefreshLyricsRect();
}

void frmZelko::cButtonAction_NTrackClick() {
    const bool wasStarted = bPlay();
    if (wasStarted) cButtonAction_StopClick();
    m_buttons->RefreshNTrack();
    std::int32_t next = GetNextPlayPosition();
    if (next == ShuffleOrder::kPastEnd) next = m_shuffleOrder.First();
    m_app->SetPlayPosition(next);
    if (next != 0 && wasStarted) cButtonAction_PlayClick();
    RefreshListBox();
}

void frmZelko::cButtonAction_PTrackClick() {
    const bool wasStarted = bPlay();
    if (wasStarted) cButtonAction_StopClick();
    m_buttons->RefreshPTrack();
    std::int32_t prev = GetPrevPlayPosition();
    if (prev == ShuffleOrder::kPastEnd) prev = m_shuffleOrder.Last();
    m_app->SetPlayPosition(prev);
    if (prev != 0 && wasStarted) cButtonAction_PlayClick();
    RefreshListBox();
}

void frmZelko::cPlayListAction_ItemDblClick(std::int32_t trackPosition) {
    if (trackPosition == 0 || m_mp3Files.Empty() || !m_shuffleOrder.Contains(trackPosition)) return;
    m_app->SetPlayPosition(trackPosition);
    if (bPlay()) cButtonAction_StopClick();
    cButtonAction_PlayClick();
    RefreshListBox();
}

void frmZelko::cButtonAction_RepeatClick() {
    SetFlags(Flag::Repeat, !bRepeat());
    m_buttons->RefreshRepeat();
    m_assistHost->NotifyAssists(protocol::NotifyRepeat);
    if (m_props) m_props->ShowRepeat(bRepeat());
}

void frmZelko::cButtonAction_ShuffleClick() {
    SetFlags(Flag::Shuffle, !bShuffle());
    ShuffleMp3Files();
    m_buttons->RefreshShuffle();
    m_assistHost->NotifyAssists(protocol::NotifyShuffle);
    if (m_props) m_props->ShowShuffle(bShuffle());
}

void frmZelko::ApplyVolumeStep(bool plus) {
    // The fine step is read from the keyboard as it is at the click.
    const VolumeStep step = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier)
                                ? VolumeStep::Fine
                                : VolumeStep::Normal;
    const std::int32_t volume =
        plus ? VolumeRules::Plus(m_playState.Volume, step) : VolumeRules::Minus(m_playState.Volume, step);
    SetVolumeState(volume);
    m_decoder.dec_setVolume(volume, volume);
    m_body->RefreshVolumeValue();
    if (plus) m_buttons->RefreshVolumePlus();
    else m_buttons->RefreshVolumeMinus();
    m_assistHost->NotifyVolume();
    if (m_props) m_props->ShowVolume(volume);
}

void frmZelko::cButtonAction_VolumePlusClick() { ApplyVolumeStep(true); }

void frmZelko::cButtonAction_VolumeMinusClick() { ApplyVolumeStep(false); }

void frmZelko::SetVolumeFromAssist(std::int32_t volume) { m_assistHost->SetVolumeFromAssist(volume); }

void frmZelko::ApplyVolumeFromAssist(std::int32_t volume) {
    SetVolumeState(VolumeRules::Clamp(volume));
    m_decoder.dec_setVolume(m_state.Volume, m_state.Volume);
    m_body->RefreshVolumeValue();
    m_buttons->RefreshVolumePlus();
    if (m_props) m_props->ShowVolume(m_state.Volume);
}

void frmZelko::cButtonAction_OpenClick() {
    m_popup3->popup(QCursor::pos());
    m_buttons->RefreshOpen();
}

void frmZelko::cButtonAction_CloseClick() {
    SetStoppedSituation();
    mnuP1Exit_Click();
}

void frmZelko::cButtonAction_MinimizeClick() { MinimizeWindow(); }

void frmZelko::cButtonAction_LyricsPullClick() {
    m_drawers = PullDrawer(*m_window, m_skin, m_drawers, Drawer::Lyrics);
    m_app->SetLyricsShow(m_drawers.lyricsShow);
    if (m_drawers.lyricsShow) m_lyrics->Paint();
    m_buttons->RefreshLyricsPull();
}

void frmZelko::cButtonAction_PlayListPullClick() {
    m_drawers = PullDrawer(*m_window, m_skin, m_drawers, Drawer::PlayList);
    m_app->SetPlayListShow(m_drawers.playListShow);
    if (m_drawers.playListShow) m_playList->Paint();
    m_buttons->RefreshPlayListPull();
}

void frmZelko::cBodyAction_BodyRightClick() { ShowPopup1(false); }

void frmZelko::cBodyAction_BodyMoveFinished() {
    const platform::Point position = m_window->Position();
    m_app->SetWindowLeft(position.x);
    m_app->SetWindowTop(position.y);
    if (m_props) m_props->ShowWindowPosition(position.x, position.y);
}

void frmZelko::cPlayListAction_ItemRightClick() { m_popup2->popup(QCursor::pos()); }

void frmZelko::cPlayListAction_ListDownClick() {
    m_playList->RefreshListDown();
    if (m_playList->ListTop() < m_mp3Files.Count()) {
        m_playList->SetListTop(m_playList->ListTop() + 1);
        RefreshListBox();
    }
}

void frmZelko::cPlayListAction_ListUpClick() {
    m_playList->RefreshListUp();
    if (m_playList->ListTop() >= 2) {
        m_playList->SetListTop(m_playList->ListTop() - 1);
        RefreshListBox();
    }
}

std::int32_t frmZelko::ListTop() const { return m_playList ? m_playList->ListTop() : 1; }

// ---------------------------------------------------------------- menus, keys, wheel

void frmZelko::vbWheelMinus() {
    for (int i = 0; i < 3; ++i) cPlayListAction_ListDownClick();
}

void frmZelko::vbWheelPlus() {
    for (int i = 0; i < 3; ++i) cPlayListAction_ListUpClick();
}

void frmZelko::mnuP1Play_Click() {
    if (bStop()) cButtonAction_PlayClick();
}

void frmZelko::mnuP1Pause_Click() {
    if (bPlay()) cButtonAction_PauseClick();
}

void frmZelko::mnuP1Stop_Click() {
    if (bPlay()) cButtonAction_StopClick();
}

void frmZelko::mnuP1Prev_Click() { cButtonAction_PTrackClick(); }

void frmZelko::mnuP1Next_Click() { cButtonAction_NTrackClick(); }

void frmZelko::mnuP1Properties_Click() {
    if (m_props) m_props->Open();
}

void frmZelko::mnuP1Version_Click() {
    dialogs::frmZelkoAbout::ShowModal(
        dialogs::ProgramVersion{ZELKO_VERSION_MAJOR, ZELKO_VERSION_MINOR, ZELKO_VERSION_PATCH}, m_window.get());
}

void frmZelko::mnuP1Exit_Click() {
    if (m_unloaded) return;
    if (bPlay()) {
        cButtonAction_StopClick();
        ProcessPendingEvents();
    }
    Form_Unload();
    emit Closed();
}

void frmZelko::ProcessPendingEvents() {
    if (m_assistHost) m_assistHost->ProcessPendingEvents();
    else QCoreApplication::processEvents();
}

void frmZelko::UpdateAssistMenuItems() {
    for (const ClsZelkoAssist& assist : m_assistHost->Assists()) {
        const QList<QAction*> items = m_assistMenu->actions();
        if (assist.MenuIndex() >= 0 && assist.MenuIndex() < items.size())
            items[assist.MenuIndex()]->setEnabled(bPlay());
    }
}

void frmZelko::ShowPopup1(bool atWindowCorner) {
    UpdateAssistMenuItems();
    const QPoint at = atWindowCorner ? m_window->mapToGlobal(QPoint(0, 0)) : QCursor::pos();
    m_popup1->popup(at);
}

void frmZelko::Form_KeyUp(std::int32_t keyCode, KeyShift shift) {
    const std::optional<KeyCommand> command =
        LookupKeyCommand(keyCode, static_cast<unsigned>(static_cast<std::int32_t>(shift)));
    if (!command) return;
    switch (*command) {
    case KeyCommand::NextSkin: m_catalogue.NextSkin(*this); break;
    case KeyCommand::ToggleShuffle: cButtonAction_ShuffleClick(); break;
    case KeyCommand::ToggleRepeat: cButtonAction_RepeatClick(); break;
    case KeyCommand::Exit: mnuP1Exit_Click(); break;
    case KeyCommand::WheelMinus: vbWheelMinus(); break;
    case KeyCommand::WheelPlus: vbWheelPlus(); break;
    case KeyCommand::ListDown: cPlayListAction_ListDownClick(); break;
    case KeyCommand::ListUp: cPlayListAction_ListUpClick(); break;
    case KeyCommand::PullPanel: {
        const bool playList = !m_skin.pictures.picPlayListShow.isNull();
        const bool lyrics = !m_skin.pictures.picLyricsShow.isNull();
        if (playList && !lyrics) cButtonAction_PlayListPullClick();
        else if (lyrics && !playList) cButtonAction_LyricsPullClick();
        break;
    }
    case KeyCommand::OpenFolder: mnuP3Folder_Click(); break;
    case KeyCommand::OpenFile: mnuP3File_Click(); break;
    case KeyCommand::MainMenu: ShowPopup1(true); break;
    case KeyCommand::Play: mnuP1Play_Click(); break;
    case KeyCommand::Pause: mnuP1Pause_Click(); break;
    case KeyCommand::Stop: mnuP1Stop_Click(); break;
    case KeyCommand::Previous: cButtonAction_PTrackClick(); break;
    case KeyCommand::Next: cButtonAction_NTrackClick(); break;
    case KeyCommand::Properties: mnuP1Properties_Click(); break;
    case KeyCommand::SeekBackLong: if (m_desktop) m_desktop->SeekKey(-30000); break;
    case KeyCommand::SeekForwardLong: if (m_desktop) m_desktop->SeekKey(30000); break;
    case KeyCommand::SeekBack: if (m_desktop) m_desktop->SeekKey(-5000); break;
    case KeyCommand::SeekForward: if (m_desktop) m_desktop->SeekKey(5000); break;
    }
}

// ---------------------------------------------------------------- track list

void frmZelko::AddMp3File(const std::string& path) {
    // The names and the length come from one reading of the file.
    decoder::FileTagRecord tags{};
    decoder::FileInfoRecord info{};
    m_decoder.dec_getFileInfo(path, tags, info);
    m_mp3Files.Add(ClsZelkoMp3File(path, RecordText(tags.Artist), RecordText(tags.Title), info.TotalSec));
}

void frmZelko::FinishAddition() {
    if (m_app->PlayPosition() == 0 && !m_mp3Files.Empty()) m_app->SetPlayPosition(1);
    RefreshListBox();
    ShuffleMp3Files();
}

void frmZelko::AddMp3Files(const std::vector<std::string>& paths) {
    {
        KtBusyCursor busy;
        m_mp3Files.Reserve(m_mp3Files.Items().size() + paths.size());
        for (const std::string& path : paths) AddMp3File(path);
    }
    FinishAddition();
}

void frmZelko::ShuffleMp3Files() { m_shuffleOrder.Rebuild(m_mp3Files.Count(), bShuffle(), m_random); }

std::int32_t frmZelko::GetNextPlayPosition() const {
    return m_shuffleOrder.GetNextPlayPosition(m_app->PlayPosition(), m_mp3Files.Count(), bRepeat());
}

std::int32_t frmZelko::GetPrevPlayPosition() const {
    return m_shuffleOrder.GetPrevPlayPosition(m_app->PlayPosition(), m_mp3Files.Count(), bRepeat());
}

void frmZelko::mnuP3File_Click() {
    const std::vector<std::string> files = m_options.dialogs.chooseMp3Files();
    if (files.empty()) return;
    AddMp3Files(files);
}

void frmZelko::mnuP3Folder_Click() {
    std::string folder = m_options.dialogs.chooseFolder(MusicFolderTitle);
    if (folder.empty()) return;
    folder = WithTrailingSlash(folder);
    std::vector<std::string> paths;
    {
        KtBusyCursor busy;
        if (m_app->SearchChildFolder()) {
            // The file lister matches case-sensitively; this pattern accepts
            // ".mp3" in any letter case, as the plain folder listing does.
            ClsKtFileHandler lister;
            lister.FillFNameCollection(folder, "*.[mM][pP]3");
            paths = lister.coFiles();
        } else {
            for (const platform::DirectoryEntry& entry : platform::DirectorySearch::List(folder, "*.mp3"))
                paths.push_back(folder + entry.name);
        }
    }
    AddMp3Files(paths);
}

void frmZelko::mnuP2ItemClear_Click() {
    m_shuffleOrder.Erase();
    m_mp3Files.Clear();
    m_app->SetPlayPosition(0);
    RefreshListBox();
}

void frmZelko::Form_OLEDragDrop(const std::vector<std::string>& paths) {
    if (paths.size() == 1 && EndsWith(LowerAscii(FileNameOf(paths.front())), ".zks")) {
        ApplyDroppedSkin(paths.front());
    } else {
        std::vector<std::string> mp3s;
        for (const std::string& path : paths) {
            const std::string lower = LowerAscii(FileNameOf(path));
            if (EndsWith(lower, ".m3u")) continue;
            std::error_code error;
            if (EndsWith(lower, ".mp3") && !std::filesystem::is_directory(path, error)) mp3s.push_back(path);
        }
        AddMp3Files(mp3s);
    }
    m_window->raise();
    m_window->activateWindow();
    ProcessPendingEvents();
}

void frmZelko::ApplyDroppedSkin(const std::string& path) {
    const std::string oldPath = m_app->SkinPath();
    const std::string oldFile = m_app->SkinFile();
    const std::size_t slash = path.find_last_of('/');
    m_app->SetSkinPath(slash == std::string::npos ? std::string() : path.substr(0, slash + 1));
    m_app->SetSkinFile(slash == std::string::npos ? path : path.substr(slash + 1));
    if (!ApplyCurrentSkin()) {
        // The skin on screen stays; so does its entry in the settings.
        m_app->SetSkinPath(oldPath);
        m_app->SetSkinFile(oldFile);
    }
    m_catalogue.MarkSelectedSkin(m_app->SkinPath());
}

// ---------------------------------------------------------------- skin

std::string frmZelko::SkinPath() const { return m_app->SkinPath(); }
std::string frmZelko::SkinFile() const { return m_app->SkinFile(); }
void frmZelko::SetSkinPath(const std::string& path) { m_app->SetSkinPath(path); }
void frmZelko::SetSkinFile(const std::string& file) { m_app->SetSkinFile(file); }
void frmZelko::SetSkinWithMusic(bool on) { m_app->SetSkinWithMusic(on); }

void frmZelko::PausePlayTimer() {
    StopPlayTimer();
    ProcessPendingEvents();
}

void frmZelko::ResumePlayTimer() { StartPlayTimer(); }

std::string frmZelko::ChooseSkinFolder(const std::string& title) { return m_options.dialogs.chooseFolder(title); }

bool frmZelko::ApplyCurrentSkin() {
    SkinLoadResult loaded = LoadSkin(m_app->SkinPath(), m_app->SkinFile(),
                                     [this](const std::string& line) { m_app->WriteRunLog(line); });
    if (!loaded.skin) return false;
    // The controllers hold a reference to m_skin: the new skin is assigned
    // into the same object.
    m_skin = std::move(*loaded.skin);
    CopySkinStateToApp();
    const SkinWindowSettings settings{m_app->WindowLeft(), m_app->WindowTop(), m_app->LyricsShowAlway(),
                                      m_app->PlayListShowAlway()};
    m_drawers = BuildSkinWindow(*m_window, m_skin, settings);
    m_app->SetLyricsShow(m_drawers.lyricsShow);
    m_app->SetPlayListShow(m_drawers.playListShow);
    m_lyrics->MakeLyricsRect();
    m_playList->MakePlayListRect();
    PaintWidgets();
    return true;
}

void frmZelko::CopySkinStateToApp() {
    const SkinTextColours& c = m_skin.colours;
    auto set = [&c](SkinColour which, auto setter) {
        if (const std::optional<std::int32_t>& v = c.Colour(which)) setter(*v);
    };
    set(SkinColour::PlayListFore, [this](std::int32_t v) { m_app->SetRGBPlayListFore(v); });
    set(SkinColour::PlayListPlaying, [this](std::int32_t v) { m_app->SetRGBPlayListPlaying(v); });
    set(SkinColour::LyricsPPrev, [this](std::int32_t v) { m_app->SetRGBLyricsPPrev(v); });
    set(SkinColour::LyricsPrev, [this](std::int32_t v) { m_app->SetRGBLyricsPrev(v); });
    set(SkinColour::LyricsCurrent, [this](std::int32_t v) { m_app->SetRGBLyricsCurrent(v); });
    set(SkinColour::LyricsNext, [this](std::int32_t v) { m_app->SetRGBLyricsNext(v); });
    set(SkinColour::LyricsNNext, [this](std::int32_t v) { m_app->SetRGBLyricsNNext(v); });
    set(SkinColour::TitleFore, [this](std::int32_t v) { m_app->SetRGBTitleFore(v); });
    for (std::size_t i = 0; i < c.peekPositions.size(); ++i) {
        if (c.peekPositions[i])
            m_app->SetPeekPosition(std::to_string(i), "value(" + std::to_string(*c.peekPositions[i]) + ")");
    }
}

void frmZelko::PaintWidgets() {
    m_body->Paint();
    m_buttons->Paint();
    if (LyricsBoxVisible()) m_lyrics->Paint();
    if (PlayListBoxVisible()) m_playList->Paint();
}

// A box lies in its drawer when the skin has one; it is drawn only while the
// drawer is out, so that a pushed-back drawer's picture stays as it is.
bool frmZelko::LyricsBoxVisible() const { return !m_skin.HasLyricsDrawer() || m_drawers.lyricsShow; }

bool frmZelko::PlayListBoxVisible() const { return !m_skin.HasPlayListDrawer() || m_drawers.playListShow; }

void frmZelko::RefreshListBox() {
    if (PlayListBoxVisible()) m_playList->RefreshPlayList();
    if (m_desktop) m_desktop->StateMayHaveChanged();
}

// ---------------------------------------------------------------- window events

void frmZelko::ConnectControllers() {
    ClsZelkoButtonAction* b = m_buttons.get();
    connect(b, &ClsZelkoButtonAction::CloseClick, this, [this] { cButtonAction_CloseClick(); });
    connect(b, &ClsZelkoButtonAction::MinimizeClick, this, [this] { cButtonAction_MinimizeClick(); });
    connect(b, &ClsZelkoButtonAction::LyricsPullClick, this, [this] { cButtonAction_LyricsPullClick(); });
    connect(b, &ClsZelkoButtonAction::PlayListPullClick, this, [this] { cButtonAction_PlayListPullClick(); });
    connect(b, &ClsZelkoButtonAction::OpenClick, this, [this] { cButtonAction_OpenClick(); });
    connect(b, &ClsZelkoButtonAction::PlayClick, this, [this] { cButtonAction_PlayClick(); });
    connect(b, &ClsZelkoButtonAction::PauseClick, this, [this] { cButtonAction_PauseClick(); });
    connect(b, &ClsZelkoButtonAction::StopClick, this, [this] { cButtonAction_StopClick(); });
    connect(b, &ClsZelkoButtonAction::PTrackClick, this, [this] { cButtonAction_PTrackClick(); });
    connect(b, &ClsZelkoButtonAction::NTrackClick, this, [this] { cButtonAction_NTrackClick(); });
    connect(b, &ClsZelkoButtonAction::RepeatClick, this, [this] { cButtonAction_RepeatClick(); });
    connect(b, &ClsZelkoButtonAction::ShuffleClick, this, [this] { cButtonAction_ShuffleClick(); });
    connect(b, &ClsZelkoButtonAction::VolumePlusClick, this, [this] { cButtonAction_VolumePlusClick(); });
    connect(b, &ClsZelkoButtonAction::VolumeMinusClick, this, [this] { cButtonAction_VolumeMinusClick(); });
    connect(m_body.get(), &ClsZelkoBodyAction::BodyRightClick, this, [this] { cBodyAction_BodyRightClick(); });
    connect(m_body.get(), &ClsZelkoBodyAction::BodyMoveFinished, this, [this] { cBodyAction_BodyMoveFinished(); });
    ClsZelkoPlayListAction* p = m_playList.get();
    connect(p, &ClsZelkoPlayListAction::ItemDblClick, this,
            [this](std::int32_t track) { cPlayListAction_ItemDblClick(track); });
    connect(p, &ClsZelkoPlayListAction::ItemRightClick, this, [this] { cPlayListAction_ItemRightClick(); });
    connect(p, &ClsZelkoPlayListAction::ListDownClick, this, [this] { cPlayListAction_ListDownClick(); });
    connect(p, &ClsZelkoPlayListAction::ListUpClick, this, [this] { cPlayListAction_ListUpClick(); });
}

void frmZelko::OnMouseDown(MouseButton button, KeyShift shift, std::int32_t x, std::int32_t y) {
    if (!m_body) return;
    if (m_desktop && m_desktop->MouseDown(button, x, y)) return;
    m_body->MouseDown(button, shift, x, y);
    m_buttons->MouseDown(button, shift, x, y);
    m_playList->MouseDown(button, shift, x, y);
}

void frmZelko::OnMouseUp(MouseButton button, KeyShift shift, std::int32_t x, std::int32_t y) {
    if (!m_body) return;
    if (m_desktop && m_desktop->MouseUp(button, x, y)) return;
    m_body->MouseUp(button, shift, x, y);
    m_buttons->MouseUp(button, shift, x, y);
    if (!m_unloaded) m_playList->MouseUp(button, shift, x, y);
}

void frmZelko::OnMouseMove(MouseButtons buttons, KeyShift shift, std::int32_t x, std::int32_t y) {
    if (m_desktop) m_desktop->MouseMove(buttons, x, y);
    if (m_body) m_body->MouseMove(buttons, shift, x, y);
}

void frmZelko::OnDoubleClick(std::int32_t x, std::int32_t y) {
    if (m_playList) m_playList->DblClick(x, y);
}

void frmZelko::OnKeyUp(std::int32_t keyCode, KeyShift shift) { Form_KeyUp(keyCode, shift); }

void frmZelko::OnWheel(std::int32_t delta, KeyShift, std::int32_t x, std::int32_t y) {
    if (m_desktop && m_desktop->Wheel(delta, x, y)) return;
    // The wheel goes through the window procedure, as the assists' messages do.
    if (m_assistHost) m_assistHost->DispatchMouseWheel(delta);
}

void frmZelko::OnFilesDropped(const std::vector<std::string>& paths) { Form_OLEDragDrop(paths); }

void frmZelko::OnPaintNeeded() {
    if (m_body && !m_unloaded) PaintWidgets();
}

bool frmZelko::OnCloseRequested() {
    // The Exit command saves and hides the window itself.
    mnuP1Exit_Click();
    return false;
}

bool frmZelko::IsMinimized() const { return m_window->IsMinimized(); }

bool frmZelko::IsNormalState() const { return !m_window->IsMinimized() && !m_window->isMaximized(); }

void frmZelko::MinimizeWindow() { m_window->Minimize(); }

void frmZelko::RestoreWindow() { m_window->Restore(); }

void frmZelko::SetAnalyzeProc(bool on) { m_app->SetAnalyzeProc(on); }

void frmZelko::ClearAnalyzer() {
    m_body->PeakLevel().ClearAll();
    m_body->RefreshSpectrumData();
}

// ---------------------------------------------------------------- Properties dialog host

void frmZelko::ApplyRepeat(bool on) {
    SetFlags(Flag::Repeat, on);
    m_buttons->RefreshRepeat();
}

void frmZelko::ApplyShuffle(bool on) {
    SetFlags(Flag::Shuffle, on);
    ShuffleMp3Files();
    m_buttons->RefreshShuffle();
}

void frmZelko::ApplyVolume(int volume) {
    SetVolumeState(VolumeRules::Clamp(volume));
    m_decoder.dec_setVolume(m_state.Volume, m_state.Volume);
    m_body->RefreshVolumeValue();
}

void frmZelko::MoveMainWindow(dialogs::WindowEdge edge, int pixels) {
    const platform::Point at = m_window->Position();
    if (edge == dialogs::WindowEdge::Left) m_window->MoveTo(pixels, at.y);
    else m_window->MoveTo(at.x, pixels);
}

std::string frmZelko::ChooseFolder(QWidget*, const std::string& title) {
    return m_options.dialogs.chooseFolder(title);
}
