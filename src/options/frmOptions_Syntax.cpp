// The "Syntax highlighting" page of the options dialog: the kind being edited,
// its colours and effects, the font, and the live sample.
#include "options/frmOptions.h"

#include "base/Settings.h"
#include "document/Workspace.h"
#include "document/CodeMax1.h"
#include "document/frmDocument.h"
#include "document/ColourScheme.h"
#include "base/cCommonDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace {

// The integer a size entry such as "12 pt" starts with.
int leadingInt(const QString& text)
{
    int i = 0;
    while (i < text.size() && text.at(i).isDigit())
        ++i;
    return text.left(i).toInt();
}
} // namespace

// Tab and Shift+Tab move on from the sample and Escape cancels the dialog,
// as in any other field of a dialog.
class SampleKeys : public QObject {
public:
    explicit SampleKeys(QDialog* dialog) : QObject(dialog), m_dialog(dialog) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        if (key->key() == Qt::Key_Tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            focusNext(widget, true);
            return true;
        }
        if (key->key() == Qt::Key_Backtab) {
            focusNext(widget, false);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            m_dialog->reject();
            return true;
        }
        return false;
    }

private:
    // The next widget of the chain that takes the keyboard, outside the sample.
    static void focusNext(QWidget* from, bool forward)
    {
        QWidget* w = from;
        do {
            w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        } while (w != from && (w == from->focusProxy() || from->isAncestorOf(w) || !(w->focusPolicy() & Qt::TabFocus) ||
                               !w->isEnabled() || !w->isVisibleTo(from->window())));
        w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    }
    QDialog* m_dialog;
};

QWidget* frmOptions::buildSyntaxPage()
{
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout;

    m_cmbTag = new QComboBox(page);
    m_cmbTag->setObjectName(QStringLiteral("cmbTag"));
    m_cmbTag->setToolTip(tr("Type of text to highlight"));
    for (int kind = 0; kind < ColourScheme::KindCount; ++kind)
        m_cmbTag->addItem(ColourScheme::Caption(kind));
    grid->addWidget(new QLabel(tr("Text type:"), page), 0, 0);
    grid->addWidget(m_cmbTag, 0, 1);

    const QString colourLabels[2] = {tr("Text colour:"), tr("Background colour:")};
    for (int i = 0; i < 2; ++i) {
        m_picCol[i] = new ColourBox(page);
        m_picCol[i]->setObjectName(QStringLiteral("picCol%1").arg(i));
        connect(m_picCol[i], &ColourBox::clicked, this, [this, i] { picCol_Click(i); });
        grid->addWidget(new QLabel(colourLabels[i], page), 1 + i, 0);
        grid->addWidget(m_picCol[i], 1 + i, 1, Qt::AlignLeft);
    }

    m_bold = new QCheckBox(tr("Bold"), page);
    m_bold->setObjectName(QStringLiteral("Bold"));
    m_bold->setToolTip(tr("Bold type face"));
    m_italic = new QCheckBox(tr("Italic"), page);
    m_italic->setObjectName(QStringLiteral("Italic"));
    m_italic->setToolTip(tr("Italic type face"));
    connect(m_bold, &QCheckBox::toggled, this, &frmOptions::Bold_Click);
    connect(m_italic, &QCheckBox::toggled, this, &frmOptions::Bold_Click);
    grid->addWidget(m_bold, 3, 1);
    grid->addWidget(m_italic, 4, 1);

    m_cmbFont = new QComboBox(page);
    m_cmbFont->setObjectName(QStringLiteral("cmbFont"));
    grid->addWidget(new QLabel(tr("Font face:"), page), 5, 0);
    grid->addWidget(m_cmbFont, 5, 1);

    m_cmbSize = new QComboBox(page);
    m_cmbSize->setObjectName(QStringLiteral("cmbSize"));
    m_cmbSize->setToolTip(tr("Font size"));
    for (int size = 8; size <= 12; ++size)
        m_cmbSize->addItem(QStringLiteral("%1 pt").arg(size));
    grid->addWidget(new QLabel(tr("Size:"), page), 6, 0);
    grid->addWidget(m_cmbSize, 6, 1);
    grid->setRowStretch(7, 1);

    connect(m_cmbTag, &QComboBox::currentIndexChanged, this, &frmOptions::cmbTag_Click);
    connect(m_cmbFont, &QComboBox::currentIndexChanged, this, &frmOptions::cmbFont_Click);
    connect(m_cmbSize, &QComboBox::currentIndexChanged, this, &frmOptions::cmbSize_Click);

    auto* preview = new QGroupBox(tr("Preview window"), page);
    auto* previewLayout = new QVBoxLayout(preview);
    m_sample = new CodeMax1(preview);
    m_sample->setObjectName(QStringLiteral("CodeMax1"));
    m_sample->setMinimumSize(320, 180);
    previewLayout->addWidget(m_sample);
    connect(m_sample, &CodeMax1::RightClick, this, &frmOptions::showHelpMenu);
    // A sample, not a document: it keeps its text, and the keyboard can leave it.
    m_sample->setReadOnly(true);
    m_sample->installEventFilter(new SampleKeys(this));

    auto* layout = new QHBoxLayout(page);
    layout->addLayout(grid);
    layout->addWidget(preview, 1);
    return page;
}

void frmOptions::showHelpMenu()
{
    if (Workspace* main = Workspace::Current())
        if (QMenu* help = main->Menu(QStringLiteral("mnuHelp")))
            help->popup(QCursor::pos());
}

void frmOptions::fctnInitColour(int kind, int background, int textColour, int effect, bool reset)
{
    if (reset) {
        QFont font(QStringLiteral("Courier"));
        font.setStyleHint(QFont::TypeWriter);
        font.setPointSize(10);
        m_sample->SetFont(font);
        ColourScheme::WriteFixedLook(m_sample);
    }
    ColourScheme::WriteKind(m_sample, kind, {background, textColour, effect});
}

void frmOptions::fctnApplyColour(const QString& prefix, int background, int textColour, int effect)
{
    SaveSetting(Key::Colour(prefix, "BG"), QString::number(background));
    SaveSetting(Key::Colour(prefix, "FG"), QString::number(textColour));
    SaveSetting(Key::Colour(prefix, "Effect"), QString::number(effect));
}

void frmOptions::cmbTag_Click()
{
    const int kind = m_cmbTag->currentIndex();
    if (kind < 0)
        return;
    const KindColours c = ColourScheme::ReadBack(m_sample, kind);
    m_picCol[0]->SetColour(c.text);
    m_picCol[1]->SetColour(c.background);
    // Showing a kind is not a change: the boxes are set without their handlers.
    const QSignalBlocker blockBold(m_bold);
    const QSignalBlocker blockItalic(m_italic);
    m_bold->setChecked(c.effect & 1);
    m_italic->setChecked(c.effect >= 2);
}

void frmOptions::Bold_Click()
{
    fctnSetChanged(true);
    const int effect = 2 * int(m_italic->isChecked()) + int(m_bold->isChecked());
    fctnInitColour(m_cmbTag->currentIndex(), m_picCol[1]->Colour(), m_picCol[0]->Colour(), effect, false);
}

void frmOptions::picCol_Click(int index)
{
    cCommonDialog dialog;
    int colour = m_picCol[index]->Colour();
    if (!dialog.VBChooseColor(colour, true, false, false, this))
        return;
    m_picCol[index]->SetColour(colour);
    Bold_Click();
}

void frmOptions::cmbFont_Click()
{
    if (m_cmbFont->currentIndex() < 0)
        return;
    fctnSetChanged(true);
    QFont font = m_sample->Font();
    font.setFamily(m_cmbFont->currentText());
    m_sample->SetFont(font);
}

void frmOptions::cmbSize_Click()
{
    QFont font = m_sample->Font();
    if (m_cmbSize->currentIndex() < 0) {
        // A stored size without an entry still shows in the sample.
        font.setPointSize(std::max(1, m_loadedSize));
    } else {
        fctnSetChanged(true);
        font.setPointSize(leadingInt(m_cmbSize->currentText()));
    }
    m_sample->SetFont(font);
}

void frmOptions::applySyntax()
{
    for (int kind = 0; kind < ColourScheme::KindCount; ++kind) {
        const KindColours c = ColourScheme::ReadBack(m_sample, kind);
        fctnApplyColour(ColourScheme::Prefix(kind), c.background, c.text, c.effect);
    }
    // Without a selection the face and size read at load are kept rather than blanked.
    // Nor is a stored face that only resolved to the family shown replaced by it.
    const QString face = m_cmbFont->currentIndex() >= 0 && m_cmbFont->currentIndex() != m_resolvedFont
        ? m_cmbFont->currentText()
        : m_loadedFace;
    SaveSetting(Key::DefFont, face);
    QString size = m_cmbSize->currentText();
    if (m_cmbSize->currentIndex() < 0)
        size = QString::number(m_loadedSize) + QLatin1Char(' ');
    const int blank = size.indexOf(QLatin1Char(' '));
    SaveSetting(Key::DefSize, blank >= 0 ? size.left(blank + 1) : size);
}

