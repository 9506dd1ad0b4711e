// The spelling dialog.
#include "tools/frmSpell.h"

#include "base/Prompter.h"
#include "tools/SpellCheck.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

frmSpell::frmSpell(QWidget* owner, SpellSession* session) : QDialog(owner), m_session(session)
{
    setObjectName(QStringLiteral("frmSpell"));
    setWindowTitle(tr("Spelling"));
    resize(560, 380);
    auto* grid = new QGridLayout(this);

    grid->addWidget(new QLabel(tr("Not in dictionary:"), this), 0, 0);
    m_context = new QTextEdit(this);
    m_context->setObjectName(QStringLiteral("txtContext"));
    m_context->setReadOnly(true);
    m_context->setMaximumHeight(80);
    grid->addWidget(m_context, 1, 0);

    auto* changeLabel = new QLabel(tr("C&hange to:"), this);
    grid->addWidget(changeLabel, 2, 0);
    m_change = new QLineEdit(this);
    m_change->setObjectName(QStringLiteral("txtChange"));
    changeLabel->setBuddy(m_change);   // the access key needs a field to go to
    grid->addWidget(m_change, 3, 0);
    auto* suggestionsLabel = new QLabel(tr("&Suggestions:"), this);
    grid->addWidget(suggestionsLabel, 4, 0);
    m_suggestions = new QListWidget(this);
    m_suggestions->setObjectName(QStringLiteral("lstSuggestions"));
    suggestionsLabel->setBuddy(m_suggestions);
    grid->addWidget(m_suggestions, 5, 0);

    auto* dictionaryLabel = new QLabel(tr("&Dictionary language:"), this);
    grid->addWidget(dictionaryLabel, 6, 0);
    m_language = new QComboBox(this);
    m_language->setObjectName(QStringLiteral("cmbLanguage"));
    m_language->addItems(SpellDictionary::Installed());
    m_language->setCurrentText(session->Dictionary()->Name());
    dictionaryLabel->setBuddy(m_language);
    grid->addWidget(m_language, 7, 0);

    auto* buttons = new QVBoxLayout;
    auto button = [&](const char* name, const QString& text, void (frmSpell::*slot)()) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    button("cmdIgnore", tr("&Ignore"), &frmSpell::cmdIgnore_Click);
    button("cmdIgnoreAll", tr("I&gnore All"), &frmSpell::cmdIgnoreAll_Click);
    button("cmdAdd", tr("&Add"), &frmSpell::cmdAdd_Click);
    m_changeButton = button("cmdChange", tr("&Change"), &frmSpell::cmdChange_Click);
    m_changeAllButton = button("cmdChangeAll", tr("Change A&ll"), &frmSpell::cmdChangeAll_Click);
    buttons->addStretch(1);
    button("cmdCancel", tr("Cancel"), &frmSpell::cmdCancel_Click);
    m_changeButton->setDefault(true);
    grid->addLayout(buttons, 1, 1, 7, 1);

    connect(m_suggestions, &QListWidget::currentTextChanged, m_change, &QLineEdit::setText);
    connect(m_suggestions, &QListWidget::itemDoubleClicked, this, [this] { cmdChange_Click(); });
    connect(m_change, &QLineEdit::textChanged, this, [this](const QString& text) {
        // An empty replacement would delete the word: change only to real text.
        m_changeButton->setEnabled(!text.isEmpty());
        m_changeAllButton->setEnabled(!text.isEmpty());
    });
    connect(m_language, &QComboBox::currentTextChanged, this, [this] { cmbLanguage_Click(); });
    showWord();
}

frmSpell::~frmSpell() = default;

void frmSpell::showWord()
{
    int offset = 0;
    const QString line = m_session->Context(&offset);
    const QString word = m_session->Word();
    m_context->setHtml(line.left(offset).toHtmlEscaped() + QStringLiteral("<b><font color=\"red\">") +
                       word.toHtmlEscaped() + QStringLiteral("</font></b>") +
                       line.mid(offset + word.size()).toHtmlEscaped());
    const QStringList suggestions = m_session->Suggestions();
    m_suggestions->blockSignals(true);
    m_suggestions->clear();
    m_suggestions->addItems(suggestions);
    m_suggestions->blockSignals(false);
    if (suggestions.isEmpty()) {
        m_change->setText(word);
    } else {
        m_suggestions->setCurrentRow(0);
        m_change->setText(suggestions.first());
    }
}

void frmSpell::advance()
{
    if (m_session->Next())
        showWord();
    else
        accept();
}

void frmSpell::cmdChange_Click()
{
    if (m_change->text().isEmpty())
        return;
    m_session->Change(m_change->text());
    advance();
}

void frmSpell::cmdChangeAll_Click()
{
    if (m_change->text().isEmpty())
        return;
    m_session->ChangeAll(m_change->text());
    advance();
}

void frmSpell::cmdIgnore_Click()
{
    m_session->Ignore();
    advance();
}

void frmSpell::cmdIgnoreAll_Click()
{
    m_session->IgnoreAll();
    advance();
}

void frmSpell::cmdAdd_Click()
{
    m_session->Add();
    advance();
}

void frmSpell::cmdCancel_Click()
{
    reject();
}

void frmSpell::cmbLanguage_Click()
{
    const QString name = m_language->currentText();
    if (name.isEmpty() || name == m_session->Dictionary()->Name())
        return;
    auto dictionary = std::make_unique<SpellDictionary>();
    QString error;
    if (!dictionary->Load(name, &error)) {
        MsgBox(error, MsgButtons::OKOnly, MsgIcon::None, QStringLiteral("QRN"), this);
        m_language->blockSignals(true);
        m_language->setCurrentText(m_session->Dictionary()->Name());
        m_language->blockSignals(false);
        return;
    }
    m_session->SetDictionary(dictionary.get());
    m_dictionaries.push_back(std::move(dictionary));
    advance();
}
