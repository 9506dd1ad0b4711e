#pragma once
// Helpers shared by the tests: a clean settings store per test function.
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>

#include "base/Settings.h"
#include "document/Recovery.h"

inline void ResetSettingsStore()
{
    QFile::remove(SettingsStore::FilePath());
}

// A fresh profile without the splash and the new-page wizard, which most tests do not want,
// and without texts for recovery that an earlier, failed run left.
inline void PrepareTestProfile()
{
    ResetSettingsStore();
    QDir(Recovery::Folder()).removeRecursively();
    SaveSetting("Config", "Splash", "0");
    SaveSetting("Config", "NewDoc", "0");
}

#include <QApplication>
#include <QMdiSubWindow>

#include "ScriptedPrompter.h"
#include "app/Main.h"
#include "app/frmMain.h"
#include "document/frmDocument.h"

// A named child of a dialog or window; a missing one ends the test program, naming it.
template <typename T = QWidget>
T* Child(const QObject* parent, const QString& name)
{
    T* c = parent->findChild<T*>(name);
    if (!c)
        qFatal("no child %s", qPrintable(name));
    return c;
}

// Starts the program as a user would, with the given command line.
inline frmMain* StartMain(const QString& commandLine = QString())
{
    SetCommandLineOverride(commandLine);
    Main();
    QCoreApplication::processEvents();
    return MainWindow();
}

// The paths of the main window's documents in their order; an untitled one's is empty.
inline QStringList DocumentPaths()
{
    QStringList paths;
    for (frmDocument* doc : MainWindow()->Documents())
        paths << (doc->HasFile() ? doc->PathPanel() : QString());
    return paths;
}

// Closes the main window, answering No to every save question.
inline void CloseMain(ScriptedPrompter* prompter)
{
    frmMain* main = MainWindow();
    if (!main)
        return;
    for (frmDocument* doc : main->Documents())
        if (doc->Caption().endsWith(QLatin1Char('*')))
            prompter->queueMsgBox(MsgAnswer::No);
    main->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}
