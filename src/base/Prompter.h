#pragma once
// Every message box, input box and chooser the program shows goes through the
// current Prompter, so tests can answer them with a script.
#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;
class QDialog;

// Message-box buttons and answers keep their classic numeric values.
namespace MsgButtons {
enum : int { OKOnly = 0, OKCancel = 1, YesNoCancel = 3, YesNo = 4, DefaultButton2 = 256, DefaultButton3 = 512 };
}
namespace MsgIcon {
enum : int { None = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
}
namespace MsgAnswer {
enum : int { OK = 1, Cancel = 2, Yes = 6, No = 7 };
}

struct FileDialogRequest {
    bool save = false;
    QString title;
    QString directory;      // starting folder (may be empty)
    QString fileName;       // proposed name (may include a folder)
    QStringList nameFilters;// Qt name filters, "ASP files (*.asp)"
    int filterIndex = 0;    // 0-based index into nameFilters
    bool multiSelect = false;
    bool mustExist = false;
    bool overwritePrompt = false;
};

struct FileDialogResult {
    bool accepted = false;
    QStringList files;      // absolute paths
    int filterIndex = 0;    // 0-based
};

class Prompter {
public:
    virtual ~Prompter() = default;

    // Returns one of MsgAnswer.
    virtual int MsgBox(QWidget* owner, const QString& text, int buttons, int icon,
                       const QString& title) = 0;
    // Returns nullopt on Cancel.
    virtual std::optional<QString> InputBox(QWidget* owner, const QString& prompt,
                                            const QString& title, const QString& defaultText) = 0;
    virtual FileDialogResult FileDialog(QWidget* owner, const FileDialogRequest& request) = 0;
    virtual std::optional<QColor> ChooseColor(QWidget* owner, const QColor& initial,
                                              const QList<QColor>& customColors) = 0;
    // With colour, the chooser also offers a text colour, which comes back there.
    virtual std::optional<QFont> ChooseFont(QWidget* owner, const QFont& initial, QColor* colour = nullptr) = 0;
    // Runs one of the program's own modal dialogs; returns QDialog::exec's result.
    virtual int ExecDialog(QDialog* dialog) = 0;

    static Prompter& Current();
    // Takes ownership; passing nullptr restores the interactive prompter.
    static void Install(Prompter* prompter);
};

// The interactive implementation: real Qt dialogs.
class QtPrompter : public Prompter {
public:
    int MsgBox(QWidget* owner, const QString& text, int buttons, int icon, const QString& title) override;
    std::optional<QString> InputBox(QWidget* owner, const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    FileDialogResult FileDialog(QWidget* owner, const FileDialogRequest& request) override;
    std::optional<QColor> ChooseColor(QWidget* owner, const QColor& initial,
                                      const QList<QColor>& customColors) override;
    std::optional<QFont> ChooseFont(QWidget* owner, const QFont& initial, QColor* colour = nullptr) override;
    int ExecDialog(QDialog* dialog) override;
};

// Shorthand for the common case: a message box with the application title.
int MsgBox(const QString& text, int buttons = MsgButtons::OKOnly, int icon = MsgIcon::None,
           const QString& title = QStringLiteral("QRN"), QWidget* owner = nullptr);
std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                const QString& defaultText = QString(), QWidget* owner = nullptr);
