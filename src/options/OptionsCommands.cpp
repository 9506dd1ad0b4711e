// The Options and About commands.
#include "options/OptionsCommands.h"

#include "base/Prompter.h"
#include "document/Workspace.h"
#include "options/frmAbout.h"
#include "options/frmOptions.h"

#include <QAction>

void mnuToolsOptions_Click(Workspace* main)
{
    main->setCursor(Qt::WaitCursor);
    {
        frmOptions dialog(main);
        Prompter::Current().ExecDialog(&dialog);
    }
    main->unsetCursor();
}

void mnuHelpAbout_Click(Workspace* main)
{
    frmAbout dialog(main);
    Prompter::Current().ExecDialog(&dialog);
}

void InstallOptionsCommands(Workspace* main)
{
    QObject::connect(main->Action(QStringLiteral("mnuToolsOptions")), &QAction::triggered, main,
                     [main] { mnuToolsOptions_Click(main); });
    QObject::connect(main->Action(QStringLiteral("mnuHelpAbout")), &QAction::triggered, main,
                     [main] { mnuHelpAbout_Click(main); });
}
