// The new-page wizard.
#include "insert/frmNew.h"

#include "base/Prompter.h"
#include "insert/DialogButtons.h"
#include "document/InsertText.h"
#include "insert/Snippet.h"
#include "base/cCommonDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

frmNew::frmNew(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmNew"));
    setWindowTitle(tr("New web page wizard"));
    auto* outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);

    auto lineEdit = [this](int i, const QString& tip) {
        m_txtA[i] = new QLineEdit(this);
        m_txtA[i]->setObjectName(QStringLiteral("txtA%1").arg(i));
        m_txtA[i]->setToolTip(tip);
        m_txtA[i]->setMinimumWidth(280);
        return m_txtA[i];
    };
    auto checkBox = [this](int n, const QString& caption, const QString& tip, bool checked) {
        auto* c = new QCheckBox(caption, this);
        c->setObjectName(QStringLiteral("Check%1").arg(n));
        c->setToolTip(tip);
        c->setChecked(checked);
        m_check[n - 1] = c;
        return c;
    };
    auto* titleLabel = new QLabel(tr("Page title"), this);
    grid->addWidget(titleLabel, 0, 0);
    grid->addWidget(lineEdit(0, tr("Enter the page title here")), 0, 1);
    grid->addWidget(checkBox(1, tr("Description?"), tr("Include the Description META tag?"), true), 1, 0);
    grid->addWidget(lineEdit(1, tr("Enter a meaningful description of the page")), 1, 1);
    grid->addWidget(checkBox(2, tr("Keywords?"), tr("Include the Keywords META tag?"), true), 2, 0);
    grid->addWidget(lineEdit(2, tr("Enter relevant keywords, separated by commas")), 2, 1);
    grid->addWidget(checkBox(3, tr("Generator?"), tr("Include the Generator META tag?"), true), 3, 0);
    grid->addWidget(checkBox(4, tr("Disable scrollbars?"), tr("Check to disable scrollbars"), false), 3, 1);
    grid->addWidget(checkBox(5, tr("Specify colours to override reader's browser defaults?"),
                             tr("Do you want to set default colours for this page?"), false),
                    4, 0, 1, 2);

    m_colourPanel = new QWidget(this);
    auto* colours = new QGridLayout(m_colourPanel);
    colours->setContentsMargins(0, 0, 0, 0);
    const char* labels[] = {QT_TR_NOOP("Background colour"), QT_TR_NOOP("Text colour"), QT_TR_NOOP("Link colour"),
                            QT_TR_NOOP("Visited link colour"), QT_TR_NOOP("Hover link colour")};
    // white, black, blue, purple, red as colour references
    const int initial[] = {0xFFFFFF, 0x000000, 0xFF0000, 0x800080, 0x0000FF};
    for (int i = 0; i < 5; ++i) {
        colours->addWidget(new QLabel(tr(labels[i]), m_colourPanel), i, 0);
        m_picCol[i] = new QToolButton(m_colourPanel);
        m_picCol[i]->setObjectName(QStringLiteral("picCol%1").arg(i));
        m_picCol[i]->setToolTip(tr("Click to change colour"));
        m_picCol[i]->setFixedSize(48, 18);
        colours->addWidget(m_picCol[i], i, 1);
        setSwatch(i, initial[i]);
        connect(m_picCol[i], &QToolButton::clicked, this, [this, i] { picCol_Click(i); });
    }
    m_colourPanel->hide();
    outer->addWidget(m_colourPanel);

    QPushButton *ok = nullptr, *cancel = nullptr;
    auto* buttons = AddOkCancel(this, &ok, &cancel);
    outer->addWidget(buttons);

    connect(m_check[0], &QCheckBox::toggled, m_txtA[1], &QWidget::setVisible);
    connect(m_check[1], &QCheckBox::toggled, m_txtA[2], &QWidget::setVisible);
    connect(m_check[4], &QCheckBox::toggled, this, &frmNew::Check5_Click);
    connect(ok, &QPushButton::clicked, this, &frmNew::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &frmNew::cmdCancel_Click);
}

void frmNew::setSwatch(int index, int colour)
{
    m_colours[index] = colour;
    m_tags[index] = fctnHtmlColour(colour);
    m_picCol[index]->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid gray;")
                                       .arg(QString(m_tags[index]).remove(QLatin1Char('"'))));
}

void frmNew::Check5_Click()
{
    // The dialog grows to bring the swatches into view and shrinks back.
    m_colourPanel->setVisible(m_check[4]->isChecked());
    adjustSize();
}

void frmNew::picCol_Click(int index)
{
    cCommonDialog chooser;
    int colour = m_colours.at(index);
    if (chooser.VBChooseColor(colour, true, false, false, this))
        setSwatch(index, colour);
}

QString frmNew::PageText() const
{
    QString body = QStringLiteral("<BODY");
    if (m_check[4]->isChecked()) {
        const char* attributes[] = {" BGCOLOR=", " TEXT=", " LINK=", " VLINK=", " ALINK="};
        for (int i = 0; i < 5; ++i)
            body += QLatin1String(attributes[i]) + m_tags[i];
    }
    if (m_check[3]->isChecked())
        body += QStringLiteral(" SCROLL=\"No\"");
    body += QLatin1Char('>');
    std::optional<QString> description, keywords;
    if (m_check[0]->isChecked())
        description = m_txtA[1]->text();
    if (m_check[1]->isChecked())
        keywords = m_txtA[2]->text().toLower();
    return PageSkeleton(m_txtA[0]->text(), description, keywords, m_check[2]->isChecked(), body);
}

void frmNew::cmdOK_Click()
{
    PendingInsert = PageText();
    accept();
}

void frmNew::cmdCancel_Click()
{
    PendingInsert.clear();
    reject();
}

void RunNewPageWizard(QWidget* owner)
{
    const InsertTargetScope target;
    frmNew dialog(owner);
    Prompter::Current().ExecDialog(&dialog);
    InsertPending(7, 2);
}
