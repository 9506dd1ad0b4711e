#pragma once
// The per-user settings store: sections "Config", "MRU" and "Syntax" of the
// application "QRN", one INI file read afresh on every call so that values
// written by another instance are seen at once.
#include <QObject>
#include <QString>
#include <QVariant>
#include <stdexcept>

class SettingsStore {
public:
    static QString FilePath();
    // The stored text, or defaultValue converted to text when the key is absent.
    static QString GetSetting(const QString& section, const QString& key, const QVariant& defaultValue);
    static void SaveSetting(const QString& section, const QString& key, const QString& value);
    // Checks that the store can be read. A file that is not a settings file is moved
    // aside (to QRN.conf.bad) so the defaults apply; returns a sentence saying so, or empty.
    static QString CheckReadable();
    // True once a write has failed in this process (the folder or file is not writable).
    static bool WriteFailed();
};

inline QString GetSetting(const QString& section, const QString& key, const QVariant& defaultValue = QString())
{
    return SettingsStore::GetSetting(section, key, defaultValue);
}
inline void SaveSetting(const QString& section, const QString& key, const QString& value)
{
    SettingsStore::SaveSetting(section, key, value);
}

// A row of the settings catalogue: its section and key.
struct SettingKey {
    QString section;
    QString key;
};

inline QString GetSetting(const SettingKey& k, const QVariant& defaultValue = QString())
{
    return SettingsStore::GetSetting(k.section, k.key, defaultValue);
}
inline void SaveSetting(const SettingKey& k, const QString& value)
{
    SettingsStore::SaveSetting(k.section, k.key, value);
}

// The catalogue's rows by name, so that no caller spells a key.
namespace Key {
#define QRN_CONFIG_KEY(name) inline const SettingKey name{QStringLiteral("Config"), QStringLiteral(#name)};
QRN_CONFIG_KEY(Instance)
QRN_CONFIG_KEY(Command)
QRN_CONFIG_KEY(Splash)
QRN_CONFIG_KEY(WorkDir)
QRN_CONFIG_KEY(LoadDir)
QRN_CONFIG_KEY(FullIns)
QRN_CONFIG_KEY(NewDoc)
QRN_CONFIG_KEY(MainLeft)
QRN_CONFIG_KEY(MainTop)
QRN_CONFIG_KEY(MainWidth)
QRN_CONFIG_KEY(MainHeight)
QRN_CONFIG_KEY(WindowState)
QRN_CONFIG_KEY(Tbar)
QRN_CONFIG_KEY(Pbar)
QRN_CONFIG_KEY(Sbar)
QRN_CONFIG_KEY(Margin)
QRN_CONFIG_KEY(LineNo)
QRN_CONFIG_KEY(Whitespace)
QRN_CONFIG_KEY(Lbar)
QRN_CONFIG_KEY(Zoom)
QRN_CONFIG_KEY(Dock)
QRN_CONFIG_KEY(View)
QRN_CONFIG_KEY(DocState)
QRN_CONFIG_KEY(Tabbed)
QRN_CONFIG_KEY(Fold)
QRN_CONFIG_KEY(Wrap)
QRN_CONFIG_KEY(Session)
QRN_CONFIG_KEY(CloseTags)
#undef QRN_CONFIG_KEY
#define QRN_SYNTAX_KEY(name) inline const SettingKey name{QStringLiteral("Syntax"), QStringLiteral(#name)};
QRN_SYNTAX_KEY(DefFont)
QRN_SYNTAX_KEY(DefSize)
QRN_SYNTAX_KEY(DefBold)
QRN_SYNTAX_KEY(DefItalic)
#undef QRN_SYNTAX_KEY
// User tool 1 to 4: its menu caption and its program.
SettingKey Tool(int i);
SettingKey ToolExe(int i);
// HTML Tidy switch 0 to 6: "Tidy0Indent" ... "Tidy6Xhtml".
constexpr int TidyCount = 7;
SettingKey Tidy(int index);
// Recent file 1 to 4.
SettingKey Recent(int i);
// A colour scheme value: prefix "Plain", "Tag", ...; part "BG", "FG" or "Effect".
SettingKey Colour(const QString& prefix, const char* part);
}

// A stored value that cannot be converted to the type its reader needs.
class SettingsError : public std::runtime_error {
public:
    SettingsError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), m_number(number), m_description(description) {}
    int number() const { return m_number; }
    QString description() const { return m_description; }
    // "13: Type mismatch", the form start-up reports errors in.
    QString message() const { return QString::number(m_number) + QStringLiteral(": ") + m_description; }
    // "Config/Dock": the value that could not be read, when known.
    QString key() const { return m_key; }
    void setKey(const QString& key) { m_key = key; }

private:
    int m_number;
    QString m_description;
    QString m_key;
};

// Conversions of stored text; each throws SettingsError for text of the wrong kind.
namespace SettingText {
bool ToBool(const QString& text);      // "True"/"False" in any case, or a number (0 false)
int ToInt(const QString& text);        // leading/trailing blanks ignored; decimals rounded
double ToFloat(const QString& text);
QString FromBool(bool value);          // "True"/"False"
QString FromFloat(double value);       // shortest text of a 32-bit float: "1000", "11265.5"
}

// Which reader asks: documents and start-up use the program defaults; the
// options dialog has its own column for a few keys.
enum class DefaultsFor { Program, OptionsDialog };

// The catalogue of every key with its default.
namespace Setting {
// Every key read through these is in the catalogue; reading another is a programming error.
QVariant Default(const QString& section, const QString& key, DefaultsFor who = DefaultsFor::Program);

// Typed readers over the catalogue defaults.
QString String(const QString& section, const QString& key, DefaultsFor who = DefaultsFor::Program);
bool Bool(const QString& section, const QString& key, DefaultsFor who = DefaultsFor::Program);
int Int(const QString& section, const QString& key, DefaultsFor who = DefaultsFor::Program);
double Float(const QString& section, const QString& key, DefaultsFor who = DefaultsFor::Program);
// A switch stored as "-1"/"0": only the numeric value -1 (or "True") is on,
// so "1" is off wherever it is read.
bool Switch(const QString& section, const QString& key, DefaultsFor who = DefaultsFor::Program);

inline QVariant Default(const SettingKey& k, DefaultsFor who = DefaultsFor::Program) { return Default(k.section, k.key, who); }
inline QString String(const SettingKey& k, DefaultsFor who = DefaultsFor::Program) { return String(k.section, k.key, who); }
inline bool Bool(const SettingKey& k, DefaultsFor who = DefaultsFor::Program) { return Bool(k.section, k.key, who); }
inline int Int(const SettingKey& k, DefaultsFor who = DefaultsFor::Program) { return Int(k.section, k.key, who); }
inline double Float(const SettingKey& k, DefaultsFor who = DefaultsFor::Program) { return Float(k.section, k.key, who); }
inline bool Switch(const SettingKey& k, DefaultsFor who = DefaultsFor::Program) { return Switch(k.section, k.key, who); }
}

// "Config" values read at start-up and changed by the options dialog, for the
// single-instance mode, full-size insertion dialogs and the new-page wizard.
extern bool OptInstance;
extern bool OptFullIns;
extern bool OptNewDoc;

// Announces values the options dialog has applied, so that the windows showing
// them update themselves instead of being updated from outside.
class SettingsNotifier : public QObject {
    Q_OBJECT
public:
    static constexpr const char* Scheme = "Syntax";       // colours, font face and size
    static constexpr const char* Dock = "Config/Dock";    // the sidebar's side
    static constexpr const char* Tools = "Config/Tools";  // the user tools
    static constexpr const char* CloseTags = "Config/CloseTags";  // closing tags as you type
    static SettingsNotifier* Instance();
    static void Announce(const char* what) { emit Instance()->changed(QLatin1String(what)); }

signals:
    void changed(const QString& what);
};
