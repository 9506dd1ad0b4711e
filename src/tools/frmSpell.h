#pragma once
// The spelling dialog: one misspelled word at a time, in its line, with
// suggestions and the usual decisions.
#include <QDialog>
#include <memory>
#include <vector>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextEdit;
class SpellDictionary;
class SpellSession;

class frmSpell : public QDialog {
    Q_OBJECT
public:
    frmSpell(QWidget* owner, SpellSession* session);
    ~frmSpell() override;

    SpellSession* Session() const { return m_session; }
    QLineEdit* txtChange() const { return m_change; }
    QListWidget* lstSuggestions() const { return m_suggestions; }
    QComboBox* cmbLanguage() const { return m_language; }
    QTextEdit* txtContext() const { return m_context; }

    void cmdChange_Click();
    void cmdChangeAll_Click();
    void cmdIgnore_Click();
    void cmdIgnoreAll_Click();
    void cmdAdd_Click();
    void cmdCancel_Click();
    void cmbLanguage_Click();

private:
    void showWord();
    void advance();

    SpellSession* m_session;
    std::vector<std::unique_ptr<SpellDictionary>> m_dictionaries;
    QTextEdit* m_context;
    QLineEdit* m_change;
    QListWidget* m_suggestions;
    QComboBox* m_language;
    QPushButton* m_changeButton;
    QPushButton* m_changeAllButton;
};
