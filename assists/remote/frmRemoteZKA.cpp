#include "assists/remote/frmRemoteZKA.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "assists/remote/ElidedLabel.h"
#include "assists/remote/RemoteInfoText.h"
#include "platform/Rect.h"
#include "protocol/CommandWords.h"
#include "protocol/RecordPayload.h"

namespace remote {

namespace {

QString DisplayText(const std::string& caption)
{
    QString text = QString::fromStdString(caption);
    text.remove(QLatin1Char('\r'));
    return text;
}

} // namespace

frmRemoteZKA::frmRemoteZKA(platform::MessageWindow& window, protocol::AssistArguments arguments, QWidget* parent)
    : QWidget(parent)
    , m_window(window)
    , m_link(window, arguments, [this](std::uint32_t wParam, const platform::CopyDataStruct& data) { OnCopyData(wParam, data); })
{
    setWindowTitle(QStringLiteral("PlayControl - ZKAssist"));
    setAttribute(Qt::WA_ShowWithoutActivating);

    // The window's own procedure: a close command closes the window.
    m_window.SetWindowProcedure([this](const platform::WindowMessage& message) {
        if (message.msg == platform::WM_SYSCOMMAND && message.wParam == platform::SC_CLOSE)
            close();
        return 0;
    });

    // The captions are source texts of the "frmRemoteZKA" context.
    auto makeButton = [this](const char* caption) {
        return new QPushButton(QCoreApplication::translate("frmRemoteZKA", caption), this);
    };
    cmdPlay = makeButton(QT_TRANSLATE_NOOP("frmRemoteZKA", "&Play"));
    cmdPause = makeButton(QT_TRANSLATE_NOOP("frmRemoteZKA", "P&ause"));
    cmdStop = makeButton(QT_TRANSLATE_NOOP("frmRemoteZKA", "&Stop"));
    cmdPTrack = makeButton(QT_TRANSLATE_NOOP("frmRemoteZKA", "Pre&vTrack"));
    cmdNTrack = makeButton(QT_TRANSLATE_NOOP("frmRemoteZKA", "&NextTrack"));
    cmdRepeat = makeButton(QT_TRANSLATE_NOOP("frmRemoteZKA", "&Repeat"));
    cmdShuffle = makeButton(QT_TRANSLATE_NOOP("frmRemoteZKA", "Shu&ffle"));
    cmdPlayInfo = makeButton(QT_TRANSLATE_NOOP("frmRemoteZKA", "P&lay Info"));
    cmdSongInfo = makeButton(QT_TRANSLATE_NOOP("frmRemoteZKA", "Son&g Info"));
    VolumeBar = new QScrollBar(Qt::Horizontal, this);
    VolumeBar->setRange(0, 100);
    VolumeBar->setTracking(false); // a change is reported when the user lets go
    lblItem = new QLabel(QCoreApplication::translate("frmRemoteZKA", "Volume:"), this);
    lblTime = new QLabel(this);
    lblInfo = new ElidedLabel(this);
    lblInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblInfo->setMinimumHeight(110);
    lblTime->setTextFormat(Qt::PlainText);
    // The time changes on every record (100 a second): a label whose size
    // never depends on its text spares the window a new layout each time.
    lblTime->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    lblTime->setFixedHeight(lblTime->fontMetrics().height() + 4);
    lblTime->setAutoFillBackground(true); // opaque: the window behind is not repainted

    auto* transport = new QHBoxLayout;
    for (QPushButton* b : {cmdPlay, cmdPause, cmdStop, cmdPTrack, cmdNTrack, cmdRepeat, cmdShuffle})
        transport->addWidget(b);
    auto* info = new QHBoxLayout;
    info->addWidget(cmdPlayInfo);
    info->addWidget(cmdSongInfo);
    info->addStretch(1);
    auto* volume = new QHBoxLayout;
    volume->addWidget(lblItem);
    volume->addWidget(VolumeBar, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(transport);
    layout->addLayout(info);
    layout->addLayout(volume);
    layout->addWidget(lblTime);
    layout->addWidget(lblInfo, 1);

    using namespace protocol;
    auto send = [this](std::uint32_t word) { return [this, word] { m_link.SendCommand(word, 0); }; };
    connect(cmdPlay, &QPushButton::clicked, this, send(CmdPlay));
    connect(cmdPause, &QPushButton::clicked, this, send(CmdPause));
    connect(cmdStop, &QPushButton::clicked, this, send(CmdStop));
    connect(cmdPTrack, &QPushButton::clicked, this, send(CmdPrevTrack));
    connect(cmdNTrack, &QPushButton::clicked, this, send(CmdNextTrack));
    connect(cmdRepeat, &QPushButton::clicked, this, send(CmdRepeat));
    connect(cmdShuffle, &QPushButton::clicked, this, send(CmdShuffle));
    connect(cmdPlayInfo, &QPushButton::clicked, this, [this] { m_link.SendCommandWithHandle(CmdPlayInfo); });
    connect(cmdSongInfo, &QPushButton::clicked, this, [this] { m_link.SendCommandWithHandle(CmdSongInfo); });
    connect(VolumeBar, &QScrollBar::valueChanged, this, [this](int value) {
        if (m_link.Linked())
            m_link.SendCommand(MakeCommand(CmdVolume, static_cast<std::uint32_t>(value)), 0);
    });
}

frmRemoteZKA::~frmRemoteZKA()
{
    m_link.Unlink();
    m_window.SetWindowProcedure({});
}

void frmRemoteZKA::Start()
{
    m_link.Link();
    cmdPlayInfo->click();
}

int frmRemoteZKA::VolumeValue() const
{
    return VolumeBar->value();
}

void frmRemoteZKA::OnCopyData(std::uint32_t wParam, const platform::CopyDataStruct& data)
{
    // The payload is copied into the record of its kind; one of another size
    // leaves the record and the labels as they were.
    switch (wParam) {
    case protocol::CodePlayState:
        if (protocol::CopyPayload(m_playState, data.lpData, data.cbData))
            PlayInfoFromZelko();
        break;
    case protocol::CodeSongInfo:
        if (protocol::CopyPayload(m_songInfo, data.lpData, data.cbData))
            SongInfoFromZelko();
        break;
    case protocol::CodeAnalyze:
        if (protocol::CopyPayload(m_analyze, data.lpData, data.cbData))
            AnalyzeFromZelko();
        break;
    default:
        break;
    }
}

void frmRemoteZKA::SetInfoCaption(std::string text)
{
    m_infoCaption = std::move(text);
    lblInfo->SetFullText(DisplayText(m_infoCaption));
}

void frmRemoteZKA::PlayInfoFromZelko()
{
    SetInfoCaption(remote::PlayInfoText(m_playState));
    // A different value raises the bar's change event and thus a volume
    // command back to the player, which ignores it while busy.
    VolumeBar->setValue(m_playState.Volume);
}

void frmRemoteZKA::SongInfoFromZelko()
{
    SetInfoCaption(remote::SongInfoText(m_songInfo));
}

void frmRemoteZKA::AnalyzeFromZelko()
{
    m_timeCaption = remote::TimeText(m_analyze);
    // Records come 100 times a second; the label shows the latest caption at
    // most every TimeLabelInterval, which the eye cannot tell apart and which
    // halves the drawing.
    if (m_timeLabelPending)
        return;
    m_timeLabelPending = true;
    QTimer::singleShot(TimeLabelInterval, this, [this] {
        m_timeLabelPending = false;
        lblTime->setText(QString::fromStdString(m_timeCaption));
    });
}

void frmRemoteZKA::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_gdi.EtchedEdge(painter, platform::Rect::FromSize(0, 0, width(), height()));
}

void frmRemoteZKA::closeEvent(QCloseEvent* event)
{
    m_link.ReportClosing();
    event->accept();
}

} // namespace remote
