#pragma once
// The splash window shown while the program starts.
#include <QDialog>
#include <array>

class QLabel;

// Shown while the program starts.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);
    QLabel* lblA(int index) const { return m_labels.at(index); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<QLabel*, 3> m_labels{};
};
