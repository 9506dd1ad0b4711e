// The About box.
#include "options/frmAbout.h"
#include "base/DesktopColours.h"

#include "base/Prompter.h"
#include "base/ShellRoutines.h"
#include "document/Workspace.h"
#include "document/ColourScheme.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef QRN_VERSION
#define QRN_VERSION "1.2.0"
#endif

namespace {
// Addresses of the product's own pages; kept here so the links and their captions agree.
} // namespace

frmAbout::frmAbout(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About..."));
    setMouseTracking(true);

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setAlignment(Qt::AlignTop);

    auto* text = new QVBoxLayout;
    for (int i = 0; i < 3; ++i) {
        m_lblA[i] = new QLabel(this);
        m_lblA[i]->setObjectName(QStringLiteral("lblA%1").arg(i));
        m_lblA[i]->setMouseTracking(true);
        text->addWidget(m_lblA[i]);
    }
    QFont name = m_lblA[0]->font();
    name.setBold(true);
    name.setPointSizeF(name.pointSizeF() * 1.4);
    m_lblA[0]->setFont(name);

    auto* description = new QLabel(
        tr("A lightweight, easy-to-use HTML editor, the latest version of which is always available from:"), this);
    description->setObjectName(QStringLiteral("lblDescription"));
    description->setWordWrap(true);
    description->setMouseTracking(true);
    text->addSpacing(8);
    text->addWidget(description);

    for (int i = 0; i < 2; ++i) {
        auto* link = new QLabel(this);
        link->setObjectName(QStringLiteral("Label1%1").arg(i));
        link->setCursor(Qt::PointingHandCursor);
        link->setMouseTracking(true);
        link->installEventFilter(this);
        m_links[i] = link;
        text->addWidget(link);
    }
    m_links[0]->setText(ProductPage());
    m_links[1]->setText(tr("Donate"));
    m_links[1]->setToolTip(tr("Donate fast, free and securely via PayPal"));
    text->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addWidget(m_image);
    top->addLayout(text, 1);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* sysInfo = new QPushButton(tr("&System Info..."), this);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(sysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    Form_Load();
    for (int i = 0; i < 2; ++i)
        setLinkColour(i, LinkNormal);
}

QString frmAbout::ProductPage()
{
    // The same pages the Help menu opens.
    return ProgramPages::ProductPage();
}

QString frmAbout::DonationPage()
{
    return ProgramPages::DonationAddress();
}

QString frmAbout::VersionLine(const QString& version, const QString& comments)
{
    const QStringList parts = version.split(QLatin1Char('.'));
    auto part = [&](int i) { return i < parts.size() ? parts.at(i) : QStringLiteral("0"); };
    return tr("Version ") + part(0) + QLatin1Char('.') + part(1) + QLatin1Char('.') + part(2) +
           QStringLiteral(" - ") + comments;
}

void frmAbout::Form_Load()
{
    QIcon icon = Workspace::Current() ? Workspace::Current()->windowIcon() : QIcon(QStringLiteral(":/icons/qrn.svg"));
    m_image->setPixmap(icon.pixmap(64, 64));
    m_lblA[0]->setText(QStringLiteral("Quorlen"));
    m_lblA[1]->setText(VersionLine(QStringLiteral(QRN_VERSION)));
    m_lblA[2]->setText(tr("Copyright \u00A9 the Quorlen developers"));
}

void frmAbout::setLinkColour(int index, int colourRef)
{
    m_linkColour[index] = colourRef;
    // Pure blue and red do not read on a dark window: there the palette's link colour and a light red.
    QColor colour = ColourScheme::ToColor(colourRef);
    if (DesktopColours::IsDark(palette()))
        colour = colourRef != LinkNormal ? QColor(0xff, 0x80, 0x80)
                 : palette().color(QPalette::Link).lightness() >= 140 ? palette().color(QPalette::Link)
                                                                     : QColor(0x8a, 0xb4, 0xf8);
    m_links[index]->setStyleSheet(QStringLiteral("color: %1; text-decoration: underline;").arg(colour.name()));
}

void frmAbout::Label1_MouseMove(int index)
{
    setLinkColour(index, LinkHover);
}

void frmAbout::Form_MouseMove()
{
    for (int i = 0; i < 2; ++i)
        if (m_linkColour[i] != LinkNormal)
            setLinkColour(i, LinkNormal);
}

void frmAbout::Label1_Click(int index)
{
    fctnShellExec(QStringLiteral("Open"), index == 0 ? ProductPage() : DonationPage(), QStringLiteral("0"),
                  QStringLiteral("0"), 1);
}

void frmAbout::cmdSysInfo_Click()
{
    // This platform has no system information tool to start.
    MsgBox(tr("System information is unavailable at this time."), MsgButtons::OKOnly, MsgIcon::Exclamation,
           QStringLiteral("QRN"), this);
}

void frmAbout::mouseMoveEvent(QMouseEvent* event)
{
    Form_MouseMove();
    QDialog::mouseMoveEvent(event);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event)
{
    for (int i = 0; i < 2; ++i) {
        if (watched != m_links[i])
            continue;
        switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::Enter:
            Label1_MouseMove(i);
            return true;
        case QEvent::Leave:
            Form_MouseMove();
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                Label1_Click(i);
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
