// The attribute dialog of the insertion menus (pictures, links, sound and more).
#include "insert/frmAddBasic.h"
#include "document/InsertText.h"

#include "base/Prompter.h"
#include "base/Settings.h"
#include "document/Workspace.h"
#include "insert/DialogButtons.h"
#include "insert/Snippet.h"
#include "base/cCommonDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>

#include "document/DiskFile.h"
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

namespace {
constexpr const char* kAnchor = QT_TRANSLATE_NOOP("frmAddBasic", "New anchor");
constexpr const char* kImage = QT_TRANSLATE_NOOP("frmAddBasic", "New image");
constexpr const char* kStylesheet = QT_TRANSLATE_NOOP("frmAddBasic", "Stylesheet link");
constexpr const char* kRedirect = QT_TRANSLATE_NOOP("frmAddBasic", "Meta redirect");
constexpr const char* kTransition = QT_TRANSLATE_NOOP("frmAddBasic", "Transition");
constexpr const char* kPopup = QT_TRANSLATE_NOOP("frmAddBasic", "Pop-up window wizard");

// The numeric test of the delay fields; infinities are no delay.
bool parseDelay(const QString& text, double* value)
{
    bool ok = false;
    *value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(*value);
}
} // namespace

frmAddBasic::frmAddBasic(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAddBasic"));
    auto* grid = new QGridLayout(this);
    for (int i = 0; i < 3; ++i) {
        m_lblA[i] = new QLabel(this);
        m_lblA[i]->setObjectName(QStringLiteral("lblA%1").arg(i));
        grid->addWidget(m_lblA[i], i, 0);
    }
    m_combo1 = new QComboBox(this);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->setEditable(true);
    m_combo1->setMinimumWidth(260);
    grid->addWidget(m_combo1, 0, 1);
    m_command1 = new QPushButton(tr("&Browse"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setAutoDefault(false);
    grid->addWidget(m_command1, 0, 2);
    m_combo2 = new QComboBox(this);
    m_combo2->setObjectName(QStringLiteral("Combo2"));
    m_combo2->setEditable(true);
    grid->addWidget(m_combo2, 1, 1);
    m_text1 = new QLineEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    grid->addWidget(m_text1, 1, 1);
    m_text2 = new QLineEdit(this);
    m_text2->setObjectName(QStringLiteral("Text2"));
    grid->addWidget(m_text2, 2, 1);
    m_check1 = new QCheckBox(this);
    m_check1->setObjectName(QStringLiteral("Check1"));
    grid->addWidget(m_check1, 3, 1);
    m_image1 = new QLabel(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->hide();

    QPushButton *ok = nullptr, *cancel = nullptr;
    auto* buttons = AddOkCancel(this, &ok, &cancel);
    grid->addWidget(buttons, 4, 0, 1, 3);

    // OK validates first, so the button box's own accept is not used.
    connect(ok, &QPushButton::clicked, this, &frmAddBasic::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &frmAddBasic::cmdCancel_Click);
    connect(m_command1, &QPushButton::clicked, this, &frmAddBasic::Command1_Click);
    connect(m_check1, &QCheckBox::clicked, this, &frmAddBasic::Check1_Click);
}

const QStringList& frmAddBasic::UrlPrefixes()
{
    static const QStringList list{"http://", "file:///", "ftp://", "mailto:", "#", "news:", "telnet://", "gopher://"};
    return list;
}

const QStringList& frmAddBasic::ImageAlignments()
{
    static const QStringList list{"Bottom", "Middle", "Top", "Left", "Right", "TextTop", "AbsMiddle", "Baseline",
                                  "AbsBottom"};
    return list;
}

const QStringList& frmAddBasic::TransitionEffects()
{
    static const QStringList list{
        "No effect", "Blend", "Box in", "Box out", "Circle in", "Circle out", "Wipe up", "Wipe down", "Wipe right",
        "Wipe left", "Vertical blinds", "Horizontal blinds", "Checkerboard across", "Checkerboard down", "Dissolve",
        "Split vertical in", "Split vertical out", "Split horizontal in", "Split horizontal out", "Strips left down",
        "Strips left up", "Strips right down", "Strips right up", "Random bars horizontal", "Random bars vertical",
        "Random"};
    return list;
}

void frmAddBasic::setLabels(const QString& a, const QString& b, const QString& c)
{
    m_lblA[0]->setText(a);
    m_lblA[1]->setText(b);
    m_lblA[2]->setText(c);
}

void frmAddBasic::showFields(bool combo2, bool text1, bool text2, bool check)
{
    m_combo2->setVisible(combo2);
    m_text1->setVisible(text1);
    m_text2->setVisible(text2);
    m_check1->setVisible(check);
    m_lblA[1]->setVisible(combo2 || text1);
    m_lblA[2]->setVisible(text2);
}

bool frmAddBasic::isMode(const char* caption) const
{
    return windowTitle() == tr(caption);
}

void frmAddBasic::SetUpAnchor(const QString& sel)
{
    setWindowTitle(tr(kAnchor));
    setLabels(tr("URL or file"), tr("Text/name (optional)"), tr("Target frame (optional)"));
    m_check1->setText(tr("Named bookmark anchor?"));
    showFields(false, true, true, true);
    m_text1->setText(sel);
}

void frmAddBasic::SetUpImage()
{
    setWindowTitle(tr(kImage));
    setLabels(tr("URL or file"), tr("Alignment (optional)"), tr("Alternate text (optional)"));
    m_check1->setText(tr("Include size where known?"));
    m_check1->setEnabled(true);
    showFields(true, false, true, true);
    m_combo2->clear();
    m_combo2->addItems(ImageAlignments());
    m_combo2->setCurrentIndex(-1);
}

void frmAddBasic::SetUpStylesheet()
{
    setWindowTitle(tr(kStylesheet));
    setLabels(tr("URL or file"), QString(), QString());
    showFields(false, false, false, false);
    m_combo1->clear();
    m_combo1->addItems({QStringLiteral("http://"), QStringLiteral("file:///")});
    m_combo1->setCurrentIndex(-1);
}

void frmAddBasic::SetUpMetaRedirect()
{
    setWindowTitle(tr(kRedirect));
    setLabels(tr("URL or file"), tr("Delay (secs)"), QString());
    m_text1->setText(QStringLiteral("5"));
    showFields(false, true, false, false);
}

void frmAddBasic::SetUpTransition()
{
    setWindowTitle(tr(kTransition));
    setLabels(tr("Event"), tr("Transition effect"), tr("Delay (sec)"));
    m_text2->setText(QStringLiteral("1"));
    m_command1->hide();
    showFields(true, false, true, false);
    m_combo1->clear();
    m_combo1->addItems({QStringLiteral("Page-Enter"), QStringLiteral("Page-Exit"), QStringLiteral("Site-Enter"),
                        QStringLiteral("Site-Exit")});
    m_combo1->setCurrentIndex(-1);
    m_combo2->clear();
    m_combo2->addItems(TransitionEffects());
    m_combo2->setCurrentIndex(-1);
}

void frmAddBasic::SetUpPopup()
{
    setWindowTitle(tr(kPopup));
    setLabels(tr("URL or file"), tr("Name"), QString());
    showFields(false, true, false, false);
}

void ShowAttributeDialog(frmAddBasic& dialog)
{
    dialog.Combo1()->clear();
    dialog.Combo1()->addItems(frmAddBasic::UrlPrefixes());
    dialog.Combo1()->setCurrentIndex(-1);
    Prompter::Current().ExecDialog(&dialog);
}

void RunAttributeDialog(const std::function<void(frmAddBasic&)>& setUp, bool withPrefixes)
{
    frmAddBasic dialog(Workspace::Current());
    setUp(dialog);
    if (withPrefixes)
        ShowAttributeDialog(dialog);
    else
        Prompter::Current().ExecDialog(&dialog);
    InsertPending(0, 0);
}

QString frmAddBasic::FileAddress(const QString& path, bool fullAddress)
{
    if (!fullAddress)
        return QFileInfo(path).fileName();
    return fctnFileUrl(path);
}

void frmAddBasic::Check1_Click()
{
    if (isMode(kAnchor))
        m_text2->setEnabled(!m_check1->isChecked());
}

void frmAddBasic::Command1_Click()
{
    const bool image = isMode(kImage);
    QString filter;
    int filterIndex = 1;
    if (image) {
        filter = QStringLiteral("GIF files (*.gif)|*.gif|JPEG files (*.jpg, *.jpeg)|*.jpg;*.jpeg|PNG files "
                                "(*.png)|*.png|All applicable files|*.gif;*.jpg;*.jpeg;*.png");
    } else if (isMode(kStylesheet)) {
        filter = QStringLiteral("CSS files (*.css)|*.css|All Files (*.*)|*.*");
    } else {
        filter = QStringLiteral("ASP files (*.asp)|*.asp|CSS files (*.css)|*.css|HTML/SHTML files (*.htm*, "
                                "*.shtm*)|*.htm*;*.shtm*|Javascript files (*.js)|*.js|Text Files (*.txt)|*.txt|All "
                                "Files (*.*)|*.*");
        filterIndex = 3;
    }
    cCommonDialog chooser;
    QString path, fileTitle;
    bool readOnly = false;
    int flags = 0;
    if (!chooser.VBGetOpenFileName(path, fileTitle, true, false, readOnly, true, filter, filterIndex, QString(),
                                   tr("Select"), QString(), this, flags))
        return;
    const QString name = QFileInfo(path).fileName();
    // Only a regular file is read for its size: a FIFO would never answer.
    // A file that is no readable picture has no size to write.
    m_imageSize = QSize();
    if (image && DiskFile::NotRegularReason(path).isEmpty()) {
        QImageReader reader(path);
        m_imageSize = reader.size();
        if (m_imageSize.isEmpty())
            m_imageSize = reader.read().size();
        if (m_imageSize.isEmpty())
            m_imageSize = QSize();
    }
    m_combo1->setEditText(FileAddress(path, OptFullIns));
    if ((isMode(kAnchor) || isMode(kPopup)) && m_text1->text().isEmpty())
        m_text1->setText(name);
    if (image) {
        if (m_text2->text().isEmpty())
            m_text2->setText(name);
        m_image1->setProperty("Tag", name);
    }
}

void frmAddBasic::delayNotNumeric(QLineEdit* field)
{
    Prompter::Current().MsgBox(this, tr("Delay must be numeric."), MsgButtons::OKOnly, MsgIcon::Exclamation,
                               QStringLiteral("QRN"));
    field->setFocus();
}

QString frmAddBasic::popupMarkup()
{
    QString p = QStringLiteral("<SCRIPT LANGUAGE=\"Javascript\" TYPE=\"text/javascript\">\r\n\twindow.open('")
        + m_combo1->currentText() + QStringLiteral("', '") + m_text1->text()
        + QStringLiteral("', 'width=400,height=300', '");
    static const std::pair<const char*, const char*> kFeatures[] = {
        {"toolbar", QT_TR_NOOP("Show the browser navigation bar?")},
        {"menubar", QT_TR_NOOP("Show the browser menu bar?")},
        {"scrollbars", QT_TR_NOOP("Show the browser scroll bars?")},
        {"directories", QT_TR_NOOP("Show the browser link bar?")},
        {"location", QT_TR_NOOP("Show the browser location/URL bar?")},
        {"status", QT_TR_NOOP("Show the browser status bar?")},
        {"resizable", QT_TR_NOOP("Allow the window to be resized?")},
        {"copyhistory", QT_TR_NOOP("Copy the browser history?")},
        {"fullscreen", QT_TR_NOOP("Pop-up in full-screen mode?")},
    };
    for (const auto& [feature, question] : kFeatures) {
        const int answer = Prompter::Current().MsgBox(this, tr(question),
                                                      MsgButtons::YesNoCancel | MsgButtons::DefaultButton2,
                                                      MsgIcon::Question, tr(kPopup));
        if (answer == MsgAnswer::Cancel)
            return QString();
        if (answer == MsgAnswer::Yes) {
            if (!p.endsWith(QLatin1Char('\'')))
                p += QStringLiteral(", ");
            p += QLatin1String(feature);
        }
    }
    return p + QStringLiteral("')\r\n</SCRIPT>");
}

void frmAddBasic::cmdOK_Click()
{
    const QString url = m_combo1->currentText();
    QString p;
    if (isMode(kAnchor)) {
        const bool named = m_check1->isChecked();
        p = QStringLiteral("<A ") + (named ? QStringLiteral("NAME=\"") : QStringLiteral("HREF=\"")) + url;
        if (url.endsWith(QLatin1String(".com")))
            p += QLatin1Char('/');
        p += QLatin1Char('"');
        if (!named && !m_text2->text().isEmpty())
            p += QStringLiteral(" TARGET=\"") + m_text2->text() + QLatin1Char('"');
        p += QLatin1Char('>') + m_text1->text() + QStringLiteral("</A>");
    } else if (isMode(kImage)) {
        p = QStringLiteral("<IMG SRC=\"") + url + QLatin1Char('"');
        if (!m_text2->text().isEmpty())
            p += QStringLiteral(" ALT=\"") + m_text2->text() + QLatin1Char('"');
        p += QStringLiteral(" BORDER=\"0\"");
        // Without a picture read through Browse the size is unknown and left out.
        if (m_check1->isChecked() && m_imageSize.isValid())
            p += QStringLiteral(" HEIGHT=\"%1\" WIDTH=\"%2\"").arg(m_imageSize.height()).arg(m_imageSize.width());
        if (!m_combo2->currentText().isEmpty())
            p += QStringLiteral(" ALIGN=\"") + m_combo2->currentText() + QLatin1Char('"');
        p += QLatin1Char('>');
    } else if (isMode(kStylesheet)) {
        p = QStringLiteral("<LINK REL=\"Stylesheet\" HREF=\"") + url + QStringLiteral("\" TYPE=\"text/css\">");
    } else if (isMode(kRedirect)) {
        double delay = 0;
        if (!parseDelay(m_text1->text(), &delay)) {
            delayNotNumeric(m_text1);
            return;
        }
        p = QStringLiteral("<META HTTP-EQUIV=\"refresh\" CONTENT=\"")
            + QString::number(std::trunc(std::fabs(delay)), 'f', 0) + QStringLiteral(";URL=") + url
            + QStringLiteral("\">");
    } else if (isMode(kTransition)) {
        double delay = 0;
        if (!parseDelay(m_text2->text(), &delay)) {
            delayNotNumeric(m_text2);
            return;
        }
        // A typed text that is not one of the effects counts as none selected.
        const int effect = m_combo2->findText(m_combo2->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (effect > 0) {
            p = QStringLiteral("<META HTTP-EQUIV=\"") + url + QStringLiteral("\" CONTENT=\"")
                + (effect == 1 ? QStringLiteral("blend") : QStringLiteral("reveal"))
                + QStringLiteral("Trans(Duration=") + m_text2->text();
            if (effect >= 2)
                p += QStringLiteral(",Transition=") + QString::number(effect - 2);
            p += QStringLiteral(")\">");
        }
    } else if (isMode(kPopup)) {
        if (url.isEmpty() || m_text1->text().isEmpty())
            return;
        p = popupMarkup();
    }
    PendingInsert = p;
    accept();
}

void frmAddBasic::cmdCancel_Click()
{
    PendingInsert.clear();
    reject();
}
