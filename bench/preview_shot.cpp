// Starts the program on a page and switches its document to preview mode,
// then keeps running until killed, so a screenshot can be taken.
#include <QApplication>
#include <QMdiSubWindow>

#include "app/Main.h"
#include "app/frmMain.h"
#include "document/frmDocument.h"
#include "tools/Preview.h"

int main(int argc, char* argv[])
{
    PrepareProcess();
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    SetCommandLineOverride(QLatin1Char('"') + QString::fromLocal8Bit(argv[1]) + QLatin1Char('"'));
    Main();
    frmMain* main = MainWindow();
    frmDocument* doc = main ? main->ActiveDocument() : nullptr;
    if (!doc)
        return 1;
    doc->SubWindow()->showMaximized();
    Preview::PanelClick(main, doc, 2);
    return app.exec();
}
