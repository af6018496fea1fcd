#include "assists/scope/frmScopeZKA.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QRadioButton>
#include <QVBoxLayout>

#include "assists/scope/ScopeCanvas.h"
#include "platform/Rect.h"
#include "protocol/CommandWords.h"
#include "protocol/RecordPayload.h"

namespace scope {

frmScopeZKA::frmScopeZKA(platform::MessageWindow& window, protocol::AssistArguments arguments, std::uint32_t seed,
                         QWidget* parent)
    : QWidget(parent)
    , m_window(window)
    , m_link(window, arguments, [this](std::uint32_t wParam, const platform::CopyDataStruct& data) { OnCopyData(wParam, data); })
    // The picture is drawn at the screen's device pixel ratio (Qt's
    // high-DPI scaling), so that it is shown one pixel for one.
    , m_renderer(QSize(DrawWidth, DrawHeight), seed, devicePixelRatioF())
{
    setWindowTitle(QStringLiteral("Visual - ZKAssist"));
    setAttribute(Qt::WA_ShowWithoutActivating);

    m_window.SetWindowProcedure([this](const platform::WindowMessage& message) {
        if (message.msg == platform::WM_SYSCOMMAND && message.wParam == platform::SC_CLOSE)
            close();
        return 0;
    });

    chkZelko = new QCheckBox(QCoreApplication::translate("frmScopeZKA", "Zelko Deck を 最小化"), this);
    chkBColor = new QCheckBox(QCoreApplication::translate("frmScopeZKA", "背景色変更"), this);
    chkFColor = new QCheckBox(QCoreApplication::translate("frmScopeZKA", "点(線)の色変更"), this);
    fraItem[0] = new QGroupBox(this);
    fraItem[1] = new QGroupBox(this);
    optTitle[0] = new QRadioButton(QCoreApplication::translate("frmScopeZKA", "帯"), fraItem[0]);
    optTitle[1] = new QRadioButton(QCoreApplication::translate("frmScopeZKA", "円"), fraItem[0]);
    optTitle[2] = new QRadioButton(QCoreApplication::translate("frmScopeZKA", "弧"), fraItem[0]);
    optLine[0] = new QRadioButton(QCoreApplication::translate("frmScopeZKA", "線"), fraItem[1]);
    optLine[1] = new QRadioButton(QCoreApplication::translate("frmScopeZKA", "点"), fraItem[1]);
    PDraw = new ScopeCanvas(m_renderer.Picture(), this);

    auto* titles = new QHBoxLayout(fraItem[0]);
    for (QRadioButton* b : optTitle)
        titles->addWidget(b);
    auto* lines = new QHBoxLayout(fraItem[1]);
    for (QRadioButton* b : optLine)
        lines->addWidget(b);
    auto* options = new QHBoxLayout;
    options->addWidget(fraItem[0]);
    options->addWidget(fraItem[1]);
    auto* checks = new QHBoxLayout;
    checks->addWidget(chkBColor);
    checks->addWidget(chkFColor);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(PDraw, 0, Qt::AlignHCenter);
    layout->addLayout(options);
    layout->addLayout(checks);
    layout->addWidget(chkZelko);

    for (QRadioButton* b : optTitle) {
        connect(b, &QRadioButton::clicked, this, [this] {
            ReadOptions();
            PlayStartFromZelko();
        });
    }
    for (QRadioButton* b : optLine)
        connect(b, &QRadioButton::toggled, this, [this] { ReadOptions(); });
    connect(chkBColor, &QCheckBox::toggled, this, [this] { ReadOptions(); });
    connect(chkFColor, &QCheckBox::toggled, this, [this] { ReadOptions(); });
    connect(chkZelko, &QCheckBox::clicked, this, [this](bool checked) {
        m_link.SendCommandWithHandle(checked ? protocol::CmdMinimize : protocol::CmdRestore);
    });
}

frmScopeZKA::~frmScopeZKA()
{
    m_link.Unlink();
    m_window.SetWindowProcedure({});
}

void frmScopeZKA::Start()
{
    m_link.Link();
    chkFColor->setChecked(true);
    optTitle[0]->setChecked(true);
    optLine[0]->setChecked(true);
    ReadOptions();
    // Selecting the band raises no click here, so its peak reset runs now:
    // started during playback, the markers begin on the centre line.
    PlayStartFromZelko();
}

void frmScopeZKA::ReadOptions()
{
    if (optTitle[1]->isChecked())
        m_renderer.SetTitle(ScopeTitle::Circle);
    else if (optTitle[2]->isChecked())
        m_renderer.SetTitle(ScopeTitle::Fan);
    else
        m_renderer.SetTitle(ScopeTitle::Band);
    m_renderer.SetLine(optLine[1]->isChecked() ? ScopeLine::Points : ScopeLine::Lines);
    m_renderer.SetBColor(chkBColor->isChecked());
    m_renderer.SetFColor(chkFColor->isChecked());
}

void frmScopeZKA::OnCopyData(std::uint32_t wParam, const platform::CopyDataStruct& data)
{
    if (wParam == protocol::CodeAnalyze) {
        if (protocol::CopyPayload(m_analyze, data.lpData, data.cbData))
            AnalyzeFromZelko();
    } else if (wParam == protocol::CodePlayState && data.dwData == protocol::NotifyPlay) {
        PlayStartFromZelko();
    }
}

void frmScopeZKA::PlayStartFromZelko()
{
    m_renderer.PlayStartFromZelko();
}

void frmScopeZKA::AnalyzeFromZelko()
{
    m_renderer.AnalyzeFromZelko(m_analyze);
    PDraw->update();
}

void frmScopeZKA::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_gdi.EtchedEdge(painter, platform::Rect::FromSize(0, 0, width(), height()));
}

void frmScopeZKA::closeEvent(QCloseEvent* event)
{
    m_link.ReportClosing();
    event->accept();
}

} // namespace scope
