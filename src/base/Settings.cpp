// The settings store, its catalogue of keys and defaults, and the typed readers.
#include "base/Settings.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <charconv>
#include <cmath>
#include <sys/stat.h>

namespace {
constexpr int kTypeMismatch = 13;

QString textOf(const QVariant& v)
{
    // A value holding a comma comes back from an INI file as a list.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", "));
    if (v.typeId() == QMetaType::Bool)
        return SettingText::FromBool(v.toBool());
    return v.toString();
}

// Twips of the primary screen; 15 twips a pixel at 96 dpi.
int screenTwips(bool width)
{
    QScreen* s = QGuiApplication::primaryScreen();
    if (!s)
        return width ? 1024 * 15 : 768 * 15;
    QRect g = s->geometry();
    return (width ? g.width() : g.height()) * 15;
}

struct Entry {
    QVariant program;
    QVariant dialog;   // invalid: same as program
};

const QHash<QString, Entry>& catalogue()
{
    static const QHash<QString, Entry> table = [] {
        QHash<QString, Entry> t;
        auto add = [&t](const QString& section, const QString& key, QVariant program, QVariant dialog = {}) {
            t.insert(section + QLatin1Char('/') + key, Entry{std::move(program), std::move(dialog)});
        };
        const QString c = QStringLiteral("Config");
        add(c, "Instance", true);
        add(c, "Command", QString());
        add(c, "Splash", true);
        add(c, "WorkDir", QString()); // the home folder, filled in at read time
        add(c, "LoadDir", 1, -1);
        add(c, "FullIns", true);
        add(c, "NewDoc", true);
        add(c, "MainLeft", 1000);
        add(c, "MainTop", 1000);
        add(c, "MainWidth", QString());  // screen width - 2000
        add(c, "MainHeight", QString()); // screen height - 2000
        add(c, "WindowState", 0);
        add(c, "Tbar", 1);
        add(c, "Pbar", 1);
        add(c, "Sbar", 1);
        add(c, "Margin", 1);
        add(c, "LineNo", 1);
        add(c, "Whitespace", 0);
        add(c, "Lbar", 1);
        add(c, "Zoom", 0);   // points added to every document's font
        add(c, "Dock", 3);
        add(c, "View", 1);
        add(c, "DocState", 0);
        add(c, "Tabbed", 0);
        add(c, "Fold", 0);
        add(c, "Wrap", 0);    // documents as tabs rather than windows
        add(c, "Session", 0);   // reopen the last session's files at start-up
        add(c, "CloseTags", 0); // end tags added as start tags are typed
        for (int i = 1; i <= 4; ++i) {
            add(c, QStringLiteral("Tool%1").arg(i), QString());
            add(c, QStringLiteral("ToolExe%1").arg(i), QString());
        }
        for (int i = 0; i < Key::TidyCount; ++i)
            add(c, Key::Tidy(i).key, i == 0 || i == 2 || i == 4);   // indent, upper case, quiet
        for (int i = 1; i <= 4; ++i)
            add(QStringLiteral("MRU"), QString::number(i), QString());
        const QString s = QStringLiteral("Syntax");
        add(s, "DefFont", QStringLiteral("Courier"));
        add(s, "DefSize", 10);
        add(s, "DefBold", false);
        add(s, "DefItalic", false);
        const int white = 16777215;
        add(s, "PlainBG", white);
        add(s, "PlainFG", 0);
        add(s, "TagBG", white);
        add(s, "TagFG", 16711680, 10485760);
        add(s, "AttBG", white);
        add(s, "AttFG", 10485760, 16711680);
        add(s, "ValBG", white);
        add(s, "ValFG", 33280, 8421440);
        add(s, "CommBG", 65535);
        add(s, "CommFG", 255);
        add(s, "EntBG", white);
        add(s, "EntFG", 8421504);
        for (const char* k : {"Plain", "Tag", "Att", "Val", "Comm", "Ent"})
            add(s, QLatin1String(k) + QStringLiteral("Effect"), 0);
        return t;
    }();
    return table;
}
} // namespace

QString SettingsStore::FilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/QRN/QRN.conf");
}

namespace {
// The store is read and written only when it is a regular file (or absent):
// reading a FIFO or a device would hang or never end.
bool storeUsable()
{
    struct stat st {};
    if (::stat(QFile::encodeName(SettingsStore::FilePath()).constData(), &st) != 0)
        return true;
    return S_ISREG(st.st_mode);
}
} // namespace

QString SettingsStore::GetSetting(const QString& section, const QString& key, const QVariant& defaultValue)
{
    if (!storeUsable())
        return textOf(defaultValue);
    // A new QSettings rereads the file when another process has changed it.
    QSettings s(FilePath(), QSettings::IniFormat);
    s.sync();
    const QString path = section + QLatin1Char('/') + key;
    if (!s.contains(path))
        return textOf(defaultValue);
    return textOf(s.value(path));
}

namespace {
bool g_writeFailed = false;
}

void SettingsStore::SaveSetting(const QString& section, const QString& key, const QString& value)
{
    if (!storeUsable()) {
        g_writeFailed = true;
        return;
    }
    QSettings s(FilePath(), QSettings::IniFormat);
    const QString name = section + QLatin1Char('/') + key;
    // Rewriting the file for a value it already holds costs a locked write, at every start.
    if (s.contains(name) && s.value(name).toString() == value)
        return;
    s.setValue(name, value);
    s.sync();
    if (s.status() == QSettings::AccessError)
        g_writeFailed = true;
}

bool SettingsStore::WriteFailed()
{
    return g_writeFailed;
}

QString SettingsStore::CheckReadable()
{
    const QString path = FilePath();
    QFile file(path);
    if (!file.exists())
        return QString();
    if (!storeUsable())
        return QObject::tr("The settings file '%1' is not a regular file; the defaults are used and no setting is saved.")
            .arg(path);
    if (!file.open(QIODevice::ReadOnly))
        return QObject::tr("The settings file '%1' could not be read; the defaults are used.").arg(path);
    // A NUL byte or text that is not UTF-8 means this is not a settings file we wrote.
    const QByteArray bytes = file.read(1 << 20);
    file.close();
    QSettings s(path, QSettings::IniFormat);
    const bool binary = bytes.contains('\0');
    if (!binary && s.status() == QSettings::NoError)
        return QString();
    const QString aside = path + QStringLiteral(".bad");
    QFile::remove(aside);
    QFile::rename(path, aside);
    return QObject::tr("The settings file '%1' was damaged and has been kept as '%2'; the defaults are used.")
        .arg(path, aside);
}

namespace SettingText {
double ToFloat(const QString& text)
{
    bool ok = false;
    const QString t = text.trimmed();
    double v = t.toDouble(&ok);
    if (!ok) {
        // Accept a leading number followed by text, as "10 pt" or "10 ".
        static const QRegularExpression lead(QStringLiteral("^[-+]?(\\d+\\.?\\d*|\\.\\d+)(?=\\s)"));
        auto m = lead.match(t + QLatin1Char(' '));
        if (!m.hasMatch() || t.isEmpty())
            throw SettingsError(kTypeMismatch, QObject::tr("Type mismatch"));
        v = m.captured(0).toDouble();
    }
    if (!std::isfinite(v))
        throw SettingsError(6, QObject::tr("Overflow"));
    return v;
}

int ToInt(const QString& text)
{
    double v = ToFloat(text);
    if (v > 2147483647.0 || v < -2147483648.0)
        throw SettingsError(6, QObject::tr("Overflow"));
    return int(std::lround(v));
}

bool ToBool(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return ToFloat(t) != 0.0;
}

QString FromBool(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString FromFloat(double value)
{
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, float(value), std::chars_format::fixed);
    return QString::fromLatin1(buf, int(r.ptr - buf));
}
} // namespace SettingText

namespace Setting {
QVariant Default(const QString& section, const QString& key, DefaultsFor who)
{
    if (section == QLatin1String("Config")) {
        if (key == QLatin1String("MainWidth"))
            return screenTwips(true) - 2000;
        if (key == QLatin1String("MainHeight"))
            return screenTwips(false) - 2000;
        if (key == QLatin1String("WorkDir"))
            return QDir::homePath() + QLatin1Char('/');
    }
    auto it = catalogue().constFind(section + QLatin1Char('/') + key);
    Q_ASSERT_X(it != catalogue().constEnd(), "Setting::Default", qPrintable(section + QLatin1Char('/') + key));
    if (it == catalogue().constEnd())
        return QString();
    if (who == DefaultsFor::OptionsDialog && it->dialog.isValid())
        return it->dialog;
    return it->program;
}

QString String(const QString& section, const QString& key, DefaultsFor who)
{
    return GetSetting(section, key, Default(section, key, who));
}

namespace {
template <typename Convert>
auto convert(const QString& section, const QString& key, DefaultsFor who, Convert fn)
{
    try {
        return fn(String(section, key, who));
    } catch (SettingsError& e) {
        e.setKey(section + QLatin1Char('/') + key);
        throw;
    }
}
} // namespace

bool Bool(const QString& section, const QString& key, DefaultsFor who)
{
    return convert(section, key, who, SettingText::ToBool);
}

int Int(const QString& section, const QString& key, DefaultsFor who)
{
    return convert(section, key, who, SettingText::ToInt);
}

double Float(const QString& section, const QString& key, DefaultsFor who)
{
    return convert(section, key, who, SettingText::ToFloat);
}

bool Switch(const QString& section, const QString& key, DefaultsFor who)
{
    const QString text = String(section, key, who).trimmed();
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && value == -1.0;
}
} // namespace Setting

bool OptInstance = true;
bool OptFullIns = true;
bool OptNewDoc = true;

SettingsNotifier* SettingsNotifier::Instance()
{
    static SettingsNotifier notifier;
    return &notifier;
}

namespace Key {
SettingKey Tool(int i)
{
    return {QStringLiteral("Config"), QStringLiteral("Tool%1").arg(i)};
}

SettingKey ToolExe(int i)
{
    return {QStringLiteral("Config"), QStringLiteral("ToolExe%1").arg(i)};
}

SettingKey Tidy(int index)
{
    static const char* const names[TidyCount] = {"Indent", "Omit", "Upper", "Clean", "Quiet", "Bare", "Xhtml"};
    Q_ASSERT(index >= 0 && index < TidyCount);
    return {QStringLiteral("Config"), QStringLiteral("Tidy%1").arg(index) + QLatin1String(names[index])};
}

SettingKey Recent(int i)
{
    return {QStringLiteral("MRU"), QString::number(i)};
}

SettingKey Colour(const QString& prefix, const char* part)
{
    return {QStringLiteral("Syntax"), prefix + QLatin1String(part)};
}
} // namespace Key
