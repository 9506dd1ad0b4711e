// The splash window shown while the program starts.
#include "app/frmSplash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    // Painted by hand rather than by a style sheet, which would cost the start a style of its own.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 24, 28, 20);
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(QIcon(QStringLiteral(":/icons/qrn.svg")).pixmap(64, 64));
    image->setAlignment(Qt::AlignCenter);
    layout->addWidget(image);
    for (int i = 0; i < 3; ++i) {
        m_labels[i] = new QLabel(this);
        m_labels[i]->setObjectName(QStringLiteral("lblA%1").arg(i));
        m_labels[i]->setAlignment(Qt::AlignCenter);
        layout->addWidget(m_labels[i]);
    }
    m_labels[0]->setText(QStringLiteral("Quorlen"));
    QFont big = m_labels[0]->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    m_labels[0]->setFont(big);
    m_labels[1]->setText(tr("A web page editor"));
    m_labels[2]->setText(QStringLiteral("QRN version 1.2.0 "));
    setFixedSize(sizeHint().expandedTo(QSize(340, 200)));
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmSplash::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QColor(0x7a, 0x86, 0x99));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
