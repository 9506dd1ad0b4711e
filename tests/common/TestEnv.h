#pragma once
// Helpers shared by the tests: a clean settings store per test function.
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>

#include "app/Settings.h"

inline void ResetSettingsStore()
{
    QFile::remove(SettingsStore::FilePath());
}
