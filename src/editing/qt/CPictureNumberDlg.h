#pragma once

#include <QDialog>

class QLineEdit;

namespace editing::qt {

// "Next Picture Number:": the number of the picture whose tag "Pict #" inserts.
class CPictureNumberDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPictureNumberDlg(int number, QWidget* parent = nullptr);
    // The number shown; never below 1.
    int Number() const;
    QLineEdit* NumberEdit() const { return m_number; }

private:
    void SetNumber(int number);
    QLineEdit* m_number;
};

} // namespace editing::qt
