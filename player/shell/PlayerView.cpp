#include "player/shell/PlayerView.h"

#include "player/shell/ClsZelko.h"
#include "player/shell/PlayLoop.h"
#include "player/skin/ScaleChoice.h"
#include "player/skin/SkinLoader.h"
#include "player/skin/SkinWindow.h"
#include "player/widgets/ClsZelkoBodyAction.h"
#include "player/widgets/ClsZelkoButtonAction.h"
#include "player/widgets/ClsZelkoLyricsAction.h"
#include "player/widgets/ClsZelkoPlayListAction.h"
#include "player/widgets/FindLyricsFile.h"

#include <QCoreApplication>

namespace shell {

namespace {

std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The title shown for a track that cannot be played. The file name goes in
// as its bytes, whatever they are; only the words around it are translated.
std::string CannotPlayTitle(const std::string& fileName)
{
    const std::string format =
        QCoreApplication::translate("PlayerView", "%1 を再生できません").toStdString();
    const std::size_t at = format.find("%1");
    if (at == std::string::npos) return format;
    return format.substr(0, at) + fileName + format.substr(at + 2);
}

} // namespace

PlayerView::PlayerView(ClsZelko& app, skin::SkinWindow& window, playback::Transport& transport, PlayLoop& loop)
    : m_app(app)
    , m_window(window)
    , m_transport(transport)
    , m_loop(loop)
{
    // The controllers, in the order body, buttons, lyrics box, play-list box.
    const widgets::WidgetContext context{m_window, m_window.Surface(), m_app.Widgets(), m_app.Log(), m_skin};
    m_body = std::make_unique<widgets::ClsZelkoBodyAction>(context, m_loop.Analyze(), m_transport.State());
    m_buttons = std::make_unique<widgets::ClsZelkoButtonAction>(context, m_transport.State());
    m_lyrics = std::make_unique<widgets::ClsZelkoLyricsAction>(context, m_loop.Lyrics());
    m_playList = std::make_unique<widgets::ClsZelkoPlayListAction>(context, m_transport.coMp3Files(), m_transport.State());
}

PlayerView::~PlayerView() = default;

std::int32_t PlayerView::PlayListTop() const { return m_playList->ListTop(); }

// ---------------------------------------------------------------- skin and painting

bool PlayerView::ApplyCurrentSkin()
{
    skin::SkinLoadResult loaded = skin::LoadSkin(m_app.SkinPath(), m_app.SkinFile(),
                                                 [this](const std::string& line) { m_app.WriteRunLog(line); });
    if (!loaded.skin) {
        // The message box only says that the skin is wrong; the log and the terminal say why.
        m_app.ReportFailure(skin::SkinFailureText(m_app.SkinPath(), loaded));
        return false;
    }
    // The widgets draw with the skin's colours; what the new skin leaves out
    // stays as the skin before had it.
    loaded.skin->colours.KeepUnsetFrom(m_skin.colours);
    m_skin = std::move(*loaded.skin);
    const skin::SkinWindowSettings settings{m_app.WindowLeft(), m_app.WindowTop(), m_app.LyricsShowAlway(),
                                            m_app.PlayListShowAlway()};
    m_drawers = skin::BuildSkinWindow(m_window, m_skin, settings);
    m_app.SetLyricsShow(m_drawers.lyricsShow);
    m_app.SetPlayListShow(m_drawers.playListShow);
    m_lyrics->MakeLyricsRect();
    m_playList->MakePlayListRect();
    PaintWidgets();
    return true;
}

void PlayerView::PaintWidgets()
{
    m_body->Paint();
    m_buttons->Paint();
    if (LyricsBoxVisible()) m_lyrics->Paint();
    if (PlayListBoxVisible()) m_playList->Paint();
}

void PlayerView::SetScale(int scale)
{
    skin::ScaleSkinWindow(m_window, m_skin, m_drawers, scale);
    PaintWidgets();
}

int PlayerView::ChooseStartScale()
{
    const int scale = skin::ScaleChoice::Choose(m_app.WindowScale(), m_window.devicePixelRatioF());
    m_window.SetScale(scale);
    return scale;
}

int PlayerView::ToggleDoubleSize()
{
    const int scale = skin::ScaleChoice::Toggled(m_window.Scale());
    m_app.SetWindowScale(scale);
    SetScale(scale);
    return scale;
}

std::optional<skin::Drawer> PlayerView::SoleDrawer() const
{
    const bool playList = !m_skin.pictures.picPlayListShow.isNull();
    const bool lyrics = !m_skin.pictures.picLyricsShow.isNull();
    if (playList && !lyrics) return skin::Drawer::PlayList;
    if (lyrics && !playList) return skin::Drawer::Lyrics;
    return std::nullopt;
}

bool PlayerView::LyricsBoxVisible() const { return !m_skin.HasLyricsDrawer() || m_drawers.lyricsShow; }

bool PlayerView::PlayListBoxVisible() const { return !m_skin.HasPlayListDrawer() || m_drawers.playListShow; }

void PlayerView::RefreshListBox()
{
    if (PlayListBoxVisible()) m_playList->RefreshPlayList();
}

void PlayerView::PullDrawer(skin::Drawer drawer)
{
    m_drawers = skin::PullDrawer(m_window, m_skin, m_drawers, drawer);
    if (drawer == skin::Drawer::Lyrics) {
        m_app.SetLyricsShow(m_drawers.lyricsShow);
        if (m_drawers.lyricsShow) m_lyrics->Paint();
        m_buttons->RefreshLyricsPull();
    } else {
        m_app.SetPlayListShow(m_drawers.playListShow);
        if (m_drawers.playListShow) m_playList->Paint();
        m_buttons->RefreshPlayListPull();
    }
}

void PlayerView::ScrollListDown()
{
    m_playList->RefreshListDown();
    if (m_playList->ListTop() < m_transport.coMp3Files().Count()) {
        m_playList->SetListTop(m_playList->ListTop() + 1);
        RefreshListBox();
    }
}

void PlayerView::ScrollListUp()
{
    m_playList->RefreshListUp();
    if (m_playList->ListTop() >= 2) {
        m_playList->SetListTop(m_playList->ListTop() - 1);
        RefreshListBox();
    }
}

void PlayerView::ClearAnalyzer()
{
    m_loop.Analyze().Spectrum1.fill(0);
    m_loop.Analyze().Spectrum2.fill(0);
    m_body->PeakLevel().ClearAll();
    m_body->RefreshSpectrumData();
}

// ---------------------------------------------------------------- what a command changed

void PlayerView::FlagChanged(playback::PlayFlag flag)
{
    switch (flag) {
    case playback::PlayFlag::Play: m_buttons->RefreshPlay(); break;
    case playback::PlayFlag::Pause: m_buttons->RefreshPause(); break;
    case playback::PlayFlag::Stop: m_buttons->RefreshStop(); break;
    case playback::PlayFlag::Repeat: m_buttons->RefreshRepeat(); break;
    case playback::PlayFlag::Shuffle: m_buttons->RefreshShuffle(); break;
    }
}

void PlayerView::TrackOpened(const playback::ClsZelkoMp3File& track, std::int32_t)
{
    m_app.SetTrackName(track.TrackName());
    m_app.SetArtistName(track.ArtistName());
    m_body->RefreshTitleBox();
    m_app.SetLyricsEnabled(widgets::FindLyricsFile(track.Mp3File(), m_app.LyricsExt(), m_app.LyricsFolder(),
                                                   [this](const std::string& path) {
                                                       return m_transport.SetLyricsFile(path);
                                                   }));
}

void PlayerView::TrackCannotPlay(const playback::ClsZelkoMp3File& track)
{
    m_app.SetTrackName(CannotPlayTitle(FileNameOf(track.Mp3File())));
    m_app.SetArtistName(std::string());
    m_body->RefreshTitleBox();
}

void PlayerView::VolumeChanged(playback::VolumeCause cause)
{
    if (cause == playback::VolumeCause::Settings) return;
    m_body->RefreshVolumeValue();
    if (cause == playback::VolumeCause::Properties) return;
    if (cause == playback::VolumeCause::MinusButton)
        m_buttons->RefreshVolumeMinus();
    else
        m_buttons->RefreshVolumePlus();
}

void PlayerView::Happened(playback::TransportEvent event)
{
    switch (event) {
    case playback::TransportEvent::Stopped:
        m_lyrics->ClearLyricsText();
        if (LyricsBoxVisible()) m_lyrics->RefreshLyricsRect();
        break;
    case playback::TransportEvent::RepeatToggled:
    case playback::TransportEvent::ShuffleToggled:
    case playback::TransportEvent::Started:
    case playback::TransportEvent::PauseToggled:
    case playback::TransportEvent::Seeked: break;
    }
}

void PlayerView::ListChanged() { RefreshListBox(); }

} // namespace shell
