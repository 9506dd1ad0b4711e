// Keeps the edit control's accessible text, which costs a count from the start of the text at every caret move, to when a screen reader listens.
#include "document/EditorAccessibility.h"

#include "document/CodeMax1.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>

namespace {
// QScintilla's accessible text turns the caret position into a character offset at
// every update of the window, counting from the start of the text: 35 ms per key in
// the middle of a 10 MB page, even with no screen reader running. While none is, an
// edit control gets a plain interface; once one starts, those are dropped, and the
// next query makes QScintilla's full text interface.
bool g_listening = false;   // as the platform last announced it

QAccessibleInterface* quietFactory(const QString&, QObject* object)
{
    if (g_listening || QAccessible::isActive() || !qobject_cast<CodeMax1*>(object))
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::EditableText);
}

class Observer : public QAccessible::ActivationObserver {
public:
    void accessibilityActiveChanged(bool active) override
    {
        g_listening = active;
        if (!active)
            return;
        for (QWidget* w : QApplication::allWidgets()) {
            if (!qobject_cast<CodeMax1*>(w))
                continue;
            QAccessibleInterface* plain = QAccessible::queryAccessibleInterface(w);
            if (plain && !plain->textInterface())
                QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(plain));
        }
    }
};
} // namespace

void EditorAccessibility::Install()
{
    static Observer observer;
    QAccessible::installFactory(quietFactory);
    QAccessible::installActivationObserver(&observer);
}
