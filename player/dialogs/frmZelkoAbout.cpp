#include "player/dialogs/frmZelkoAbout.h"

#include "player/dialogs/DialogLook.h"
#include "player/dialogs/DialogTexts.h"
#include "player/dialogs/ProductArt.h"
#include "player/dialogs/ShortcutLineDelegate.h"
#include "player/dialogs/UserGuide.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace dialogs {

namespace {

QString Q(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

QPixmap CrispPixmap(const QImage& image, qreal ratio)
{
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

const QSize PictureSize(380, 112);
constexpr int IconSide = 48;

} // namespace

frmZelkoAbout::frmZelkoAbout(const ProgramVersion& version, QWidget* parent,
                             const std::filesystem::path& programFolder)
    : QDialog(parent)
{
    setFont(DialogFont());
    setModal(true);
    setObjectName(QStringLiteral("frmZelkoAbout"));
    const qreal ratio = devicePixelRatio();

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PContainer"));

    auto* versionPage = new QWidget;
    versionPage->setObjectName(QStringLiteral("PContainer(0)"));
    m_imgJpeg = new QLabel;
    m_imgJpeg->setObjectName(QStringLiteral("ImgJpeg"));
    m_imgJpeg->setPixmap(CrispPixmap(ProductArt::Picture(PictureSize * ratio), ratio));
    m_imgJpeg->setFixedSize(PictureSize);
    m_pIcon = new QLabel;
    m_pIcon->setObjectName(QStringLiteral("PIcon"));
    m_pIcon->setPixmap(CrispPixmap(ProductArt::Icon(static_cast<int>(IconSide * ratio)), ratio));
    m_pIcon->setFixedSize(IconSide, IconSide);
    m_pIcon->setAlignment(Qt::AlignTop);

    auto* name = new QLabel(Q(ApplicationTitle));
    QFont nameFont = font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.4);
    name->setFont(nameFont);
    m_lblAppVersion = new QLabel;
    m_lblAppVersion->setObjectName(QStringLiteral("lblAppVersion"));
    m_lblAppVersion->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lblUrl = new QLabel;
    m_lblUrl->setObjectName(QStringLiteral("lblUrl"));
    m_lblUrl->setTextFormat(Qt::RichText);
    m_lblUrl->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_lblUrl->setOpenExternalLinks(false);
    connect(m_lblUrl, &QLabel::linkActivated, this, [this] { lblUrl_Click(); });

    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addWidget(name);
    texts->addWidget(m_lblAppVersion);
    texts->addSpacing(6);
    texts->addWidget(m_lblUrl);
    texts->addStretch(1);
    auto* identity = new QHBoxLayout;
    identity->setSpacing(14);
    identity->addWidget(m_pIcon, 0, Qt::AlignTop);
    identity->addLayout(texts, 1);
    auto* versionLayout = new QVBoxLayout(versionPage);
    versionLayout->addWidget(m_imgJpeg, 0, Qt::AlignHCenter);
    versionLayout->addSpacing(8);
    versionLayout->addLayout(identity);
    versionLayout->addStretch(1);

    auto* shortcutPage = new QWidget;
    shortcutPage->setObjectName(QStringLiteral("PContainer(1)"));
    m_lstShortcut = new QListWidget;
    m_lstShortcut->setObjectName(QStringLiteral("lstShortcut"));
    m_lstShortcut->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstShortcut->setUniformItemSizes(true);
    m_shortcutDelegate = new ShortcutLineDelegate(m_lstShortcut);
    m_lstShortcut->setItemDelegate(m_shortcutDelegate);
    auto* shortcutLayout = new QVBoxLayout(shortcutPage);
    shortcutLayout->addWidget(m_lstShortcut);

    m_pages->addTab(versionPage, QCoreApplication::translate("frmZelkoAbout", "ﾊﾞｰｼﾞｮﾝ"));
    m_pages->addTab(shortcutPage, QCoreApplication::translate("frmZelkoAbout", "ｼｮｰﾄｶｯﾄ"));
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int index) {
        BringToFront(index == 1 ? Page::Shortcuts : Page::Version);
    });

    auto* buttons = new QDialogButtonBox;
    m_cmdOK = buttons->addButton(QCoreApplication::translate("frmZelkoAbout", "OK"), QDialogButtonBox::AcceptRole);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);
    connect(m_cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Form_Load(version, programFolder.empty() ? std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) : programFolder);
}

void frmZelkoAbout::Form_Load(const ProgramVersion& version, const std::filesystem::path& programFolder)
{
    setWindowTitle(Q(AboutCaption()));
    setWindowIcon(QIcon(QPixmap::fromImage(ProductArt::Icon(64))));
    m_lblAppVersion->setText(Q(VersionText(version)));
    // The user guide on this machine; without one there is nothing to link.
    m_guideUrl = UserGuide::UrlFor(programFolder);
    const QString url = m_guideUrl.toString();
    m_lblUrl->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(url.toHtmlEscaped()));
    m_lblUrl->setToolTip(url);
    if (m_guideUrl.isEmpty())
        m_lblUrl->hide();

    m_lstShortcut->clear();
    int widestKey = 0;
    int widestDescription = 0;
    const QFontMetrics metrics(m_lstShortcut->font());
    for (const std::string& line : ShortcutLines()) {
        const QString text = Q(line);
        m_lstShortcut->addItem(text);
        const qsizetype tab = text.indexOf(QLatin1Char('\t'));
        if (tab >= 0) {
            widestKey = std::max(widestKey, metrics.horizontalAdvance(text.left(tab)));
            widestDescription = std::max(widestDescription, metrics.horizontalAdvance(text.mid(tab + 1)));
        }
    }
    m_shortcutDelegate->SetDescriptionColumn(widestKey + metrics.horizontalAdvance(QStringLiteral("    ")));
    m_lstShortcut->setMinimumWidth(m_shortcutDelegate->DescriptionColumn() + widestDescription + 40);

    BringToFront(Page::Version);
}

void frmZelkoAbout::ShowModal(const ProgramVersion& version, QWidget* parent)
{
    frmZelkoAbout dialog(version, parent);
    dialog.adjustSize();
    CentreOnScreen(dialog);
    dialog.exec();
}

void frmZelkoAbout::BringToFront(Page page)
{
    m_front = page;
    m_pages->setCurrentIndex(static_cast<int>(page));
    m_lstShortcut->setEnabled(page == Page::Shortcuts);
}

void frmZelkoAbout::lblTitle0_Click() { BringToFront(Page::Version); }

void frmZelkoAbout::lblTitle1_Click() { BringToFront(Page::Shortcuts); }

void frmZelkoAbout::lblUrl_Click()
{
    if (!m_guideUrl.isEmpty())
        QDesktopServices::openUrl(m_guideUrl);
}

void frmZelkoAbout::cmdOK_Click() { accept(); }

void frmZelkoAbout::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Right && m_front == Page::Version)
        lblTitle1_Click();
    else if (event->key() == Qt::Key_Left && m_front == Page::Shortcuts)
        lblTitle0_Click();
    else
        QDialog::keyReleaseEvent(event);
}

} // namespace dialogs
