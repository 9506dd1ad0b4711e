// The common file, colour and font dialogs, through the Prompter.
#include "base/cCommonDialog.h"

#include "base/Prompter.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPalette>
#include <QRegularExpression>
#include <QScreen>
#include <cmath>

namespace {
QColor fromRef(int ref)
{
    return QColor(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
}
int toRef(const QColor& c)
{
    return c.red() + 256 * c.green() + 65536 * c.blue();
}
const QChar kNul(QChar::Null);

// The entry used goes back to the caller: its 1-based index, and its pair joined by a NUL.
void takeChosenFilter(int chosen, QString& filter, int& filterIndex)
{
    const auto pairs = cCommonDialog::FilterPairs(filter);
    filterIndex = chosen + 1;
    if (chosen >= 0 && chosen < pairs.size())
        filter = pairs.at(chosen).first + kNul + pairs.at(chosen).second;
}
} // namespace

QList<QPair<QString, QString>> cCommonDialog::FilterPairs(const QString& filter)
{
    QList<QPair<QString, QString>> pairs;
    QStringList parts;
    QString cur;
    for (QChar c : filter) {
        if (c == QLatin1Char('|') || c == QLatin1Char(':')) {
            parts << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    parts << cur;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        pairs.append({parts.at(i), parts.at(i + 1)});
    return pairs;
}

QStringList cCommonDialog::QtNameFilters(const QString& filter)
{
    QStringList out;
    for (const auto& [label, pattern] : FilterPairs(filter)) {
        // Qt takes the patterns from the parentheses, so the label's own list makes way for them.
        QString name = label;
        const int paren = name.indexOf(QLatin1Char('('));
        if (paren >= 0)
            name = name.left(paren).trimmed();
        QString patterns = pattern.trimmed();
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (patterns == QLatin1String("*.*"))
            patterns = QStringLiteral("*");   // files without an extension too
        out << name + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return out;
}

int cCommonDialog::OpenFlags(bool mustExist, bool multiSelect, bool readOnly, bool hideReadOnly, int callerFlags)
{
    int f = 0;
    if (mustExist)
        f |= OFN_FILEMUSTEXIST;
    if (multiSelect)
        f |= OFN_MULTISELECT;
    if (hideReadOnly)
        f |= OFN_HIDEREADONLY;
    if (readOnly)
        f |= OFN_READONLY;
    return f | (callerFlags & ~OFN_HOOK_TEMPLATE);
}

int cCommonDialog::SaveFlags(bool overwritePrompt, int callerFlags)
{
    int f = OFN_HIDEREADONLY;
    if (overwritePrompt)
        f |= OFN_OVERWRITEPROMPT;
    return f | (callerFlags & ~OFN_HOOK_TEMPLATE);
}

int cCommonDialog::ColorFlags(bool anyColour, bool fullOpen, bool disableFullOpen)
{
    int f = (anyColour ? CC_ANYCOLOR : CC_SOLIDCOLOR) | CC_RGBINIT;
    if (fullOpen)
        f |= CC_FULLOPEN;
    if (disableFullOpen)
        f |= CC_PREVENTFULLOPEN;
    return f & ~0x30;
}

int cCommonDialog::FontFlags(int& printerDC, int colour, int minSize, int maxSize, int callerFlags)
{
    int f = callerFlags;
    if (printerDC == -1)
        printerDC = 0;   // no printer here to take fonts from
    else
        f |= CF_PRINTERFONTS;
    if (!(f & CF_PRINTERFONTS))
        f |= CF_SCREENFONTS;
    if (colour)
        f |= CF_EFFECTS;
    if (minSize || maxSize)
        f |= CF_LIMITSIZE;
    return (f & ~0x218) | CF_INITTOLOGFONTSTRUCT;
}

int cCommonDialog::FontHeight(double points, double twipsPerPixel)
{
    return -int(std::lround(points * 20.0 / twipsPerPixel));
}

QString cCommonDialog::VBGetFileTitle(const QString& path)
{
    return QFileInfo(path).fileName().left(4095);
}

bool cCommonDialog::VBGetOpenFileName(QString& fileName, QString& fileTitle, bool mustExist, bool multiSelect,
                                      bool& readOnly, bool hideReadOnly, QString& filter, int& filterIndex,
                                      const QString& initialDir, const QString& title, const QString& defaultExt,
                                      QWidget* owner, int& flags)
{
    m_apiReturn = 0;
    m_extendedError = 0;
    const int callFlags = OpenFlags(mustExist, multiSelect, readOnly, hideReadOnly, flags);
    FileDialogRequest request;
    request.title = title.isEmpty() ? QObject::tr("Open") : title;
    request.directory = initialDir;
    request.fileName = fileName;
    request.nameFilters = QtNameFilters(filter);
    request.filterIndex = std::max(0, filterIndex - 1);
    request.multiSelect = multiSelect;
    request.mustExist = mustExist;
    Q_UNUSED(defaultExt);
    const FileDialogResult result = Prompter::Current().FileDialog(owner, request);
    if (!result.accepted || result.files.isEmpty()) {
        fileName.clear();
        fileTitle.clear();
        filter.clear();
        flags = 0;
        filterIndex = -1;
        return false;
    }
    m_apiReturn = 1;
    if (result.files.size() == 1) {
        fileName = result.files.first();
        fileTitle = QFileInfo(fileName).fileName();
    } else {
        QString folder = QFileInfo(result.files.first()).absolutePath();
        if (!folder.endsWith(QLatin1Char('/')))
            folder += QLatin1Char('/');
        QStringList names;
        for (const QString& f : result.files)
            names << QFileInfo(f).fileName();
        fileName = folder;
        fileTitle = names.join(kNul);
    }
    takeChosenFilter(result.filterIndex, filter, filterIndex);
    flags = callFlags;
    readOnly = (flags & OFN_READONLY) != 0;
    followChoice(result.files.first());
    return true;
}

bool cCommonDialog::VBGetSaveFileName(QString& fileName, QString& fileTitle, bool overwritePrompt, QString& filter,
                                      int& filterIndex, const QString& initialDir, const QString& title,
                                      const QString& defaultExt, QWidget* owner, int& flags)
{
    m_apiReturn = 0;
    m_extendedError = 0;
    const int callFlags = SaveFlags(overwritePrompt, flags);
    FileDialogRequest request;
    request.save = true;
    request.title = title.isEmpty() ? QObject::tr("Save As") : title;
    request.directory = initialDir;
    request.fileName = fileName;
    request.nameFilters = QtNameFilters(filter);
    request.filterIndex = std::max(0, filterIndex - 1);
    request.overwritePrompt = overwritePrompt;
    const FileDialogResult result = Prompter::Current().FileDialog(owner, request);
    if (!result.accepted || result.files.isEmpty()) {
        fileName.clear();
        fileTitle.clear();
        flags = 0;
        filterIndex = 0;
        return false;
    }
    m_apiReturn = 1;
    fileName = result.files.first();
    if (!defaultExt.isEmpty() && QFileInfo(fileName).suffix().isEmpty())
        fileName += QLatin1Char('.') + defaultExt;
    fileTitle = QFileInfo(fileName).fileName();
    takeChosenFilter(result.filterIndex, filter, filterIndex);
    flags = callFlags;
    followChoice(fileName);
    return true;
}

QString cCommonDialog::FamilyName(const QFont& font)
{
    // Qt names a family found at several foundries "Nimbus Sans [urw]"; a page names it alone.
    static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\]]*\\]$"));
    return QString(font.family()).remove(foundry);
}

void cCommonDialog::followChoice(const QString& chosen)
{
    // As the desktop's own file dialogs do: the next dialog, the file manager
    // and the working folder kept at exit start where the user last chose a file.
    QDir::setCurrent(QFileInfo(chosen).absolutePath());
}

void cCommonDialog::ensureCustomColours()
{
    if (m_customLoaded)
        return;
    m_customLoaded = true;
    // The desktop's colours for its display elements, as the dialog's starting row.
    const QPalette p = QApplication::palette();
    const QPalette::ColorRole roles[16] = {
        QPalette::Mid,       QPalette::Dark,          QPalette::Highlight,  QPalette::Midlight,
        QPalette::Button,    QPalette::Window,        QPalette::Base,       QPalette::Shadow,
        QPalette::WindowText, QPalette::HighlightedText, QPalette::Text,   QPalette::ButtonText,
        QPalette::Light,     QPalette::AlternateBase, QPalette::ToolTipBase, QPalette::ToolTipText};
    for (int i = 0; i < 16; ++i)
        m_custom[i] = toRef(p.color(roles[i]));
}

int cCommonDialog::CustomColor(int index)
{
    if (index < 0 || index > 15)
        return -1;
    ensureCustomColours();
    return m_custom[index];
}

void cCommonDialog::SetCustomColor(int index, int colour)
{
    if (index < 0 || index > 15)
        return;
    ensureCustomColours();
    m_custom[index] = colour;
}

bool cCommonDialog::VBChooseColor(int& colour, bool anyColour, bool fullOpen, bool disableFullOpen, QWidget* owner,
                                  int)
{
    ensureCustomColours();
    Q_UNUSED(ColorFlags(anyColour, fullOpen, disableFullOpen));
    QList<QColor> custom;
    for (int c : m_custom)
        custom << fromRef(c);
    const auto chosen = Prompter::Current().ChooseColor(owner, fromRef(colour < 0 ? 0 : colour), custom);
    m_apiReturn = chosen ? 1 : 0;
    if (!chosen) {
        colour = -1;
        return false;
    }
    colour = toRef(*chosen);
    return true;
}

bool cCommonDialog::VBChooseFont(Font& font, int& printerDC, QWidget* owner, int& colour, int minSize, int maxSize,
                                 int& flags)
{
    m_apiReturn = 0;
    m_extendedError = 0;
    flags = FontFlags(printerDC, colour, minSize, maxSize, flags);
    QFont initial(font.name);
    if (font.size > 0)
        initial.setPointSizeF(font.size);
    initial.setWeight(QFont::Weight(std::clamp(font.weight / 10 * 10 == font.weight ? font.weight : 400, 100, 900)));
    initial.setBold(font.bold);
    initial.setItalic(font.italic);
    initial.setUnderline(font.underline);
    initial.setStrikeOut(font.strikethrough);
    QColor textColour = fromRef(colour < 0 ? 0 : colour);
    const auto chosen = Prompter::Current().ChooseFont(owner, initial, &textColour);
    if (!chosen)
        return false;
    m_apiReturn = 1;
    colour = toRef(textColour);
    font.name = FamilyName(*chosen);
    font.size = chosen->pointSizeF();
    font.weight = chosen->weight();
    font.bold = chosen->bold();
    font.italic = chosen->italic();
    font.underline = chosen->underline();
    font.strikethrough = chosen->strikeOut();
    return true;
}
