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
struct PowerMenu {
    std::span<const MenuEntry> (*entries)();
    void (*click)(const QString& caption, const QString& tag, const QString& sel);
};

// In button order, 1 to 11.
const PowerMenu kMenus[] = {
    {BasicMenu::Entries, BasicMenu::Click},   {FormatMenu::Entries, FormatMenu::Click},
    {ListMenu::Entries, ListMenu::Click},     {TableMenu::Entries, TableMenu::Click},
    {FormMenu::Entries, FormMenu::Click},     {FrameMenu::Entries, FrameMenu::Click},
    {JavascriptMenu::Entries, JavascriptMenu::Click}, {ScriptsMenu::Entries, ScriptsMenu::Click},
    {AspMenu::Entries, AspMenu::Click},       {SsiMenu::Entries, SsiMenu::Click},
    {SundryMenu::Entries, SundryMenu::Click},
};
} // namespace

void RunInsertionEntry(int menuIndex, const QString& caption)
{
    Workspace* main = Workspace::Current();
    frmDocument* doc = main ? main->ActiveDocument() : nullptr;
    if (!doc || menuIndex < 1 || menuIndex > 11)
        return;
    const PowerMenu& menu = kMenus[menuIndex - 1];
    const QString sel = doc->Editor()->SelText();
    const InsertTargetScope target;
    for (const MenuEntry& entry : menu.entries()) {
        if (EntryCaption(entry) == caption) {
            // The entries compare the untranslated caption.
            menu.click(QLatin1String(entry.caption), QLatin1String(entry.tag), sel);
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
        for (const MenuEntry& entry : kMenus[i - 1].entries()) {
            QAction* action = menu->addAction(EntryCaption(entry));
            action->setData(QLatin1String(entry.tag));
        }
        QObject::connect(menu, &QMenu::triggered, main,
                         [main](QAction* action) { RunInsertionEntry(main->ActiveMenuButton(), action->text()); });
    }
}
