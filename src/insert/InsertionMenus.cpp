// Builds the eleven insertion menus from their tables and runs the row chosen.
#include "insert/InsertionMenus.h"

#include "document/Workspace.h"
#include "document/CodeMax1.h"
#include "document/frmDocument.h"
#include "insert/BasicMenu.h"
#include "insert/FormMenu.h"
#include "insert/FormatMenu.h"
#include "document/InsertText.h"
#include "insert/ScriptMenu.h"
#include "insert/SundryMenu.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

namespace {
// Each menu's rows, in button order, 1 to 11.
std::span<const MenuEntry> (*const kMenus[])() = {
    BasicMenu::Entries,  FormatMenu::Entries, ListMenu::Entries,       TableMenu::Entries,
    FormMenu::Entries,   FrameMenu::Entries,  JavascriptMenu::Entries, ScriptsMenu::Entries,
    AspMenu::Entries,    SsiMenu::Entries,    SundryMenu::Entries,
};
} // namespace

void RunInsertionEntry(int menuIndex, const QString& caption)
{
    Workspace* main = Workspace::Current();
    frmDocument* doc = main ? main->ActiveDocument() : nullptr;
    if (!doc || menuIndex < 1 || menuIndex > 11)
        return;
    const QString sel = doc->Editor()->SelText();
    const InsertTargetScope target;
    for (const MenuEntry& entry : kMenus[menuIndex - 1]()) {
        if (EntryCaption(entry) == caption) {
            entry.run(entry, sel);
            break;
        }
    }
    // A dialog may have closed the document's window meanwhile; ask again.
    if (frmDocument* active = main->ActiveDocument())
        active->Editor()->SetFocus();
}

void InstallInsertionMenus(Workspace* main)
{
    for (int i = 1; i <= 11; ++i) {
        QMenu* menu = main->PowerbarButton(i)->menu();
        for (const MenuEntry& entry : kMenus[i - 1]()) {
            QAction* action = menu->addAction(EntryCaption(entry));
            action->setData(QLatin1String(entry.tag));
        }
        QObject::connect(menu, &QMenu::triggered, main,
                         [main](QAction* action) { RunInsertionEntry(main->ActiveMenuButton(), action->text()); });
    }
}
