// The last session's files, kept in the settings store's "Session" section.
#include "app/Session.h"

#include "base/Settings.h"

#include <QFileInfo>

namespace Session {
namespace {
const QString kSection = QStringLiteral("Session");

int number(const QString& key, int fallback)
{
    bool ok = false;
    const int n = GetSetting(kSection, key, QString()).trimmed().toInt(&ok);
    return ok ? n : fallback;
}
} // namespace

bool Enabled()
{
    try {
        return Setting::Bool(Key::Session);
    } catch (const SettingsError&) {
        return false;
    }
}

void Save(const State& state)
{
    const auto n = int(state.files.size());
    for (int i = 0; i < n; ++i) {
        const File& f = state.files.at(i);
        const QString k = QString::number(i + 1);
        SaveSetting(kSection, QStringLiteral("File") + k, f.path);
        SaveSetting(kSection, QStringLiteral("Line") + k, QString::number(f.line));
        SaveSetting(kSection, QStringLiteral("Index") + k, QString::number(f.index));
        SaveSetting(kSection, QStringLiteral("Encoding") + k, f.encoding ? QString::number(int(*f.encoding)) : QString());
    }
    SaveSetting(kSection, QStringLiteral("Count"), QString::number(n));
    SaveSetting(kSection, QStringLiteral("Active"), QString::number(state.active + 1));
}

State Load()
{
    State state;
    // A damaged count must not make start-up read forever.
    const int count = std::clamp(number(QStringLiteral("Count"), 0), 0, 1000);
    const int active = number(QStringLiteral("Active"), 0) - 1;
    for (int i = 0; i < count; ++i) {
        const QString k = QString::number(i + 1);
        File f{GetSetting(kSection, QStringLiteral("File") + k, QString()), std::max(0, number(QStringLiteral("Line") + k, 0)),
               std::max(0, number(QStringLiteral("Index") + k, 0))};
        if (f.path.isEmpty() || !QFileInfo(f.path).isFile())
            continue;   // gone since: skipped without a question
        const int encoding = number(QStringLiteral("Encoding") + k, -1);
        if (encoding >= 0 && encoding <= int(kLastEncoding) && IsChosenOnly(TextEncoding(encoding)))
            f.encoding = TextEncoding(encoding);
        if (i == active)
            state.active = int(state.files.size());
        state.files << f;
    }
    return state;
}
} // namespace Session
