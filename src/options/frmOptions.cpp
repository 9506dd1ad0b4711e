// The options dialog: its pages, loading and applying.
#include "options/frmOptions.h"

#include "base/cCommonDialog.h"

#include "base/Settings.h"
#include "document/Workspace.h"
#include "document/CodeMax1.h"
#include "document/ColourScheme.h"
#include "options/ShellEntries.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

QString flagText(bool on)
{
    return on ? QStringLiteral("-1") : QStringLiteral("0");
}

// A stored boolean, or the default when the text is not one.
bool storedBool(const SettingKey& key)
{
    try {
        return Setting::Bool(key, DefaultsFor::OptionsDialog);
    } catch (const SettingsError&) {
        return Setting::Default(key, DefaultsFor::OptionsDialog).toInt() != 0;
    }
}
} // namespace

// ---------------------------------------------------------------- ColourBox

ColourBox::ColourBox(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setMinimumSize(48, 22);
    setToolTip(tr("Click to change colour"));
    SetColour(0);
}

void ColourBox::SetColour(int colourRef)
{
    m_colour = colourRef;
    QPalette p = palette();
    p.setColor(QPalette::Window, ColourScheme::ToColor(colourRef));
    setPalette(p);
}

void ColourBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (rect().contains(event->position().toPoint()) && event->button() == Qt::LeftButton)
        emit clicked();
}

void ColourBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit clicked();
    else
        QFrame::keyPressEvent(event);
}

// ---------------------------------------------------------------- frame

frmOptions::frmOptions(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(tr("Options"));

    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("tbsOptions"));
    m_tabs->setExpanding(false);
    m_pages = new QStackedWidget(this);
    const QString captions[PageCount] = {tr("General"), tr("Syntax highlighting"), tr("Context menus"),
                                         tr("User tools"), tr("HTML Tidy")};
    QWidget* pages[PageCount] = {buildGeneralPage(), buildSyntaxPage(), buildShellPage(), buildToolsPage(),
                                 buildTidyPage()};
    for (int i = 0; i < PageCount; ++i) {
        m_tabs->addTab(captions[i]);
        pages[i]->setObjectName(QStringLiteral("picOptions%1").arg(i));
        m_pages->addWidget(pages[i]);
    }
    connect(m_tabs, &QTabBar::currentChanged, this, &frmOptions::tbsOptions_Click);

    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_apply = new QPushButton(tr("&Apply"), this);
    m_apply->setObjectName(QStringLiteral("cmdApply"));
    m_ok->setAutoDefault(false);
    m_apply->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(m_cancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    connect(m_apply, &QPushButton::clicked, this, &frmOptions::cmdApply_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_apply);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);

    // Ctrl+Tab must reach the dialog even from inside the sample editor.
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(next, &QShortcut::activated, this, [this] { StepTab(true); });
    for (const QKeySequence& back : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)}) {
        auto* previous = new QShortcut(back, this);
        connect(previous, &QShortcut::activated, this, [this] { StepTab(false); });
    }

    Form_Load();
}

QCheckBox* frmOptions::changeBox(QWidget* parent, const char* name, const QString& caption, const QString& tip)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(tip);
    connect(box, &QCheckBox::toggled, this, [this] { fctnSetChanged(true); });
    return box;
}

void frmOptions::Form_Load()
{
    // 1: the syntax page.
    m_sample->SetLanguage(QStringLiteral("HTML"));
    m_sample->SetText(QStringLiteral("<HTML>\r\n<HEAD>\r\n<TITLE>Various &amp; sundry</TITLE>\r\n</HEAD>\r\n"
                                     "<BODY BGCOLOR=\"#FFFFFF\">\r\n<!-- This is a comment -->\r\n"
                                     "An example of syntax highlighting.\r\n</BODY>\r\n</HTML>"));
    for (int kind = 0; kind < ColourScheme::KindCount; ++kind) {
        const KindColours c = ColourScheme::Read(kind, DefaultsFor::OptionsDialog);
        fctnInitColour(kind, c.background, c.text, c.effect, kind == 0);
    }
    m_loadedFace = ColourScheme::FontFace(DefaultsFor::OptionsDialog);
    m_loadedSize = ColourScheme::FontSize(DefaultsFor::OptionsDialog);
    {
        const QSignalBlocker block(m_cmbFont);
        m_cmbFont->clear();
        // Each family once, under the name a user knows (Qt lists one per foundry).
        QStringList names;
        for (const QString& family : QFontDatabase::families())
            if (QFontDatabase::isFixedPitch(family) && !QFontDatabase::isPrivateFamily(family))
                if (const QString name = cCommonDialog::FamilyName(QFont(family)); !names.contains(name))
                    names << name;
        m_cmbFont->addItems(names);
        int index = m_cmbFont->findText(m_loadedFace, Qt::MatchExactly | Qt::MatchCaseSensitive);
        m_resolvedFont = -1;
        if (index < 0) {
            // A face that is no family here ("Courier" on Linux): the one it resolves to.
            QFont wanted(m_loadedFace);
            wanted.setStyleHint(QFont::TypeWriter);
            index = m_cmbFont->findText(cCommonDialog::FamilyName(QFont(QFontInfo(wanted).family())),
                                        Qt::MatchExactly | Qt::MatchCaseSensitive);
            m_resolvedFont = index;
        }
        m_cmbFont->setCurrentIndex(index);
    }
    cmbFont_Click();
    {
        const QSignalBlocker blockTag(m_cmbTag);
        const QSignalBlocker blockSize(m_cmbSize);
        m_cmbTag->setCurrentIndex(0);
        const int sizeEntry = m_loadedSize - 8;
        m_cmbSize->setCurrentIndex(sizeEntry >= 0 && sizeEntry < m_cmbSize->count() ? sizeEntry : -1);
    }
    cmbTag_Click();
    cmbSize_Click();

    // 2-4: the general page.
    m_chkSplash->setChecked(storedBool(Key::Splash));
    m_chkDir->setChecked(storedBool(Key::LoadDir));
    m_chkSession->setChecked(storedBool(Key::Session));
    m_chkCloseTags->setChecked(storedBool(Key::CloseTags));
    m_chkFullIns->setChecked(OptFullIns);
    m_chkNewDoc->setChecked(OptNewDoc);
    m_chkInstance->setChecked(OptInstance);
    int dock = 3;
    try {
        dock = Setting::Int(Key::Dock, DefaultsFor::OptionsDialog);
    } catch (const SettingsError&) {
        dock = 0;  // not 3, so the right side as for any other value
    }
    m_option1[dock == 3 ? 0 : 1]->setChecked(true);

    // 5-7: context menus, user tools, Tidy.
    for (int i = 0; i < ShellEntries::EntryCount; ++i)
        m_chkShell[i]->setChecked(ShellEntries::IsPresent(i));
    for (int n = 1; n <= ToolCount; ++n) {
        m_txtName[n - 1]->setText(GetSetting(Key::Tool(n), QString()));
        m_txtLocation[n - 1]->setText(GetSetting(Key::ToolExe(n), QString()));
    }
    for (int i = 0; i < TidyCount; ++i)
        // Read as the Tidy run reads them, so what is ticked is what Tidy does.
        m_chkTidy[i]->setChecked(Setting::Switch(Key::Tidy(i), DefaultsFor::OptionsDialog));

    // 8: whatever filling the controls set off, the dialog opens unchanged.
    fctnSetChanged(false);
}

void frmOptions::fctnSetChanged(bool enabled)
{
    m_ok->setEnabled(enabled);
    m_apply->setEnabled(enabled);
}

void frmOptions::tbsOptions_Click()
{
    const int selected = m_tabs->currentIndex();
    if (selected >= 0 && selected < m_pages->count())
        m_pages->setCurrentIndex(selected);
}

void frmOptions::StepTab(bool forward)
{
    const int count = m_tabs->count();
    m_tabs->setCurrentIndex((m_tabs->currentIndex() + (forward ? 1 : count - 1)) % count);
}

void frmOptions::cmdOK_Click()
{
    cmdApply_Click();
    accept();
}

void frmOptions::cmdCancel_Click()
{
    reject();
}

void frmOptions::cmdApply_Click()
{
    applySyntax();
    applyGeneral();
    SettingsNotifier::Announce(SettingsNotifier::Scheme);
    applyShellAndTools();
    for (int i = 0; i < TidyCount; ++i)
        SaveSetting(Key::Tidy(i), flagText(m_chkTidy[i]->isChecked()));
    m_apply->setEnabled(false);
}

// ---------------------------------------------------------------- general page

QWidget* frmOptions::buildGeneralPage()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    m_chkInstance = changeBox(page, "chkInstance", tr("Limit to only one concurrent instance of QRN"),
                              tr("Prevent/allow multiple instances of QRN opening"));
    m_chkNewDoc = changeBox(page, "chkNewDoc", tr("Launch the 'New web page' wizard when creating a new document"),
                            tr("Prompts for HTML page information when creating a new document"));
    m_chkSplash = changeBox(page, "chkSplash", tr("Show splash screen at start-up"), tr("Splash functionality"));
    m_chkDir = changeBox(page, "chkDir", tr("Reload last working directory at start-up"),
                         tr("Working directory functionality"));
    m_chkSession = changeBox(page, "chkSession", tr("Reopen the last session's files at start-up"),
                             tr("Exit remembers the open files; the next start opens them again"));
    m_chkFullIns = changeBox(page, "chkFullIns", tr("Insert full file path/name when adding links"),
                             tr("Insert full file path/name when adding links"));
    m_chkCloseTags =
        changeBox(page, "chkCloseTags", tr("Close tags as you type"),
                  tr("In HTML, typing the > of a start tag adds its end tag; typing </ names the open element"));
    for (QCheckBox* box :
         {m_chkInstance, m_chkNewDoc, m_chkSplash, m_chkDir, m_chkSession, m_chkFullIns, m_chkCloseTags})
        layout->addWidget(box);

    layout->addSpacing(12);
    layout->addWidget(new QLabel(tr("Sidebar docking"), page));
    auto* sides = new QHBoxLayout;
    const QString captions[2] = {tr("Left"), tr("Right")};
    const QString tips[2] = {tr("Dock left"), tr("Dock right")};
    for (int i = 0; i < 2; ++i) {
        m_option1[i] = new QRadioButton(captions[i], page);
        m_option1[i]->setObjectName(QStringLiteral("Option1%1").arg(i));
        m_option1[i]->setToolTip(tips[i]);
        connect(m_option1[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                Option1_Click(i);
        });
        sides->addWidget(m_option1[i]);
    }
    sides->addStretch(1);
    layout->addLayout(sides);
    layout->addStretch(1);
    return page;
}

void frmOptions::Option1_Click(int index)
{
    m_option1[index]->setChecked(true);
    m_option1[1 - index]->setChecked(false);
    Bold_Click();
}

void frmOptions::applyGeneral()
{
    SaveSetting(Key::Splash, flagText(m_chkSplash->isChecked()));
    SaveSetting(Key::LoadDir, flagText(m_chkDir->isChecked()));
    SaveSetting(Key::Session, flagText(m_chkSession->isChecked()));
    SaveSetting(Key::CloseTags, flagText(m_chkCloseTags->isChecked()));
    SettingsNotifier::Announce(SettingsNotifier::CloseTags);

    const bool left = m_option1[0]->isChecked();
    SaveSetting(Key::Dock, left ? QStringLiteral("3") : QStringLiteral("4"));
    SettingsNotifier::Announce(SettingsNotifier::Dock);

    SaveSetting(Key::FullIns, flagText(m_chkFullIns->isChecked()));
    SaveSetting(Key::NewDoc, flagText(m_chkNewDoc->isChecked()));
    SaveSetting(Key::Instance, flagText(m_chkInstance->isChecked()));
    OptFullIns = m_chkFullIns->isChecked();
    OptNewDoc = m_chkNewDoc->isChecked();
    OptInstance = m_chkInstance->isChecked();
}
