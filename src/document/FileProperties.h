#pragma once
// The program's own file-properties dialog.
#include <QDialog>

class CodeMax1;

class FilePropertiesDialog : public QDialog {
    Q_OBJECT
public:
    FilePropertiesDialog(const QString& path, const CodeMax1* editor, QWidget* owner);
    // The rows shown, label and value, for tests.
    QList<QPair<QString, QString>> Rows() const { return m_rows; }

private:
    QList<QPair<QString, QString>> m_rows;
};

// Shows the properties of path; returns 42 when shown and 2 (file not found) otherwise,
// after the classic shell convention that results below 33 are failures.
int fctnShowProperties(const QString& path, QWidget* owner, const CodeMax1* editor = nullptr);
