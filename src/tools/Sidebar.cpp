// The sidebar's tag and character lists.
#include "tools/Sidebar.h"

#include "base/Settings.h"
#include "document/Workspace.h"
#include "document/CodeMax1.h"
#include "document/frmDocument.h"

#include <QCoreApplication>
#include <QHash>
#include <QListWidget>
#include <QSet>
#include <QTabBar>

namespace Sidebar {

namespace {
struct CharRow {
    int code;
    const char* entity;
};

// Rows 7 to 101 by their Windows-1252 code, which for 161 to 255 is the Unicode code point.
const CharRow kCharRows[] = {
    {215, "times"},   {247, "divide"},  {192, "Agrave"}, {193, "Aacute"}, {194, "Acirc"},  {195, "Atilde"},
    {196, "Auml"},    {197, "Aring"},   {198, "AElig"},  {199, "Ccedil"}, {200, "Egrave"}, {201, "Eacute"},
    {202, "Ecirc"},   {203, "Euml"},    {204, "Igrave"}, {205, "Iacute"}, {206, "Icirc"},  {207, "Iuml"},
    {208, "ETH"},     {209, "Ntilde"},  {210, "Ograve"}, {211, "Oacute"}, {212, "Ocirc"},  {213, "Otilde"},
    {214, "Ouml"},    {216, "Oslash"},  {217, "Ugrave"}, {218, "Uacute"}, {219, "Ucirc"},  {220, "Uuml"},
    {221, "Yacute"},  {224, "agrave"},  {225, "aacute"}, {226, "acirc"},  {227, "atilde"}, {228, "auml"},
    {229, "aring"},   {230, "aelig"},   {231, "ccedil"}, {232, "egrave"}, {233, "eacute"}, {234, "ecirc"},
    {235, "euml"},    {236, "igrave"},  {237, "iacute"}, {238, "icirc"},  {239, "iuml"},   {240, "eth"},
    {241, "ntilde"},  {242, "ograve"},  {243, "oacute"}, {244, "ocirc"},  {245, "otilde"}, {246, "ouml"},
    {248, "oslash"},  {249, "ugrave"},  {250, "uacute"}, {251, "ucirc"},  {252, "uuml"},   {253, "yacute"},
    {255, "yuml"},    {222, "THORN"},   {254, "thorn"},  {223, "szlig"},  {161, "iexcl"},  {162, "cent"},
    {163, "pound"},   {164, "curren"},  {165, "yen"},    {166, "#166"},   {167, "sect"},   {168, "#168"},
    {169, "copy"},    {170, "ordf"},    {171, "laquo"},  {172, "not"},    {173, "shy"},    {174, "reg"},
    {175, "macr"},    {176, "deg"},     {177, "plusmn"}, {178, "sup2"},   {179, "sup3"},   {180, "acute"},
    {181, "micro"},   {182, "para"},    {183, "middot"}, {184, "cedil"},  {185, "sup1"},   {186, "ordm"},
    {187, "raquo"},   {188, "frac14"},  {189, "frac12"}, {190, "frac34"}, {191, "iquest"},
};

const char* const kWordRows[][2] = {
    {QT_TRANSLATE_NOOP("Sidebar", "Non-brk space"), "nbsp"}, {"\"", "quot"}, {"&", "amp"}, {"<", "lt"},
    {">", "gt"}, {QT_TRANSLATE_NOOP("Sidebar", "Trademark"), "trade"},
};

struct CharTable {
    QStringList rows;
    QHash<QString, QString> entities;
};

const CharTable& charTable()
{
    static const CharTable table = [] {
        CharTable t;
        for (const auto& row : kWordRows) {
            const QString shown = QCoreApplication::translate("Sidebar", row[0]);
            t.rows << shown;
            t.entities.insert(shown, QLatin1String(row[1]));
        }
        for (const CharRow& row : kCharRows) {
            const QString shown(QChar(char16_t(row.code)));
            t.rows << shown;
            t.entities.insert(shown, QLatin1String(row.entity));
        }
        return t;
    }();
    return table;
}
} // namespace

const QStringList& Tags()
{
    static const QStringList tags = [] {
        QStringList t{"A",       "ABBR",     "ACRONYM",  "ADDRESS", "APPLET",     "AREA",     "B",
                      "BASE",    "BASEFONT", "BDO",      "BGSOUND", "BIG",        "BLINK",    "BLOCKQUOTE",
                      "BODY",    "BR",       "BUTTON",   "CAPTION", "CENTER",     "CITE",     "CODE",
                      "COL",     "COLGROUP", "DATASPOT", "DD",      "DEL",        "DFN",      "DIR",
                      "DIV",     "DL",       "DT",       "EM",      "EMBED",      "FIELDSET", "FONT",
                      "FORM",    "FRAME",    "FRAMESET"};
        for (int i = 1; i <= 6; ++i)
            t << QStringLiteral("H%1").arg(i);
        t << QStringList{"HEAD",    "HR",     "HTML",    "I",       "IFRAME",   "ILAYER",   "IMG",
                         "INPUT",   "INS",    "ISINDEX", "KBD",     "LABEL",    "LAYER",    "LEGEND",
                         "LH",      "LI",     "LINK",    "MAP",     "MARQUEE",  "MENU",     "META",
                         "MULTICOL", "MVCOMMERCESTOP", "NOBR", "NOEMBED", "NOFRAME", "NOFRAMES", "NOSCRIPT",
                         "OBJECT",  "OL",     "OPTGROUP", "OPTION", "P",        "PARAM",    "PRE",
                         "Q",       "S",      "SAMP",    "SCRIPT",  "SELECT",   "SERVER",   "SMALL",
                         "SND",     "SPACER", "SPAN",    "SQ.DTC",  "STRIKE",   "STRONG",   "STYLE",
                         "SUB",     "SUP",    "TABLE",   "TBODY",   "TD",       "TEXTAREA", "TFOOT",
                         "TH",      "THEAD",  "TITLE",   "TR",      "TT",       "U",        "UL",
                         "VAR",     "WBR",    "XML"};
        return t;
    }();
    return tags;
}

const QStringList& Chars()
{
    return charTable().rows;
}

QString CharEntity(const QString& row)
{
    const QString entity = charTable().entities.value(row);
    return entity.isEmpty() ? QString() : QLatin1Char('&') + entity + QLatin1Char(';');
}

Snippet TagSnippet(const QString& tag, const QString& sel)
{
    static const QSet<QString> empty{"AREA", "BASE",    "BASEFONT", "BGSOUND",        "BR",    "COL",
                                     "EMBED", "FRAME",  "HR",       "INPUT",          "ISINDEX", "LINK",
                                     "META", "MVCOMMERCESTOP", "PARAM", "SND",        "SPACER", "WBR"};
    if (empty.contains(tag))
        return {QLatin1Char('<') + tag + QLatin1Char('>')};
    if (tag == QLatin1String("A"))
        return {QStringLiteral("<A HREF=\"\">") + sel + QStringLiteral("</A>"), false, int(sel.size()) + 6, 0};
    if (tag == QLatin1String("IFRAME"))
        return {QStringLiteral("<IFRAME SRC=\"\"></IFRAME>"), false, 11, 0};
    if (tag == QLatin1String("IMG"))
        return {QStringLiteral("<IMG SRC=\"\" ALT=\"\" BORDER=\"0\">"), false, 20, 0};
    if (tag == QLatin1String("TABLE"))
        return {TableOutline(sel), false, 3, 7};   // start of the first header cell
    return {Paired(tag, sel), false, int(tag.size()) + 3, 0};
}

} // namespace Sidebar

namespace {
void fillList(Workspace* main)
{
    QListWidget* list = main->List1();
    list->clear();
    list->addItems(main->TabStrip1()->currentIndex() == 0 ? Sidebar::Tags() : Sidebar::Chars());
}

void insertEntry(Workspace* main, QListWidgetItem* item)
{
    frmDocument* doc = main->ActiveDocument();
    if (!doc || !item)
        return;
    const QString entry = item->text();
    if (main->TabStrip1()->currentIndex() == 0) {
        InsertSnippet(Sidebar::TagSnippet(entry, doc->Editor()->SelText()));
    } else {
        const QString entity = Sidebar::CharEntity(entry);
        if (!entity.isEmpty())
            InsertSnippet({entity});
    }
    doc->Editor()->SetFocus();
}

// Closing tags as you type, as the options say, for the tags of this list.
void applyCloseTags(frmDocument* doc)
{
    bool on = false;
    try {
        on = Setting::Bool(Key::CloseTags);
    } catch (const SettingsError&) {
    }
    doc->Editor()->SetCloseTags(on, Sidebar::Tags());
}
} // namespace

void InstallSidebar(Workspace* main)
{
    QListWidget* list = main->List1();
    list->setToolTip(QObject::tr("Insert into active document"));
    list->setSortingEnabled(false);
    fillList(main);
    QObject::connect(main->TabStrip1(), &QTabBar::currentChanged, main, [main] { fillList(main); });
    QObject::connect(list, &QListWidget::itemDoubleClicked, main,
                     [main](QListWidgetItem* item) { insertEntry(main, item); });
    QObject::connect(main, &Workspace::DocumentCreated, main, &applyCloseTags);
    QObject::connect(SettingsNotifier::Instance(), &SettingsNotifier::changed, main, [main](const QString& what) {
        if (what == QLatin1String(SettingsNotifier::CloseTags))
            for (frmDocument* doc : main->Documents())
                applyCloseTags(doc);
    });
}
