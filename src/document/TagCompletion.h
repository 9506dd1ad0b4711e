// Closing tags as they are typed in an HTML document: what typing ">" or "</" adds after the caret.
#pragma once
#include <QSet>
#include <QString>
#include <QStringView>

namespace TagCompletion {
// How much of the text before the caret is read: typing in a long line stays fast.
constexpr qint64 LookBack = 8 * 1024;

// What to insert after the caret once ">" or "/" has been typed; `before` is the text
// up to the caret, ending with that character, and may start anywhere in a document.
// After the ">" of a start tag whose name is in `closable` (upper case): its end tag,
// in the letters typed, unless the element has none or the tag closes itself ("<br/>").
// After "</": the name of the innermost element still open, and ">". Otherwise nothing.
// Comments, <!DOCTYPE>, <?php ?> and <% %> are no elements; a ">" inside quotes ends no tag.
QString AfterTyping(QStringView before, const QSet<QString>& closable);

// An element that never has an end tag: BR, IMG, INPUT, and old ones such as SPACER.
bool IsVoid(QStringView name);
}
