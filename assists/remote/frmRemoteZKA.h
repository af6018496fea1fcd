#pragma once
// RemoteZKA's window: transport buttons, the two information buttons, the
// volume bar and two labels showing what the player sends. All its traffic
// goes through the AssistLink on the program's message window.
#include <QWidget>

#include <memory>
#include <string>

#include "common/ClsKtGdi.h"
#include "platform/MessageWindow.h"
#include "protocol/AnalyzeRecord.h"
#include "protocol/AssistLink.h"
#include "protocol/PlayStateRecord.h"
#include "protocol/SongInfoRecord.h"

class QLabel;
class QPushButton;
class QScrollBar;

namespace remote {

class ElidedLabel;

class frmRemoteZKA : public QWidget {
    Q_OBJECT
public:
    // The window installs its default procedure (a close command closes the
    // window) on the message window, which must outlive it.
    frmRemoteZKA(platform::MessageWindow& window, protocol::AssistArguments arguments, QWidget* parent = nullptr);
    ~frmRemoteZKA() override;

    // Links to the player (announcement) and asks for the play state, as the
    // play-information button does.
    void Start();

    void PlayInfoFromZelko();
    void SongInfoFromZelko();
    void AnalyzeFromZelko();

    // The labels' captions exactly as set (lines ended by CR LF).
    const std::string& InfoCaption() const { return m_infoCaption; }
    // The time caption of the last record; the label shows it within
    // TimeLabelInterval.
    const std::string& TimeCaption() const { return m_timeCaption; }
    static constexpr int TimeLabelInterval = 20; // ms
    int VolumeValue() const;

    QPushButton* cmdPlay = nullptr;
    QPushButton* cmdPause = nullptr;
    QPushButton* cmdStop = nullptr;
    QPushButton* cmdPTrack = nullptr;
    QPushButton* cmdNTrack = nullptr;
    QPushButton* cmdRepeat = nullptr;
    QPushButton* cmdShuffle = nullptr;
    QPushButton* cmdPlayInfo = nullptr;
    QPushButton* cmdSongInfo = nullptr;
    QScrollBar* VolumeBar = nullptr;
    QLabel* lblItem = nullptr;
    QLabel* lblTime = nullptr;
    // Long titles and paths are cut to the window's width (whole text as tool tip).
    ElidedLabel* lblInfo = nullptr;

    const protocol::AssistLink& Link() const { return m_link; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void OnCopyData(std::uint32_t wParam, const platform::CopyDataStruct& data);
    void SetInfoCaption(std::string text);

    platform::MessageWindow& m_window;
    common::ClsKtGdi m_gdi;
    protocol::AssistLink m_link;
    protocol::PlayStateRecord m_playState{};
    protocol::SongInfoRecord m_songInfo{};
    protocol::AnalyzeRecord m_analyze{};
    std::string m_infoCaption;
    std::string m_timeCaption;
    bool m_timeLabelPending = false;
};

} // namespace remote
