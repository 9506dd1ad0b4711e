// The "Context menus", "User tools" and "HTML Tidy" pages of the options dialog.
#include "options/frmOptions.h"

#include "base/Settings.h"
#include "document/Workspace.h"
#include "options/ShellEntries.h"
#include "base/cCommonDialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Captions of the Tidy switches, in the order of their keys.
const char* const kTidy[frmOptions::TidyCount] = {
    QT_TRANSLATE_NOOP("frmOptions", "Indent element content"),
    QT_TRANSLATE_NOOP("frmOptions", "Omit optional end-tags"),
    QT_TRANSLATE_NOOP("frmOptions", "Force tags to uppercase (default is lower)"),
    QT_TRANSLATE_NOOP("frmOptions", "Replace FONT, NOBR and CENTER tags with CSS"),
    QT_TRANSLATE_NOOP("frmOptions", "Suppress non-essential output"),
    QT_TRANSLATE_NOOP("frmOptions", "Strip out smart quotes and em dashes, etc"),
    QT_TRANSLATE_NOOP("frmOptions", "Force output as well-formed XHTML"),
};
} // namespace

QString frmOptions::DerivedToolName(const QString& fileName)
{
    QString name = fileName;
    // A name without a "." (or one that only starts with it) is taken whole.
    const int dot = name.indexOf(QLatin1Char('.'));
    if (dot > 0)
        name.truncate(dot);
    bool wordStart = true;
    for (QChar& c : name) {
        if (c == QLatin1Char(' ')) {
            wordStart = true;
            continue;
        }
        c = wordStart ? c.toUpper() : c.toLower();
        wordStart = false;
    }
    return name;
}

// ---------------------------------------------------------------- context menus

QWidget* frmOptions::buildShellPage()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    for (int i = 0; i < ShellEntries::EntryCount; ++i) {
        const QByteArray name = "chkShell" + QByteArray::number(i);
        m_chkShell[i] = changeBox(page, name.constData(), ShellEntries::Caption(i), tr("Shell functionality"));
        layout->addWidget(m_chkShell[i]);
    }
    layout->addStretch(1);
    return page;
}

// ---------------------------------------------------------------- user tools

QWidget* frmOptions::buildToolsPage()
{
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel(tr("Name"), page), 0, 0);
    grid->addWidget(new QLabel(tr("Executable"), page), 0, 1);
    grid->addWidget(new QLabel(tr("Shift+"), page), 0, 3);
    for (int n = 1; n <= ToolCount; ++n) {
        auto* name = new QLineEdit(page);
        name->setObjectName(QStringLiteral("txtName%1").arg(n));
        name->setToolTip(tr("User-defined name of tool"));
        auto* location = new QLineEdit(page);
        location->setObjectName(QStringLiteral("txtLocation%1").arg(n));
        location->setToolTip(tr("Executable to run"));
        auto* browse = new QPushButton(QStringLiteral("..."), page);
        browse->setObjectName(QStringLiteral("cmdBrowse%1").arg(n));
        browse->setToolTip(tr("Select program"));
        browse->setAutoDefault(false);
        browse->setFixedWidth(36);
        connect(name, &QLineEdit::textChanged, this, [this] { fctnSetChanged(true); });
        connect(location, &QLineEdit::textChanged, this, [this] { fctnSetChanged(true); });
        connect(browse, &QPushButton::clicked, this, [this, n] { cmdBrowse_Click(n); });
        m_txtName[n - 1] = name;
        m_txtLocation[n - 1] = location;
        grid->addWidget(name, n, 0);
        grid->addWidget(location, n, 1);
        grid->addWidget(browse, n, 2);
        grid->addWidget(new QLabel(QStringLiteral("F%1").arg(4 + n), page), n, 3);
    }
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(ToolCount + 1, 1);
    return page;
}

void frmOptions::cmdBrowse_Click(int index)
{
    cCommonDialog dialog;
    QString file;
    QString title;
    bool readOnly = false;
    QString filter = tr("Scripts (*.sh;*.py;*.pl)|*.sh;*.py;*.pl|Programs (*)|*|All files (*.*)|*.*");
    int filterIndex = 2;
    int flags = 0;
    if (!dialog.VBGetOpenFileName(file, title, true, false, readOnly, true, filter, filterIndex, QDir::currentPath(),
                                  tr("Select tool"), QString(), this, flags))
        return;
    m_txtLocation[index - 1]->setText(file);
    if (m_txtName[index - 1]->text().isEmpty())
        m_txtName[index - 1]->setText(DerivedToolName(title));
}

// ---------------------------------------------------------------- HTML Tidy

QWidget* frmOptions::buildTidyPage()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    for (int i = 0; i < TidyCount; ++i) {
        const QString caption = QCoreApplication::translate("frmOptions", kTidy[i]);
        const QString tip = i == 6 ? tr("Force output as well-formed XHTML (well-formed HTML is the default)") : caption;
        const QByteArray name = "chkTidy" + QByteArray::number(i);
        m_chkTidy[i] = changeBox(page, name.constData(), caption, tip);
        layout->addWidget(m_chkTidy[i]);
    }
    layout->addStretch(1);
    return page;
}

// ---------------------------------------------------------------- apply

void frmOptions::applyShellAndTools()
{
    const QString program = QCoreApplication::applicationFilePath();
    bool entriesChanged = false;
    for (int i = 0; i < ShellEntries::EntryCount; ++i) {
        entriesChanged |= ShellEntries::Apply(i, m_chkShell[i]->isChecked(), program);
        if (i < 1 || i > ToolCount)
            continue;
        QLineEdit* name = m_txtName[i - 1];
        QLineEdit* location = m_txtLocation[i - 1];
        if (name->text().isEmpty() && !location->text().isEmpty())
            name->setText(DerivedToolName(QFileInfo(location->text()).fileName()));
        SaveSetting(Key::Tool(i), name->text());
        SaveSetting(Key::ToolExe(i), location->text());
    }
    if (entriesChanged)
        ShellEntries::RefreshDatabase();
    // The Tools menu is built from the values just stored.
    SettingsNotifier::Announce(SettingsNotifier::Tools);
}
