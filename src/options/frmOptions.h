#pragma once
// The options dialog: five pages behind a tab strip, OK, Cancel and Apply.
// Nothing is written until Apply or OK.
#include <QDialog>
#include <QFrame>
#include <array>

#include "base/Settings.h"

class CodeMax1;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;

// A clickable box showing one colour (a colour reference).
class ColourBox : public QFrame {
    Q_OBJECT
public:
    explicit ColourBox(QWidget* parent = nullptr);
    int Colour() const { return m_colour; }
    void SetColour(int colourRef);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_colour = 0;
};

class frmOptions : public QDialog {
    Q_OBJECT
public:
    explicit frmOptions(QWidget* owner = nullptr);

    static constexpr int PageCount = 5;
    static constexpr int ToolCount = 4;
    static constexpr int TidyCount = Key::TidyCount;

    // Tool name from an executable's file name: up to its first ".", in proper case.
    static QString DerivedToolName(const QString& fileName);

    void Form_Load();
    void fctnSetChanged(bool enabled);
    // Writes one kind into the sample; reset first gives it Courier 10 and the fixed look.
    void fctnInitColour(int kind, int background, int textColour, int effect, bool reset);
    static void fctnApplyColour(const QString& prefix, int background, int textColour, int effect);

    void tbsOptions_Click();
    // Ctrl+Tab (forward) and Ctrl+Shift+Tab (back), wrapping.
    void StepTab(bool forward);
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdApply_Click();

    void cmbTag_Click();
    void Bold_Click();
    void picCol_Click(int index);
    void cmbFont_Click();
    void cmbSize_Click();
    void Option1_Click(int index);
    void cmdBrowse_Click(int index);

    CodeMax1* Sample() const { return m_sample; }
    QTabBar* Tabs() const { return m_tabs; }

private:
    QWidget* buildGeneralPage();
    QWidget* buildSyntaxPage();
    QWidget* buildShellPage();
    QWidget* buildToolsPage();
    QWidget* buildTidyPage();
    QCheckBox* changeBox(QWidget* parent, const char* name, const QString& caption, const QString& tip);
    void showHelpMenu();
    void applySyntax();
    void applyGeneral();
    void applyShellAndTools();

    QTabBar* m_tabs = nullptr;
    QStackedWidget* m_pages = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_apply = nullptr;

    // General
    QCheckBox* m_chkInstance = nullptr;
    QCheckBox* m_chkNewDoc = nullptr;
    QCheckBox* m_chkSplash = nullptr;
    QCheckBox* m_chkDir = nullptr;
    QCheckBox* m_chkSession = nullptr;
    QCheckBox* m_chkCloseTags = nullptr;
    QCheckBox* m_chkFullIns = nullptr;
    std::array<QRadioButton*, 2> m_option1{};

    // Syntax highlighting
    QComboBox* m_cmbTag = nullptr;
    std::array<ColourBox*, 2> m_picCol{};
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_italic = nullptr;
    QComboBox* m_cmbFont = nullptr;
    QComboBox* m_cmbSize = nullptr;
    CodeMax1* m_sample = nullptr;
    int m_resolvedFont = -1;   // the entry the stored face resolved to, when it names no family here
    QString m_loadedFace;   // kept when no face is selected
    int m_loadedSize = 10;  // kept when the stored size has no entry

    // Context menus, user tools, HTML Tidy
    std::array<QCheckBox*, 5> m_chkShell{};
    std::array<QLineEdit*, ToolCount> m_txtName{};
    std::array<QLineEdit*, ToolCount> m_txtLocation{};
    std::array<QCheckBox*, TidyCount> m_chkTidy{};
};
