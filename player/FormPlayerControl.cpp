#include "player/FormPlayerControl.h"

#include "common/AsciiText.h"
#include "decoder/EmbeddedPicture.h"
#include "decoder/Mp3Probe.h"
#include "decoder/TagReader.h"
#include "player/assisthost/ClsZelkoAssistHost.h"
#include "player/desktop/WindowHandOver.h"
#include "player/dialogs/frmZelkoProps.h"
#include "player/frmZelko.h"
#include "player/playback/PlayListFile.h"
#include "player/playback/TrackFiles.h"
#include "player/skin/SkinWindow.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

FormPlayerControl::FormPlayerControl(frmZelko& form)
    : m_form(form)
    , m_gauges(form.CurrentSkin(), *this)
{
    m_form.SetDesktopInput(this);
    m_form.Playback().AddObserver(*this);
    // A second start without a session bus hands its files over through the player's window.
    m_previousBaseProcedure = m_form.AssistHost().SetBaseProcedure({});
    m_form.AssistHost().SetBaseProcedure(desktop::HandOverProcedure(*this, m_previousBaseProcedure));
}

FormPlayerControl::~FormPlayerControl()
{
    m_form.AssistHost().SetBaseProcedure(std::move(m_previousBaseProcedure));
    m_form.Playback().RemoveObserver(*this);
    m_form.SetDesktopInput(nullptr);
}

void FormPlayerControl::Play()
{
    if (!m_form.Playback().bPlay())
        m_form.cButtonAction_PlayClick();
    else if (m_form.Playback().bPause())
        m_form.cButtonAction_PauseClick();
}

void FormPlayerControl::Pause()
{
    if (m_form.Playback().bPlay() && !m_form.Playback().bPause())
        m_form.cButtonAction_PauseClick();
}

void FormPlayerControl::PlayPause()
{
    if (!m_form.Playback().bPlay())
        m_form.cButtonAction_PlayClick();
    else
        m_form.cButtonAction_PauseClick();
}

void FormPlayerControl::Stop() { m_form.cButtonAction_StopClick(); }
void FormPlayerControl::Next() { m_form.cButtonAction_NTrackClick(); }
void FormPlayerControl::Previous() { m_form.cButtonAction_PTrackClick(); }

void FormPlayerControl::SeekTo(int64_t ms)
{
    if (!CanSeek())
        return;
    m_form.Playback().Seek(static_cast<int32_t>(std::clamp<int64_t>(ms, 0, INT32_MAX)));
}

void FormPlayerControl::Happened(playback::TransportEvent event)
{
    if (event == playback::TransportEvent::Seeked && m_observer != nullptr)
        m_observer->Seeked(PositionMs());
    StateMayHaveChanged();
}

void FormPlayerControl::SeekBy(int64_t ms)
{
    SeekTo(PositionMs() + ms);
}

void FormPlayerControl::SeekToFraction(double fraction)
{
    SeekTo(std::llround(std::clamp(fraction, 0.0, 1.0) * m_form.Loop().TotalMs()));
}

void FormPlayerControl::SetVolume(int32_t volume)
{
    // As the volume buttons do: the decoder, the gauge, the assists and the dialog.
    m_form.Playback().SetVolume(std::clamp(volume, 0, 100), playback::VolumeCause::Remote);
}

void FormPlayerControl::SetRepeat(bool on)
{
    if (m_form.Playback().bRepeat() != on)
        m_form.cButtonAction_RepeatClick();
}

void FormPlayerControl::SetShuffle(bool on)
{
    if (m_form.Playback().bShuffle() != on)
        m_form.cButtonAction_ShuffleClick();
}

std::vector<std::string> FormPlayerControl::ExpandPaths(const std::vector<std::string>& paths) const
{
    std::vector<std::string> files;
    for (const std::string& path : paths) {
        std::error_code error;
        if (std::filesystem::is_directory(path, error)) {
            std::string folder = path;
            if (folder.back() != '/')
                folder += '/';
            const std::vector<std::string> found = playback::TrackFiles::InFolder(folder, m_form.App().SearchChildFolder());
            files.insert(files.end(), found.begin(), found.end());
            continue;
        }
        if (common::ascii::EndsWithIgnoringCase(path, ".m3u") || common::ascii::EndsWithIgnoringCase(path, ".m3u8")) {
            const std::vector<std::string> listed = playback::PlayListFile::Read(path);
            files.insert(files.end(), listed.begin(), listed.end());
            continue;
        }
        files.push_back(path);
    }
    return files;
}

void FormPlayerControl::AddFiles(const std::vector<std::string>& paths, desktop::AddMode mode)
{
    const std::vector<std::string> files = ExpandPaths(paths);
    if (files.empty())
        return;
    const int32_t first = m_form.Playback().coMp3Files().Count() + 1;
    m_form.AddMp3Files(files);
    if (mode == desktop::AddMode::Play)
        m_form.cPlayListAction_ItemDblClick(first);
    StateMayHaveChanged();
}

void FormPlayerControl::Raise()
{
    m_form.Window().show();
    m_form.RestoreWindow();
}

void FormPlayerControl::Quit() { m_form.mnuP1Exit_Click(); }

desktop::PlayerSnapshot FormPlayerControl::Snapshot() const
{
    desktop::PlayerSnapshot s;
    s.status = !m_form.Playback().bPlay() ? desktop::PlaybackStatus::Stopped
        : m_form.Playback().bPause()      ? desktop::PlaybackStatus::Paused
                                          : desktop::PlaybackStatus::Playing;
    s.repeat = m_form.Playback().bRepeat();
    s.shuffle = m_form.Playback().bShuffle();
    s.volume = m_form.Playback().Volume();
    const playback::Mp3FileList& list = m_form.Playback().coMp3Files();
    s.trackCount = list.Count();
    const bool listChanged = m_listPaths.size() != list.Items().size() || !std::equal(m_listPaths.begin(), m_listPaths.end(), list.Items().begin(), [](const std::string& p, const playback::ClsZelkoMp3File& f) { return p == f.Mp3File(); });
    if (listChanged) {
        m_listPaths.clear();
        for (const playback::ClsZelkoMp3File& f : list.Items())
            m_listPaths.push_back(f.Mp3File());
        ++m_listGeneration;
    }
    s.listGeneration = m_listGeneration;
    // The list wraps round at both ends, so there is always a next and a previous track.
    s.canGoNext = s.trackCount > 0;
    s.canGoPrevious = s.trackCount > 0;
    const int32_t position = m_form.Playback().PlayPosition();
    if (list.Contains(position)) {
        const playback::ClsZelkoMp3File& track = list.Item(position);
        if (m_tagsPath != track.Mp3File()) {
            m_tagsPath = track.Mp3File();
            decoder::Mp3Tags tags;
            if (const auto stream = decoder::Mp3Probe::Probe(m_tagsPath))
                tags = decoder::TagReader::Read(m_tagsPath, stream->HasId3v2, stream->Id3v1);
            m_title = tags.Title.empty() ? track.TrackName() : tags.Title;
            m_artist = tags.Artist.empty() ? track.ArtistName() : tags.Artist;
            m_album = tags.Album;
            m_artUrl.clear();
            if (const auto picture = decoder::EmbeddedPicture::Read(m_tagsPath)) {
                if (const auto url = m_art.Store(picture->MimeType, picture->Data))
                    m_artUrl = *url;
            }
        }
        s.track.position = position;
        s.track.path = track.Mp3File();
        s.track.title = m_title;
        s.track.artist = m_artist;
        s.track.album = m_album;
        s.track.artUrl = m_artUrl;
        s.track.lengthMs = static_cast<int64_t>(track.TotalSec()) * 1000;
        // The open track's own length, once it is open, is the one the seek bar uses.
        if (s.status != desktop::PlaybackStatus::Stopped && m_form.Loop().TotalMs() > 0)
            s.track.lengthMs = m_form.Loop().TotalMs();
    }
    return s;
}

int64_t FormPlayerControl::PositionMs() const
{
    return m_form.Playback().bPlay() ? m_form.Decoder().dec_getPlayMs() : 0;
}

bool FormPlayerControl::MouseDown(skin::MouseButton button, int32_t x, int32_t y)
{
    return m_gauges.MouseDown(button, x, y);
}

void FormPlayerControl::MouseMove(skin::MouseButtons buttons, int32_t x, int32_t y)
{
    m_gauges.MouseMove(buttons, x, y);
}

bool FormPlayerControl::MouseUp(skin::MouseButton button, int32_t x, int32_t y)
{
    return m_gauges.MouseUp(button, x, y);
}

bool FormPlayerControl::Wheel(int32_t delta, int32_t x, int32_t y)
{
    return m_gauges.Wheel(delta, x, y);
}

void FormPlayerControl::StateMayHaveChanged()
{
    if (m_observer != nullptr)
        m_observer->StateMayHaveChanged();
}

int32_t FormPlayerControl::CurrentVolume() const { return m_form.Playback().Volume(); }

bool FormPlayerControl::CanSeek() const
{
    return m_form.Playback().bPlay() && m_form.Playback().ReadDecoderState() != playback::DecoderState::Stopped;
}
