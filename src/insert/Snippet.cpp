// Pieces every snippet menu shares: prompts, the page skeleton, pending insertions.
#include "insert/Snippet.h"

#include "base/Prompter.h"
#include "document/Workspace.h"
#include "document/InsertText.h"

#include <QCoreApplication>

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

QString EntryCaption(const MenuEntry& entry)
{
    return QCoreApplication::translate("InsertionMenus", entry.caption);
}
