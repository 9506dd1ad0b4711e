#pragma once
// A document window: the edit control, the preview pane and a five-panel status bar.
#include <QDateTime>
#include <QLabel>
#include <QWidget>
#include <array>

class CodeMax1;
class QMdiSubWindow;
class QStatusBar;
class frmMain;

// A status panel that can look sunk or raised and reports clicks.
class StatusPanel : public QLabel {
    Q_OBJECT
public:
    explicit StatusPanel(QWidget* parent = nullptr);
    // 1 sunk, 2 raised (the classic bevel numbers).
    int Bevel() const { return m_bevel; }
    void SetBevel(int bevel);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_bevel = 1;
};

namespace DocText {
// "1023 bytes", "1.00 KB"
QString SizeText(qint64 characters);
// The colouring language for a path: "HTML", "Java", "C/C++", "XML", or empty for plain text.
QString LanguageForPath(const QString& path);
constexpr const char* Untitled = "Untitled document";
}

class frmDocument : public QWidget {
    Q_OBJECT
public:
    explicit frmDocument(frmMain* owner);
    ~frmDocument() override;

    CodeMax1* Editor() const { return m_editor; }
    QWidget* WebBrowser1() const { return m_browser; }
    void SetWebBrowser(QWidget* browser);
    QStatusBar* StatusBar1() const { return m_status; }
    StatusPanel* Panel(int i) const { return m_panels.at(i - 1); }
    QMdiSubWindow* SubWindow() const;

    QString Caption() const;
    void SetCaption(const QString& caption);
    // The file's full path, or "Untitled document".
    QString PathPanel() const;
    bool HasFile() const;
    bool IsEditMode() const;

    void fctnRefreshCommands();
    void fctnRefreshStatus();
    // Loads path into the edit control; false with a message shown when it cannot be read.
    bool LoadFile(const QString& title, const QString& path);

    // Called by the main window when this window becomes the active one.
    void Form_Activate();
    // Writes "DocState" from the sub-window's state.
    void SaveDocState();
    // Asks the save question of a modified document; false when the user keeps it open.
    bool CloseQuestion();
    // Remembers the file's time and size on disk after a load or save.
    void RememberDiskState();
    // Offers to reload a file another program changed; reports a deleted one once.
    void CheckDiskChange();

signals:
    void PreviewPanelClicked(int panel);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void onKeyDown(int keyCode, int shift, bool* handled);

    frmMain* m_main;
    CodeMax1* m_editor;
    QWidget* m_browser;
    QStatusBar* m_status;
    std::array<StatusPanel*, 5> m_panels{};
    QDateTime m_diskTime;
    qint64 m_diskSize = -1;
    bool m_missingReported = false;
    bool m_checkingDisk = false;
};
