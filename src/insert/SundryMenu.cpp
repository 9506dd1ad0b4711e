// The ASP, SSI and Sundry menus' rows and the markup they insert.
#include "insert/SundryMenu.h"

#include "base/Prompter.h"
#include "document/Workspace.h"
#include "document/InsertText.h"
#include "insert/frmAddBasic.h"

#include <QObject>

namespace {
// The ASP and SSI menus share one include directive.
void include(const MenuEntry&, const QString&)
{
    fctnInsertText(QStringLiteral("<!--#INCLUDE FILE=\"\" -->"), false, 5);
}
} // namespace

namespace AspMenu {

namespace {
void outputTag(const MenuEntry&, const QString&)
{
    fctnInsertText(QStringLiteral("<%=  %>"), false, 3);
}

const MenuEntry kEntries[] = {
    {QT_TRANSLATE_NOOP("InsertionMenus", "Include"), "", include},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Tag"), "", outputTag},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Output tag"), "", outputTag},
    {QT_TRANSLATE_NOOP("InsertionMenus", "If tag"), "",
     [](const MenuEntry&, const QString&) { fctnInsertText(QStringLiteral("<% IF  %>"), false, 3); }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "End tag"), "",
     [](const MenuEntry&, const QString&) { fctnInsertText(QStringLiteral("<% END IF %>")); }},
};
} // namespace

std::span<const MenuEntry> Entries()
{
    return kEntries;
}

} // namespace AspMenu

namespace SsiMenu {

namespace {
const MenuEntry kEntries[] = {
    {QT_TRANSLATE_NOOP("InsertionMenus", "Include"), "", include},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Exec cgi"), "",
     [](const MenuEntry&, const QString&) { fctnInsertText(QStringLiteral("<!--#EXEC CGI=\"\" -->"), false, 5); }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Insert token"), "",
     [](const MenuEntry&, const QString&) {
         if (const auto label = AskForText(QObject::tr("Enter the label token name here for the simple 'goto label' "
                                                       "jump. Leaving this value blank cancels the operation.")))
             fctnInsertText(QStringLiteral("<!--#LABEL=\"") + *label + QStringLiteral("\" -->"));
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Jump to token"), "",
     [](const MenuEntry&, const QString&) {
         if (const auto label = AskForText(QObject::tr("Enter the destination label token name here for the simple "
                                                       "'goto label' jump. Leaving this value blank cancels the "
                                                       "operation.")))
             fctnInsertText(QStringLiteral("<!--#GOTO=\"") + *label + QStringLiteral("\" -->"));
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Terminator"), "",
     [](const MenuEntry&, const QString&) { fctnInsertText(QStringLiteral("<!--#BREAK -->")); }},
};
} // namespace

std::span<const MenuEntry> Entries()
{
    return kEntries;
}

} // namespace SsiMenu

namespace SundryMenu {

const char* const kFlashCabinet =
    "http://download.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=3,0,0,0";
const char* const kShockwaveCabinet =
    "http://download.macromedia.com/pub/shockwave/cabs/director/sw.cab#version=6,0,1,0";
const char* const kPluginPage = "http://www.macromedia.com/shockwave/download/";

namespace {
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

namespace {
const MenuEntry kEntries[] = {
    {QT_TRANSLATE_NOOP("InsertionMenus", "Stylesheet link"), "",
     [](const MenuEntry&, const QString&) { RunAttributeDialog(&frmAddBasic::SetUpStylesheet, false); }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Meta redirect (client pull)"), "",
     [](const MenuEntry&, const QString&) { RunAttributeDialog(&frmAddBasic::SetUpMetaRedirect); }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Page margins"), "",
     [](const MenuEntry&, const QString&) {
         Prompter::Current().MsgBox(Workspace::Current(), QObject::tr("Not implemented yet."), MsgButtons::OKOnly,
                                    MsgIcon::Information, QStringLiteral("QRN"));
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Page transitions"), "",
     [](const MenuEntry&, const QString&) { RunAttributeDialog(&frmAddBasic::SetUpTransition, false); }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "ActiveX control"), "",
     [](const MenuEntry&, const QString&) {
         fctnInsertText(QStringLiteral("OBJECT ID=\"\" CLASSID=\"\" WIDTH=\"\" HEIGHT=\"\" DATA=\"\""), true);
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Insert DHTML layer"), "",
     [](const MenuEntry&, const QString&) {
         fctnInsertText(QStringLiteral("DIV ID=\"layer1\" Style=\"position:absolute; left:?px; top:?px; width:?px; "
                                       "height:?px; z-index:1\""),
                        true);
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Embed object"), "",
     [](const MenuEntry&, const QString&) { fctnInsertText(QStringLiteral("EMBED SRC=\"\""), true); }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Insert audio"), "",
     [](const MenuEntry&, const QString&) {
         fctnInsertText(QStringLiteral("<EMBED SRC=\"\" AUTOSTART=\"True\" HIDDEN=\"True\" Loop=\"0\">\r\n"
                                       "<BGSOUND SRC=\"\" LOOP=\"infinite\">"),
                        false, 20, 1);
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Insert video"), "",
     [](const MenuEntry&, const QString&) {
         fctnInsertText(QStringLiteral("<EMBED SRC=\"\" AUTOSTART=\"True\" WIDTH=\"150\" HEIGHT=\"150\">"), false,
                        44);
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Insert Macromedia Flash"), "",
     [](const MenuEntry&, const QString&) { fctnInsertText(Flash()); }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Insert Macromedia Shockwave"), "",
     [](const MenuEntry&, const QString&) { fctnInsertText(Shockwave()); }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Parameter"), "",
     [](const MenuEntry&, const QString&) {
         fctnInsertText(QStringLiteral("PARAM NAME=\"\" VALUE=\"\""), true);
     }},
};
} // namespace

std::span<const MenuEntry> Entries()
{
    return kEntries;
}

} // namespace SundryMenu
