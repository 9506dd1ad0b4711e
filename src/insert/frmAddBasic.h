#pragma once
// The attribute dialog, reused for anchors, images, stylesheet links, meta
// redirects, page transitions and pop-up windows. It knows its mode by its
// caption; on OK it leaves its markup in PendingInsert.
#include <QDialog>
#include <QSize>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmAddBasic : public QDialog {
    Q_OBJECT
public:
    explicit frmAddBasic(QWidget* parent = nullptr);

    // The openers' set-ups: caption, labels, visible fields and lists.
    void SetUpAnchor(const QString& sel);
    void SetUpImage();
    void SetUpStylesheet();
    void SetUpMetaRedirect();
    void SetUpTransition();
    void SetUpPopup();

    void Command1_Click();
    void Check1_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    QComboBox* Combo1() const { return m_combo1; }
    // The picture chosen with Browse in image mode (invalid when none was read).
    QSize ImageSize() const { return m_imageSize; }

    // The URL field's text for a chosen file: a file:/// address or the bare name.
    static QString FileAddress(const QString& path, bool fullAddress);
    static const QStringList& UrlPrefixes();
    static const QStringList& ImageAlignments();
    static const QStringList& TransitionEffects();

private:
    void setLabels(const QString& a, const QString& b, const QString& c);
    void showFields(bool combo2, bool text1, bool text2, bool check);
    bool isMode(const char* caption) const;
    void delayNotNumeric(QLineEdit* field);
    QString popupMarkup();

    std::array<QLabel*, 3> m_lblA{};
    QComboBox* m_combo1;
    QPushButton* m_command1;
    QComboBox* m_combo2;
    QLineEdit* m_text1;
    QLineEdit* m_text2;
    QCheckBox* m_check1;
    QLabel* m_image1;
    QSize m_imageSize;
};

// Fills the URL list with the eight prefixes and shows the dialog modally.
void ShowAttributeDialog(frmAddBasic& dialog);
// The openers' round trip: set the dialog up, show it (with the eight prefixes
// unless the set-up fills the list itself), insert its markup and clear it.
void RunAttributeDialog(const std::function<void(frmAddBasic&)>& setUp, bool withPrefixes = true);
