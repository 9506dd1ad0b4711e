#include "options/OptionsCommands.h"

#include "app/Prompter.h"
#include "app/frmMain.h"
#include "options/frmAbout.h"
#include "options/frmOptions.h"

#include <QAction>

void mnuToolsOptions_Click(frmMain* main)
{
    main->setCursor(Qt::WaitCursor);
    {
        frmOptions dialog(main);
        Prompter::Current().ExecDialog(&dialog);
    }
    main->unsetCursor();
}

void mnuHelpAbout_Click(frmMain* main)
{
    frmAbout dialog(main);
    Prompter::Current().ExecDialog(&dialog);
}

void InstallOptionsCommands(frmMain* main)
{
    QObject::connect(main->Action(QStringLiteral("mnuToolsOptions")), &QAction::triggered, main,
                     [main] { mnuToolsOptions_Click(main); });
    QObject::connect(main->Action(QStringLiteral("mnuHelpAbout")), &QAction::triggered, main,
                     [main] { mnuHelpAbout_Click(main); });
}
