#include "player/dialogs/frmZelkoProps.h"

#include "player/dialogs/DialogLook.h"
#include "player/dialogs/DialogTexts.h"
#include "player/dialogs/ProductArt.h"
#include "player/dialogs/PropsRules.h"
#include "player/dialogs/SelectAllLineEdit.h"
#include "player/shell/ClsZelko.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace dialogs {

namespace {

QString Q(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

std::string Text(const QLineEdit* box) { return box->text().toStdString(); }

QCheckBox* NewCheckBox(const char* name)
{
    auto* box = new QCheckBox;
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

SelectAllLineEdit* NewTextBox(const char* name, int widthInDigits)
{
    auto* box = new SelectAllLineEdit;
    box->setObjectName(QString::fromLatin1(name));
    if (widthInDigits > 0) {
        const int digits = box->fontMetrics().horizontalAdvance(QString(widthInDigits, QLatin1Char('0')));
        box->setFixedWidth(digits + 16);
    }
    return box;
}

// The Properties dialog's texts are source texts of the "frmZelkoProps" context.
QString Tr(const char* source) { return QCoreApplication::translate("frmZelkoProps", source); }

QLabel* NewHint(const char* source)
{
    auto* hint = new QLabel(Tr(source));
    hint->setObjectName(QStringLiteral("lblInfo"));
    hint->setWordWrap(true);
    hint->setForegroundRole(QPalette::PlaceholderText);
    return hint;
}

QFormLayout* NewForm(QGroupBox* group)
{
    auto* form = new QFormLayout(group);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->setRowWrapPolicy(QFormLayout::DontWrapRows);
    return form;
}

QGroupBox* NewGroup(const char* title, int index)
{
    auto* group = new QGroupBox(Tr(title));
    group->setObjectName(QStringLiteral("lblTitle(%1)").arg(index));
    return group;
}

void SetTextIfChanged(QLineEdit* box, const QString& text)
{
    if (box->text() != text)
        box->setText(text);
}

} // namespace

frmZelkoProps::frmZelkoProps(shell::ClsZelko& app, PropsHost& host, QWidget* parent)
    : QDialog(parent)
    , m_app(app)
    , m_host(host)
{
    setObjectName(QStringLiteral("frmZelkoProps"));
    setModal(false);
    setFont(DialogFont());
    setWindowTitle(Q(PropsCaption()));
    setWindowIcon(QIcon(QPixmap::fromImage(ProductArt::Icon(64))));
    BuildControls();
    adjustSize();
    CentreOnScreen(*this);
}

void frmZelkoProps::BuildControls()
{
    // General: volume, repeat, shuffle.
    auto* general = NewGroup(QT_TRANSLATE_NOOP("frmZelkoProps", "全般"), 0);
    auto* generalForm = NewForm(general);
    m_txtVolume = NewTextBox("txtItem0(2)", 4);
    m_chkItem0 = {NewCheckBox("chkItem0(0)"), NewCheckBox("chkItem0(1)")};
    generalForm->addRow(Tr(QT_TRANSLATE_NOOP("frmZelkoProps", "ボリューム：")), m_txtVolume);
    generalForm->addRow(Tr(QT_TRANSLATE_NOOP("frmZelkoProps", "全曲リピート：")), m_chkItem0[0]);
    generalForm->addRow(Tr(QT_TRANSLATE_NOOP("frmZelkoProps", "ランダム演奏：")), m_chkItem0[1]);

    // Window: the main window's position and the panels after a skin change.
    auto* window = NewGroup(QT_TRANSLATE_NOOP("frmZelkoProps", "ウィンドウ"), 1);
    auto* windowForm = NewForm(window);
    m_txtWindowLeft = NewTextBox("txtItem1(2)", 6);
    m_txtWindowTop = NewTextBox("txtItem1(3)", 6);
    auto* position = new QHBoxLayout;
    position->addWidget(m_txtWindowLeft);
    position->addSpacing(8);
    position->addWidget(new QLabel(Tr(QT_TRANSLATE_NOOP("frmZelkoProps", "（上）："))));
    position->addWidget(m_txtWindowTop);
    position->addStretch(1);
    m_chkItem1 = {NewCheckBox("chkItem1(0)"), NewCheckBox("chkItem1(1)")};
    windowForm->addRow(Tr(QT_TRANSLATE_NOOP("frmZelkoProps", "メインウィンドウの表示位置（左）：")), position);
    windowForm->addRow(Tr(QT_TRANSLATE_NOOP("frmZelkoProps", "スキンが替わるたびプレイリストウィンドウを表示する：")), m_chkItem1[0]);
    windowForm->addRow(Tr(QT_TRANSLATE_NOOP("frmZelkoProps", "スキンが替わるたび歌詞ウィンドウを表示する：")), m_chkItem1[1]);

    // Opening folders.
    auto* folders = NewGroup(QT_TRANSLATE_NOOP("frmZelkoProps", "フォルダを開く"), 2);
    auto* foldersForm = NewForm(folders);
    m_chkItem2 = {NewCheckBox("chkItem2(0)")};
    foldersForm->addRow(Tr(QT_TRANSLATE_NOOP("frmZelkoProps", "子階層検索を有効にする：")), m_chkItem2[0]);

    // Lyrics files.
    auto* lyrics = NewGroup(QT_TRANSLATE_NOOP("frmZelkoProps", "歌詞ファイル"), 3);
    auto* lyricsForm = NewForm(lyrics);
    lyricsForm->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_txtLyricsExt = NewTextBox("txtItem3(0)", 0);
    m_txtLyricsExt->setText(QStringLiteral("txt"));
    m_txtLyricsFolder = NewTextBox("txtItem3(1)", 0);
    m_txtLyricsFolder->setMinimumWidth(m_txtLyricsFolder->fontMetrics().horizontalAdvance(QString(32, QLatin1Char('x'))));
    m_cmdSearch = new QPushButton(QStringLiteral("..."));
    m_cmdSearch->setObjectName(QStringLiteral("cmdSearch"));
    m_cmdSearch->setAutoDefault(false);
    m_cmdSearch->setFixedWidth(m_cmdSearch->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_txtLyricsFolder, 1);
    folderRow->addWidget(m_cmdSearch);
    lyricsForm->addRow(Tr(QT_TRANSLATE_NOOP("frmZelkoProps", "拡張子：")), m_txtLyricsExt);
    lyricsForm->addRow(QString(), NewHint(QT_TRANSLATE_NOOP("frmZelkoProps", "複数指定する場合は [ ; ] で区切って下さい")));
    lyricsForm->addRow(Tr(QT_TRANSLATE_NOOP("frmZelkoProps", "検索フォルダ：")), folderRow);
    lyricsForm->addRow(QString(), NewHint(QT_TRANSLATE_NOOP("frmZelkoProps", "検索フォルダを指定しない場合再生ファイルと同じフォルダを検索します")));

    auto* buttons = new QDialogButtonBox;
    m_cmdClose = buttons->addButton(Tr(QT_TRANSLATE_NOOP("frmZelkoProps", "閉じる")), QDialogButtonBox::AcceptRole);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    m_cmdClose->setDefault(true);

    // One label column for the groups of check boxes, so that the boxes line
    // up; the lyrics group keeps its short labels and wide text boxes.
    const std::array<QFormLayout*, 3> forms = {generalForm, windowForm, foldersForm};
    int labelWidth = 0;
    for (QFormLayout* form : forms)
        for (int row = 0; row < form->rowCount(); ++row)
            if (QLayoutItem* item = form->itemAt(row, QFormLayout::LabelRole); item && item->widget())
                labelWidth = std::max(labelWidth, item->widget()->sizeHint().width());
    for (QFormLayout* form : forms)
        for (int row = 0; row < form->rowCount(); ++row)
            if (QLayoutItem* item = form->itemAt(row, QFormLayout::LabelRole); item && item->widget())
                item->widget()->setMinimumWidth(labelWidth);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(general);
    layout->addWidget(window);
    layout->addWidget(folders);
    layout->addWidget(lyrics);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (int i = 0; i < 2; ++i) {
        connect(m_chkItem0[i], &QCheckBox::toggled, this, [this, i] { chkItem0_Click(i); });
        connect(m_chkItem1[i], &QCheckBox::toggled, this, [this, i] { chkItem1_Click(i); });
    }
    connect(m_chkItem2[0], &QCheckBox::toggled, this, [this] { chkItem2_Click(0); });
    connect(m_txtVolume, &QLineEdit::textChanged, this, [this] { txtItem0_Change(2); });
    connect(m_txtWindowLeft, &QLineEdit::textChanged, this, [this] { txtItem1_Change(2); });
    connect(m_txtWindowTop, &QLineEdit::textChanged, this, [this] { txtItem1_Change(3); });
    connect(m_cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(m_cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

void frmZelkoProps::Open()
{
    FillFields();
    show();
    raise();
    activateWindow();
}

void frmZelkoProps::FillFields()
{
    // Each assignment runs the control's handler when it changes the value,
    // as a change by the user would.
    m_chkItem0[0]->setChecked(m_host.Repeat());
    m_chkItem0[1]->setChecked(m_host.Shuffle());
    SetTextIfChanged(m_txtVolume, QString::number(m_host.Volume()));
    m_chkItem1[0]->setChecked(m_app.PlayListShowAlway());
    m_chkItem1[1]->setChecked(m_app.LyricsShowAlway());
    SetTextIfChanged(m_txtWindowLeft, QString::number(m_app.WindowLeft()));
    SetTextIfChanged(m_txtWindowTop, QString::number(m_app.WindowTop()));
    m_chkItem2[0]->setChecked(m_app.SearchChildFolder());
    SetTextIfChanged(m_txtLyricsExt, Q(m_app.LyricsExt()));
    SetTextIfChanged(m_txtLyricsFolder, Q(m_app.LyricsFolder()));
}

void frmZelkoProps::ShowRepeat(bool on)
{
    if (isVisible())
        m_chkItem0[0]->setChecked(on);
}

void frmZelkoProps::ShowShuffle(bool on)
{
    if (isVisible())
        m_chkItem0[1]->setChecked(on);
}

void frmZelkoProps::ShowVolume(int volume)
{
    if (isVisible())
        SetTextIfChanged(m_txtVolume, QString::number(volume));
}

void frmZelkoProps::ShowWindowPosition(int left, int top)
{
    if (!isVisible())
        return;
    SetTextIfChanged(m_txtWindowLeft, QString::number(left));
    SetTextIfChanged(m_txtWindowTop, QString::number(top));
}

void frmZelkoProps::chkItem0_Click(int index)
{
    // The play state is applied only when it differs: when the main window
    // shows its own change here, or the fields are filled, the setting is
    // already in place, and applying shuffle again would reshuffle the play
    // order for nothing.
    if (index == 0) {
        const bool on = m_chkItem0[0]->isChecked();
        if (on != m_host.Repeat())
            m_host.ApplyRepeat(on);
    } else if (index == 1) {
        const bool on = m_chkItem0[1]->isChecked();
        if (on != m_host.Shuffle())
            m_host.ApplyShuffle(on);
    }
}

void frmZelkoProps::chkItem1_Click(int index)
{
    if (index == 0)
        m_app.SetPlayListShowAlway(m_chkItem1[0]->isChecked());
    else if (index == 1)
        m_app.SetLyricsShowAlway(m_chkItem1[1]->isChecked());
}

void frmZelkoProps::chkItem2_Click(int index)
{
    if (index == 0)
        m_app.SetSearchChildFolder(m_chkItem2[0]->isChecked());
}

void frmZelkoProps::txtItem0_Change(int index)
{
    if (index != 2)
        return;
    if (m_txtVolume->text().isEmpty()) {
        m_txtVolume->setText(Q(PropsRules::EmptyBoxText));
        m_txtVolume->selectAll();
    }
}

void frmZelkoProps::txtItem1_Change(int index)
{
    SelectAllLineEdit* box = index == 2 ? m_txtWindowLeft : index == 3 ? m_txtWindowTop
                                                                       : nullptr;
    if (!box)
        return;
    if (box->text().isEmpty()) {
        // Setting the text runs this handler again, which applies the 0.
        box->setText(Q(PropsRules::EmptyBoxText));
        box->selectAll();
        return;
    }
    const auto value = PropsRules::WholeNumberValue(Text(box));
    if (!value)
        return;
    if (index == 2) {
        m_app.SetWindowLeft(*value);
        m_host.MoveMainWindow(WindowEdge::Left, *value);
    } else {
        m_app.SetWindowTop(*value);
        m_host.MoveMainWindow(WindowEdge::Top, *value);
    }
}

void frmZelkoProps::cmdSearch_Click()
{
    const QString remembered = m_txtLyricsFolder->text();
    const std::string chosen = m_host.ChooseFolder(this, Translated(LyricsFolderDialogTitle));
    m_txtLyricsFolder->setText(chosen.empty() ? remembered : Q(chosen));
}

void frmZelkoProps::cmdClose_Click()
{
    const PropsRules::ClosingVolume volume = PropsRules::VolumeOnClose(Text(m_txtVolume));
    SetTextIfChanged(m_txtVolume, Q(volume.BoxText));
    m_host.ApplyVolume(volume.Volume);

    m_app.SetLyricsExt(PropsRules::LyricsExtOnClose(Text(m_txtLyricsExt)));

    const std::string folder = PropsRules::LyricsFolderOnClose(Text(m_txtLyricsFolder));
    SetTextIfChanged(m_txtLyricsFolder, Q(folder));
    m_app.SetLyricsFolder(folder);

    hide();
}

} // namespace dialogs
