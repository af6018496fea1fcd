// The main window's routing. It stays one file although it is long: it is a
// list of short handlers, one for each button, menu item, key, widget signal
// and window event, each passing the event to the part that does the work,
// and read together they are the map of what the user can do.
#include "player/frmZelko.h"

#include "player/dialogs/ProgramVersion.h"
#include "player/dialogs/frmZelkoAbout.h"
#include "player/dialogs/frmZelkoProps.h"
#include "player/playback/KeyTable.h"
#include "player/playback/TrackFiles.h"
#include "player/shell/Startup.h"
#include "player/skin/SkinWindow.h"
#include "player/widgets/ClsZelkoBodyAction.h"
#include "player/widgets/ClsZelkoButtonAction.h"
#include "player/widgets/ClsZelkoPlayListAction.h"
#include "player/widgets/MenuPopup.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

#include <chrono>
#include <utility>

namespace {

std::unique_ptr<shell::ClsZelko> MakeApp(const frmZelko::Options& options)
{
    return options.programFolder.empty() ? std::make_unique<shell::ClsZelko>(options.commandLine)
                                         : std::make_unique<shell::ClsZelko>(options.commandLine, options.programFolder);
}

std::string Translated(const char* source) { return QCoreApplication::translate("frmZelko", source).toStdString(); }

// The shuffle generator is seeded once per run, from the clock.
std::uint32_t SeedOf(const frmZelko::Options& options)
{
    return options.randomSeed.value_or(
        static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

} // namespace

frmZelko::frmZelko(Options options)
    : m_options(std::move(options))
    , m_app(MakeApp(m_options))
    , m_decoder(m_options.decoder)
    , m_transport(m_decoder, SeedOf(m_options))
    , m_window(std::make_unique<skin::SkinWindow>())
    , m_loop(*m_app, m_decoder, m_transport, *m_window, *this)
    , m_view(*m_app, *m_window, m_transport, m_loop)
    , m_skins(
          {*m_app, m_view, m_loop, m_transport, m_catalogue, m_options.dialogs}, [this] { ProcessPendingEvents(); },
          [this] { return m_unloaded; })
    , m_tracks(m_transport, *m_app, m_options.dialogs)
{
    m_window->SetListener(this);
    m_window->setWindowTitle(QString::fromUtf8(AppTitle));

    shell::FillDefaultDialogs(m_options.dialogs, m_window.get(), AppTitle);
}

frmZelko::~frmZelko()
{
    Form_Unload();
    m_transport.RemoveObserver(m_view);
    m_transport.RemoveObserver(m_loop);
    if (m_assistHost) m_transport.RemoveObserver(m_assistHost->Broadcaster());
    if (m_window) m_window->SetListener(nullptr);
}

// ---------------------------------------------------------------- start-up and shut-down

bool frmZelko::Form_Load()
{
    if (m_loaded) return !m_unloaded;
    m_loaded = true;

    m_menus = std::make_unique<shell::PlayerMenus>(*this, m_catalogue, m_skins);
    m_assistHost =
        std::make_unique<assisthost::ClsZelkoAssistHost>(*this, m_menus->AssistMenu(), m_app->AppPath(), m_options.assist);
    ConnectControllers();
    m_loop.SetWidgets(m_view.Body(), m_view.LyricsBox());
    // The window redraws first, the play loop follows, the assists hear last.
    m_transport.AddObserver(m_view);
    m_transport.AddObserver(m_loop);
    m_transport.AddObserver(m_assistHost->Broadcaster());

    // Skin catalogue and menu, then the assist catalogue and menu.
    m_catalogue.Build(m_app->AppPath());
    m_catalogue.BuildSkinMenu(m_menus->SkinMenu());
    m_assistHost->EnumAssists();

    // The Properties dialog, loaded hidden and centred.
    m_props = std::make_unique<dialogs::frmZelkoProps>(*m_app, *this, nullptr);
    m_propsFollower.emplace(*m_props, m_transport);
    m_transport.AddObserver(*m_propsFollower);

    // The window hook: the assists' commands reach the handlers.
    m_assistHost->InstallHook();

    m_transport.InitDecoder();
    m_menus->SetSkinWithMusicChecked(
        shell::Startup::ReadSettings(*m_app, m_transport, *m_assistHost, std::exchange(m_options.settings, std::nullopt)));
    shell::Startup::ReadPlayList(*m_app, m_transport);
    m_transport.ShuffleMp3Files();
    shell::Startup::CheckPlayPosition(m_transport);

    m_menus->SetDoubleSizeChecked(m_view.ChooseStartScale() > 1);

    if (!m_skins.ApplyStartSkin(Translated(SkinErrorText))) {
        mnuP1Exit_Click();
        return false;
    }
    if (m_unloaded) return false;
    m_window->show();
    if (m_app->bMinimize()) m_window->Minimize();
    m_assistHost->ExecuteSelectedAssists();
    return true;
}

void frmZelko::Form_Unload()
{
    if (!m_loaded || m_unloaded) return;
    m_unloaded = true;
    m_loop.StopTimer();
    shell::Startup::WritePlayList(*m_app, m_transport);
    shell::Startup::WriteSettings(*m_app, m_transport, m_assistHost.get());
    m_transport.FreeDecoder();
    if (m_assistHost) m_assistHost->RemoveHook();
    if (m_propsFollower) m_transport.RemoveObserver(*m_propsFollower);
    m_propsFollower.reset();
    m_props.reset();
    m_catalogue.ClearSkinMenu();
    if (m_assistHost) m_assistHost->ClearAssists();
    m_transport.ForgetMp3Files();
    m_window->hide();
}

void frmZelko::mnuP1Exit_Click()
{
    if (m_unloaded) return;
    if (m_transport.bPlay()) {
        cButtonAction_StopClick();
        ProcessPendingEvents();
    }
    Form_Unload();
    emit Closed();
}

void frmZelko::ProcessPendingEvents()
{
    if (m_assistHost)
        m_assistHost->ProcessPendingEvents();
    else
        QCoreApplication::processEvents();
}

// ---------------------------------------------------------------- transport commands

void frmZelko::cButtonAction_PlayClick() { m_transport.Play(); }
void frmZelko::cButtonAction_PauseClick() { m_transport.Pause(); }
void frmZelko::cButtonAction_StopClick() { m_transport.Stop(); }

void frmZelko::cButtonAction_NTrackClick()
{
    m_transport.Next();
    m_view.Buttons().RefreshNTrack();
}

void frmZelko::cButtonAction_PTrackClick()
{
    m_transport.Previous();
    m_view.Buttons().RefreshPTrack();
}

void frmZelko::cPlayListAction_ItemDblClick(std::int32_t trackPosition) { m_transport.PlayTrack(trackPosition); }
void frmZelko::cButtonAction_RepeatClick() { m_transport.ToggleRepeat(); }
void frmZelko::cButtonAction_ShuffleClick() { m_transport.ToggleShuffle(); }

void frmZelko::ApplyVolumeStep(bool plus)
{
    // The fine step is read from the keyboard as it is at the click.
    const playback::VolumeStep step = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier)
        ? playback::VolumeStep::Fine
        : playback::VolumeStep::Normal;
    const std::int32_t volume = plus ? playback::VolumeRules::Plus(m_transport.Volume(), step)
                                     : playback::VolumeRules::Minus(m_transport.Volume(), step);
    m_transport.SetVolume(volume, plus ? playback::VolumeCause::PlusButton : playback::VolumeCause::MinusButton);
}

void frmZelko::cButtonAction_VolumePlusClick() { ApplyVolumeStep(true); }
void frmZelko::cButtonAction_VolumeMinusClick() { ApplyVolumeStep(false); }
void frmZelko::ApplyVolumeFromAssist(std::int32_t volume) { m_transport.SetVolume(volume, playback::VolumeCause::Assist); }
void frmZelko::ApplyRepeat(bool on) { m_transport.SetRepeat(on); }
void frmZelko::ApplyShuffle(bool on) { m_transport.SetShuffle(on); }
void frmZelko::ApplyVolume(int volume) { m_transport.SetVolume(volume, playback::VolumeCause::Properties); }

void frmZelko::mnuP1Play_Click()
{
    if (m_transport.bStop()) cButtonAction_PlayClick();
}

void frmZelko::mnuP1Pause_Click()
{
    if (m_transport.bPlay()) cButtonAction_PauseClick();
}

void frmZelko::mnuP1Stop_Click()
{
    if (m_transport.bPlay()) cButtonAction_StopClick();
}

void frmZelko::mnuP1Prev_Click() { cButtonAction_PTrackClick(); }

void frmZelko::mnuP1DoubleSize_Click()
{
    if (!m_unloaded) m_menus->SetDoubleSizeChecked(m_view.ToggleDoubleSize() > 1);
}

void frmZelko::mnuP1Next_Click() { cButtonAction_NTrackClick(); }
protocol::PlayStateRecord frmZelko::CurrentPlayState() const { return playback::ToRecord(m_transport.State()); }
std::int32_t frmZelko::DecoderState() { return static_cast<std::int32_t>(m_transport.ReadDecoderState()); }

// ---------------------------------------------------------------- play loop host

bool frmZelko::IsMinimized() const { return m_window->IsMinimized(); }
bool frmZelko::LyricsBoxVisible() const { return m_view.LyricsBoxVisible(); }
void frmZelko::SendAnalyze(const protocol::AnalyzeRecord& record) { m_assistHost->SendAnalyze(record); }

void frmZelko::BeforeNextTrack()
{
    if (m_app->SkinWithMusic() && !IsMinimized()) m_skins.NextSkin();
}

std::optional<std::int32_t> frmZelko::SeekBarDragPercent() const
{
    return m_desktop ? m_desktop->SeekBarPercent() : std::nullopt;
}

void frmZelko::SetAnalyzeProc(bool on) { m_app->SetAnalyzeProc(on); }
void frmZelko::ClearAnalyzer() { m_view.ClearAnalyzer(); }

// ---------------------------------------------------------------- window buttons, menus, keys, wheel

void frmZelko::cButtonAction_OpenClick()
{
    // The button keeps its pressed look until the menu has closed.
    widgets::MenuPopup::Show(m_menus->mnuPopup3(), QCursor::pos(), [this] {
        if (!m_unloaded) m_view.Buttons().RefreshOpen();
    });
}

void frmZelko::cButtonAction_CloseClick()
{
    m_transport.MarkStopped();
    mnuP1Exit_Click();
}

void frmZelko::cButtonAction_MinimizeClick() { MinimizeWindow(); }
void frmZelko::cButtonAction_LyricsPullClick() { m_view.PullDrawer(skin::Drawer::Lyrics); }
void frmZelko::cButtonAction_PlayListPullClick() { m_view.PullDrawer(skin::Drawer::PlayList); }
void frmZelko::cBodyAction_BodyRightClick() { ShowPopup1(false); }

void frmZelko::cBodyAction_BodyMoveFinished()
{
    const platform::Point position = m_window->Position();
    m_app->SetWindowLeft(position.x);
    m_app->SetWindowTop(position.y);
    if (m_props) m_props->ShowWindowPosition(position.x, position.y);
}

void frmZelko::cPlayListAction_ItemRightClick() { m_menus->mnuPopup2().popup(QCursor::pos()); }
void frmZelko::cPlayListAction_ListDownClick() { m_view.ScrollListDown(); }
void frmZelko::cPlayListAction_ListUpClick() { m_view.ScrollListUp(); }

void frmZelko::vbWheelMinus()
{
    for (int i = 0; i < 3; ++i)
        cPlayListAction_ListDownClick();
}

void frmZelko::vbWheelPlus()
{
    for (int i = 0; i < 3; ++i)
        cPlayListAction_ListUpClick();
}

void frmZelko::mnuP1Properties_Click()
{
    if (m_props) m_props->Open();
}

void frmZelko::mnuP1Version_Click()
{
    dialogs::frmZelkoAbout::ShowModal(
        dialogs::ProgramVersion{ZELKO_VERSION_MAJOR, ZELKO_VERSION_MINOR, ZELKO_VERSION_PATCH}, m_window.get());
}

void frmZelko::ShowPopup1(bool atWindowCorner)
{
    const QPoint at = atWindowCorner ? m_window->mapToGlobal(QPoint(0, 0)) : QCursor::pos();
    m_menus->ShowPopup1(at, m_assistHost->Assists(), m_transport.bPlay());
}

void frmZelko::Form_KeyUp(std::int32_t keyCode, skin::KeyShift shift)
{
    const std::optional<playback::KeyCommand> command =
        playback::LookupKeyCommand(keyCode, static_cast<unsigned>(static_cast<std::int32_t>(shift)));
    if (!command) return;
    switch (*command) {
    case playback::KeyCommand::NextSkin: m_skins.NextSkin(); break;
    case playback::KeyCommand::ToggleShuffle: cButtonAction_ShuffleClick(); break;
    case playback::KeyCommand::ToggleRepeat: cButtonAction_RepeatClick(); break;
    case playback::KeyCommand::Exit: mnuP1Exit_Click(); break;
    case playback::KeyCommand::WheelMinus: vbWheelMinus(); break;
    case playback::KeyCommand::WheelPlus: vbWheelPlus(); break;
    case playback::KeyCommand::ListDown: cPlayListAction_ListDownClick(); break;
    case playback::KeyCommand::ListUp: cPlayListAction_ListUpClick(); break;
    case playback::KeyCommand::PullPanel:
        if (const std::optional<skin::Drawer> drawer = m_view.SoleDrawer()) m_view.PullDrawer(*drawer);
        break;
    case playback::KeyCommand::OpenFolder: mnuP3Folder_Click(); break;
    case playback::KeyCommand::OpenFile: mnuP3File_Click(); break;
    case playback::KeyCommand::MainMenu: ShowPopup1(true); break;
    case playback::KeyCommand::Play: mnuP1Play_Click(); break;
    case playback::KeyCommand::Pause: mnuP1Pause_Click(); break;
    case playback::KeyCommand::Stop: mnuP1Stop_Click(); break;
    case playback::KeyCommand::Previous: cButtonAction_PTrackClick(); break;
    case playback::KeyCommand::Next: cButtonAction_NTrackClick(); break;
    case playback::KeyCommand::Properties: mnuP1Properties_Click(); break;
    case playback::KeyCommand::SeekBackLong: SeekByKey(-LongSeekStepMs); break;
    case playback::KeyCommand::SeekForwardLong: SeekByKey(LongSeekStepMs); break;
    case playback::KeyCommand::SeekBack: SeekByKey(-SeekStepMs); break;
    case playback::KeyCommand::SeekForward: SeekByKey(SeekStepMs); break;
    }
}

void frmZelko::SeekByKey(std::int32_t ms)
{
    if (m_desktop) m_desktop->SeekKey(ms);
}

// ---------------------------------------------------------------- track list

void frmZelko::mnuP3File_Click() { m_tracks.AddChosenFiles(); }
void frmZelko::mnuP3Folder_Click() { m_tracks.AddChosenFolder(Translated(MusicFolderTitle)); }
void frmZelko::mnuP2ItemClear_Click() { m_transport.ClearMp3Files(); }

void frmZelko::Form_OLEDragDrop(const std::vector<std::string>& paths)
{
    const playback::TrackFiles::Dropped dropped = playback::TrackFiles::Classify(paths);
    if (dropped.skinFile)
        m_skins.ApplyDroppedSkin(*dropped.skinFile);
    else
        m_tracks.Add(dropped.mp3Files);
    m_window->raise();
    m_window->activateWindow();
    ProcessPendingEvents();
}

// ---------------------------------------------------------------- window events

void frmZelko::ConnectControllers()
{
    widgets::ClsZelkoButtonAction* b = &m_view.Buttons();
    connect(b, &widgets::ClsZelkoButtonAction::CloseClick, this, [this] { cButtonAction_CloseClick(); });
    connect(b, &widgets::ClsZelkoButtonAction::MinimizeClick, this, [this] { cButtonAction_MinimizeClick(); });
    connect(b, &widgets::ClsZelkoButtonAction::LyricsPullClick, this, [this] { cButtonAction_LyricsPullClick(); });
    connect(b, &widgets::ClsZelkoButtonAction::PlayListPullClick, this, [this] { cButtonAction_PlayListPullClick(); });
    connect(b, &widgets::ClsZelkoButtonAction::OpenClick, this, [this] { cButtonAction_OpenClick(); });
    connect(b, &widgets::ClsZelkoButtonAction::PlayClick, this, [this] { cButtonAction_PlayClick(); });
    connect(b, &widgets::ClsZelkoButtonAction::PauseClick, this, [this] { cButtonAction_PauseClick(); });
    connect(b, &widgets::ClsZelkoButtonAction::StopClick, this, [this] { cButtonAction_StopClick(); });
    connect(b, &widgets::ClsZelkoButtonAction::PTrackClick, this, [this] { cButtonAction_PTrackClick(); });
    connect(b, &widgets::ClsZelkoButtonAction::NTrackClick, this, [this] { cButtonAction_NTrackClick(); });
    connect(b, &widgets::ClsZelkoButtonAction::RepeatClick, this, [this] { cButtonAction_RepeatClick(); });
    connect(b, &widgets::ClsZelkoButtonAction::ShuffleClick, this, [this] { cButtonAction_ShuffleClick(); });
    connect(b, &widgets::ClsZelkoButtonAction::VolumePlusClick, this, [this] { cButtonAction_VolumePlusClick(); });
    connect(b, &widgets::ClsZelkoButtonAction::VolumeMinusClick, this, [this] { cButtonAction_VolumeMinusClick(); });
    widgets::ClsZelkoBodyAction* body = &m_view.Body();
    connect(body, &widgets::ClsZelkoBodyAction::BodyRightClick, this, [this] { cBodyAction_BodyRightClick(); });
    connect(body, &widgets::ClsZelkoBodyAction::BodyMoveFinished, this, [this] { cBodyAction_BodyMoveFinished(); });
    widgets::ClsZelkoPlayListAction* p = &m_view.PlayListBox();
    connect(p, &widgets::ClsZelkoPlayListAction::ItemDblClick, this,
            [this](std::int32_t track) { cPlayListAction_ItemDblClick(track); });
    connect(p, &widgets::ClsZelkoPlayListAction::ItemRightClick, this, [this] { cPlayListAction_ItemRightClick(); });
    connect(p, &widgets::ClsZelkoPlayListAction::ListDownClick, this, [this] { cPlayListAction_ListDownClick(); });
    connect(p, &widgets::ClsZelkoPlayListAction::ListUpClick, this, [this] { cPlayListAction_ListUpClick(); });
}

// Input before start-up reaches no controller.
void frmZelko::OnMouseDown(skin::MouseButton button, skin::KeyShift shift, std::int32_t x, std::int32_t y)
{
    if (!m_loaded) return;
    if (m_desktop && m_desktop->MouseDown(button, x, y)) return;
    m_view.Body().MouseDown(button, shift, x, y);
    m_view.Buttons().MouseDown(button, shift, x, y);
    m_view.PlayListBox().MouseDown(button, shift, x, y);
}

void frmZelko::OnMouseUp(skin::MouseButton button, skin::KeyShift shift, std::int32_t x, std::int32_t y)
{
    if (!m_loaded) return;
    if (m_desktop && m_desktop->MouseUp(button, x, y)) return;
    m_view.Body().MouseUp(button, shift, x, y);
    m_view.Buttons().MouseUp(button, shift, x, y);
    if (!m_unloaded) m_view.PlayListBox().MouseUp(button, shift, x, y);
}

void frmZelko::OnMouseMove(skin::MouseButtons buttons, skin::KeyShift shift, std::int32_t x, std::int32_t y)
{
    if (!m_loaded) return;
    if (m_desktop) m_desktop->MouseMove(buttons, x, y);
    m_view.Body().MouseMove(buttons, shift, x, y);
}

void frmZelko::OnDoubleClick(std::int32_t x, std::int32_t y)
{
    if (m_loaded) m_view.PlayListBox().DblClick(x, y);
}

void frmZelko::OnKeyUp(std::int32_t keyCode, skin::KeyShift shift) { Form_KeyUp(keyCode, shift); }

void frmZelko::OnWheel(std::int32_t delta, skin::KeyShift, std::int32_t x, std::int32_t y)
{
    // Towards the user (a negative step) scrolls the list down.
    if (!m_loaded || m_unloaded) return;
    if (m_desktop && m_desktop->Wheel(delta, x, y)) return;
    if (delta < 0)
        vbWheelMinus();
    else
        vbWheelPlus();
}

void frmZelko::OnFilesDropped(const std::vector<std::string>& paths) { Form_OLEDragDrop(paths); }

void frmZelko::OnPaintNeeded()
{
    if (m_loaded && !m_unloaded) m_view.PaintWidgets();
}

bool frmZelko::OnCloseRequested()
{
    // The Exit command saves and hides the window itself.
    mnuP1Exit_Click();
    return false;
}

bool frmZelko::IsNormalState() const { return !m_window->IsMinimized() && !m_window->isMaximized(); }
void frmZelko::MinimizeWindow() { m_window->Minimize(); }
void frmZelko::RestoreWindow() { m_window->Restore(); }

void frmZelko::MoveMainWindow(dialogs::WindowEdge edge, int pixels)
{
    const platform::Point at = m_window->Position();
    if (edge == dialogs::WindowEdge::Left)
        m_window->MoveTo(pixels, at.y);
    else
        m_window->MoveTo(at.x, pixels);
}

std::string frmZelko::ChooseFolder(QWidget*, const std::string& title)
{
    return m_options.dialogs.chooseFolder(title);
}
