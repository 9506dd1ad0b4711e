#pragma once
// The About box: name, version and legal notice, a short description, the
// product and donation links, and System Info.
#include <QDialog>
#include <array>

class QLabel;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* owner = nullptr);

    // Link colours as colour references: blue normally, red under the pointer.
    static constexpr int LinkNormal = 16711680;
    static constexpr int LinkHover = 255;
    static QString ProductPage();
    static QString DonationPage();
    // "Version 1.2.0 - " for "1.2.0" and no comments.
    static QString VersionLine(const QString& version, const QString& comments = QString());

    void Form_Load();
    void Label1_MouseMove(int index);
    void Form_MouseMove();
    void Label1_Click(int index);
    void cmdSysInfo_Click();
    int LinkColour(int index) const { return m_linkColour.at(index); }

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setLinkColour(int index, int colourRef);

    QLabel* m_image = nullptr;
    std::array<QLabel*, 3> m_lblA{};
    std::array<QLabel*, 2> m_links{};
    std::array<int, 2> m_linkColour{LinkNormal, LinkNormal};
};
