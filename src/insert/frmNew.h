#pragma once
// The new web page wizard: a page skeleton from a title, optional META tags
// and optional page colours. On OK the page is left in PendingInsert.
#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;
class QToolButton;
class QWidget;

class frmNew : public QDialog {
    Q_OBJECT
public:
    explicit frmNew(QWidget* parent = nullptr);

    void Check5_Click();
    void picCol_Click(int index);
    void cmdOK_Click();
    void cmdCancel_Click();

    // Colour reference and attribute text ("\"#RRGGBB\"") of swatch 0 to 4.
    int SwatchColour(int index) const { return m_colours.at(index); }
    QString SwatchTag(int index) const { return m_tags.at(index); }

    // The page the current fields give.
    QString PageText() const;

private:
    void setSwatch(int index, int colour);

    std::array<QLineEdit*, 3> m_txtA{};
    std::array<QCheckBox*, 5> m_check{};
    std::array<QToolButton*, 5> m_picCol{};
    std::array<int, 5> m_colours{};
    std::array<QString, 5> m_tags;
    QWidget* m_colourPanel;
};

// Shows the wizard and inserts its page into the active document.
void RunNewPageWizard(QWidget* owner);
