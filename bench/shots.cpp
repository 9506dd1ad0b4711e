// Not a benchmark: starts the program on a page and brings it into one of the
// states the README shows, then keeps running until killed, so that
// scripts/screenshot can take a picture. Modes: edit, menu, preview, live, tidy, tidydiff, options, wizard,
// windows and tabs (both with every file named after the mode).
#include <QApplication>
#include <QMdiSubWindow>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

#include "app/Main.h"
#include "app/frmMain.h"
#include "base/Settings.h"
#include "document/frmDocument.h"
#include "base/BrowserView.h"
#include "tools/LivePreview.h"
#include "tools/Preview.h"

#include <QPushButton>

int main(int argc, char* argv[])
{
    PrepareProcess();
    BrowserModule::SetFolder(QStringLiteral(QRN_MODULE_DIR));
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString mode = QString::fromLocal8Bit(argv[1]);
    QStringList files = {QString()};
    for (int i = 2; i < argc; ++i)
        files << QString::fromLocal8Bit(argv[i]);
    SetCommandLineOverride(CommandLineFromArguments(files));
    Main();
    frmMain* main = MainWindow();
    frmDocument* doc = main ? main->ActiveDocument() : nullptr;
    if (!doc)
        return 1;
    if (mode == QLatin1String("tabs"))
        main->Action(QStringLiteral("mnuWindowTabbed"))->trigger();
    else if (mode == QLatin1String("windows"))
        main->Action(QStringLiteral("mnuWindowCascade"))->trigger();
    else
        doc->SubWindow()->showMaximized();
    QTimer::singleShot(800, main, [=] {
        if (mode == QLatin1String("preview")) {
            Preview::PanelClick(main, doc, 2);
        } else if (mode == QLatin1String("menu")) {
            main->PowerbarButton(4)->showMenu();
        } else if (mode == QLatin1String("live")) {
            LivePreview::SetOpen(main, doc, true);
        } else if (mode == QLatin1String("tidy") || mode == QLatin1String("tidydiff")) {
            if (mode == QLatin1String("tidydiff"))
                QTimer::singleShot(1000, [] {
                    for (QWidget* w : QApplication::topLevelWidgets())
                        if (auto* show = w->findChild<QPushButton*>(QStringLiteral("cmdShowChanges")))
                            show->click();
                });
            main->Action(QStringLiteral("mnuToolsTidy"))->trigger();
        } else if (mode == QLatin1String("options")) {
            QTimer::singleShot(600, [] {
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (auto* tabs = w->findChild<QTabBar*>(QStringLiteral("tbsOptions")))
                        tabs->setCurrentIndex(1);
            });
            main->Action(QStringLiteral("mnuToolsOptions"))->trigger();
        } else if (mode == QLatin1String("wizard")) {
            OptNewDoc = true;
            main->fctnNewDoc();
        }
    });
    return app.exec();
}
