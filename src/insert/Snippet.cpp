#include "insert/Snippet.h"

#include "base/Prompter.h"
#include "document/Workspace.h"
#include "document/InsertText.h"

#include <QCoreApplication>

QString CrLf(const QStringList& lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

QString Paired(const QString& tag, const QString& inner)
{
    return QLatin1Char('<') + tag + QLatin1Char('>') + inner + QStringLiteral("</") + tag + QLatin1Char('>');
}

QString PendingInsert;

void InsertPending(int chars, int lines)
{
    if (!PendingInsert.isEmpty())
        fctnInsertText(PendingInsert, false, chars, lines);
    PendingInsert.clear();
}

std::optional<QString> AskForText(const QString& prompt, const QString& defaultText, const QString& title)
{
    auto answer = Prompter::Current().InputBox(Workspace::Current(), prompt, title, defaultText);
    if (!answer || answer->isEmpty())
        return std::nullopt;
    return answer;
}

QString GeneratorName()
{
    return QStringLiteral("QRN Version ") + QStringLiteral(QRN_VERSION);
}

QString PageSkeleton(const QString& title, const std::optional<QString>& description,
                     const std::optional<QString>& keywords, bool generator, const QString& bodyTag)
{
    QStringList lines{QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">"),
                      QStringLiteral("<HTML>"), QStringLiteral("<HEAD>"),
                      QStringLiteral("\t<TITLE>") + title + QStringLiteral("</TITLE>")};
    if (description)
        lines << QStringLiteral("\t<META NAME=\"Description\" CONTENT=\"") + *description + QStringLiteral("\">");
    if (keywords)
        lines << QStringLiteral("\t<META NAME=\"Keywords\" CONTENT=\"") + *keywords + QStringLiteral("\">");
    if (generator)
        lines << QStringLiteral("\t<META NAME=\"Generator\" CONTENT=\"") + GeneratorName() + QStringLiteral("\">");
    lines << QStringLiteral("\t<META NAME=\"MSSmartTagsPreventParsing\" CONTENT=\"True\">")
          << QStringLiteral("</HEAD>") << bodyTag << QString() << QStringLiteral("</BODY>")
          << QStringLiteral("</HTML>");
    return CrLf(lines);
}

QString TableOutline(const QString& firstHeader)
{
    const QString row = QStringLiteral("<TR ALIGN=\"Left\" VALIGN=\"Middle\">");
    return CrLf({QStringLiteral("<TABLE ALIGN=\"Left\" BORDER=\"0\" CELLSPACING=\"0\" CELLPADDING=\"0\" WIDTH=\"100%\">"),
                 row, QStringLiteral("\t<TH>") + firstHeader + QStringLiteral("</TH>"), QStringLiteral("\t<TH></TH>"),
                 QStringLiteral("</TR>"), row, QStringLiteral("\t<TD></TD>"), QStringLiteral("\t<TD></TD>"),
                 QStringLiteral("</TR>"), QStringLiteral("</TABLE>")});
}

QString EntryCaption(const MenuEntry& entry)
{
    return QCoreApplication::translate("InsertionMenus", entry.caption);
}
