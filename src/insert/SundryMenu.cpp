#include "insert/SundryMenu.h"

#include "base/Prompter.h"
#include "document/Workspace.h"
#include "document/InsertText.h"
#include "insert/frmAddBasic.h"

#include <QObject>

namespace {
const QString kInclude = QStringLiteral("<!--#INCLUDE FILE=\"\" -->");
}

namespace AspMenu {

namespace {
const MenuEntry kEntries[] = {
    {QT_TRANSLATE_NOOP("InsertionMenus", "Include"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Tag"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Output tag"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "If tag"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "End tag"), ""},
};
}

std::span<const MenuEntry> Entries()
{
    return kEntries;
}

void Click(const QString& caption, const QString&, const QString&)
{
    if (caption == QLatin1String("Include"))
        fctnInsertText(kInclude, false, 5);
    else if (caption == QLatin1String("Tag") || caption == QLatin1String("Output tag"))
        fctnInsertText(QStringLiteral("<%=  %>"), false, 3);
    else if (caption == QLatin1String("If tag"))
        fctnInsertText(QStringLiteral("<% IF  %>"), false, 3);
    else if (caption == QLatin1String("End tag"))
        fctnInsertText(QStringLiteral("<% END IF %>"));
}

} // namespace AspMenu

namespace SsiMenu {

namespace {
const MenuEntry kEntries[] = {
    {QT_TRANSLATE_NOOP("InsertionMenus", "Include"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Exec cgi"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Insert token"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Jump to token"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Terminator"), ""},
};
}

std::span<const MenuEntry> Entries()
{
    return kEntries;
}

void Click(const QString& caption, const QString&, const QString&)
{
    if (caption == QLatin1String("Include")) {
        fctnInsertText(kInclude, false, 5);
    } else if (caption == QLatin1String("Exec cgi")) {
        fctnInsertText(QStringLiteral("<!--#EXEC CGI=\"\" -->"), false, 5);
    } else if (caption == QLatin1String("Insert token")) {
        if (const auto label = AskForText(QObject::tr("Enter the label token name here for the simple 'goto label' "
                                                      "jump. Leaving this value blank cancels the operation.")))
            fctnInsertText(QStringLiteral("<!--#LABEL=\"") + *label + QStringLiteral("\" -->"));
    } else if (caption == QLatin1String("Jump to token")) {
        if (const auto label = AskForText(QObject::tr("Enter the destination label token name here for the simple "
                                                      "'goto label' jump. Leaving this value blank cancels the "
                                                      "operation.")))
            fctnInsertText(QStringLiteral("<!--#GOTO=\"") + *label + QStringLiteral("\" -->"));
    } else if (caption == QLatin1String("Terminator")) {
        fctnInsertText(QStringLiteral("<!--#BREAK -->"));
    }
}

} // namespace SsiMenu

namespace SundryMenu {

const char* const kFlashCabinet =
    "http://download.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=3,0,0,0";
const char* const kShockwaveCabinet =
    "http://download.macromedia.com/pub/shockwave/cabs/director/sw.cab#version=6,0,1,0";
const char* const kPluginPage = "http://www.macromedia.com/shockwave/download/";

namespace {
const MenuEntry kEntries[] = {
    {QT_TRANSLATE_NOOP("InsertionMenus", "Stylesheet link"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Meta redirect (client pull)"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Page margins"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Page transitions"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "ActiveX control"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Insert DHTML layer"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Embed object"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Insert audio"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Insert video"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Insert Macromedia Flash"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Insert Macromedia Shockwave"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Parameter"), ""},
};

QString player(const char* classId, const char* cabinet, const QString& file, const char* type)
{
    return CrLf({QStringLiteral("<OBJECT CLASSID=\"clsid:%1\" CODEBASE=\"%2\" WIDTH=\"32\" HEIGHT=\"32\">")
                     .arg(QLatin1String(classId), QLatin1String(cabinet)),
                 QStringLiteral("\t<PARAM NAME=\"src\" VALUE=\"%1\">").arg(file),
                 QStringLiteral("\t<EMBED SRC=\"%1\" PLUGINSPAGE=\"%2\" TYPE=\"%3\" WIDTH=\"32\" HEIGHT=\"32\">")
                     .arg(file, QLatin1String(kPluginPage), QLatin1String(type)),
                 QStringLiteral("\t</EMBED>"), QStringLiteral("</OBJECT>")});
}
} // namespace

std::span<const MenuEntry> Entries()
{
    return kEntries;
}

QString Flash()
{
    return player("d27cdb6e-ae6d-11cf-96b8-444553540000", kFlashCabinet, QStringLiteral("flash-file.swf"),
                  "application/x-shockwave-flash");
}

QString Shockwave()
{
    return player("166b1bca-3f9c-11cf-8075-444553540000", kShockwaveCabinet, QStringLiteral("shockwave-file.swf"),
                  "application/x-director");
}

void Click(const QString& caption, const QString&, const QString&)
{
    if (caption == QLatin1String("Stylesheet link")) {
        RunAttributeDialog(&frmAddBasic::SetUpStylesheet, false);
    } else if (caption == QLatin1String("Meta redirect (client pull)")) {
        RunAttributeDialog(&frmAddBasic::SetUpMetaRedirect);
    } else if (caption == QLatin1String("Page margins")) {
        Prompter::Current().MsgBox(Workspace::Current(), QObject::tr("Not implemented yet."), MsgButtons::OKOnly,
                                   MsgIcon::Information, QStringLiteral("QRN"));
    } else if (caption == QLatin1String("Page transitions")) {
        RunAttributeDialog(&frmAddBasic::SetUpTransition, false);
    } else if (caption == QLatin1String("ActiveX control")) {
        fctnInsertText(QStringLiteral("OBJECT ID=\"\" CLASSID=\"\" WIDTH=\"\" HEIGHT=\"\" DATA=\"\""), true);
    } else if (caption == QLatin1String("Insert DHTML layer")) {
        fctnInsertText(QStringLiteral("DIV ID=\"layer1\" Style=\"position:absolute; left:?px; top:?px; width:?px; "
                                      "height:?px; z-index:1\""),
                       true);
    } else if (caption == QLatin1String("Embed object")) {
        fctnInsertText(QStringLiteral("EMBED SRC=\"\""), true);
    } else if (caption == QLatin1String("Insert audio")) {
        fctnInsertText(QStringLiteral("<EMBED SRC=\"\" AUTOSTART=\"True\" HIDDEN=\"True\" Loop=\"0\">\r\n"
                                      "<BGSOUND SRC=\"\" LOOP=\"infinite\">"),
                       false, 20, 1);
    } else if (caption == QLatin1String("Insert video")) {
        fctnInsertText(QStringLiteral("<EMBED SRC=\"\" AUTOSTART=\"True\" WIDTH=\"150\" HEIGHT=\"150\">"), false, 44);
    } else if (caption == QLatin1String("Insert Macromedia Flash")) {
        fctnInsertText(Flash());
    } else if (caption == QLatin1String("Insert Macromedia Shockwave")) {
        fctnInsertText(Shockwave());
    } else if (caption == QLatin1String("Parameter")) {
        fctnInsertText(QStringLiteral("PARAM NAME=\"\" VALUE=\"\""), true);
    }
}

} // namespace SundryMenu
