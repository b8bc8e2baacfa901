#pragma once
// "Duplicate Category" (name, how many, with or without the data) and, with
// the same form, "Rename Category" (name only).
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace editing::qt {

class CDuplicateCategoryDlg : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Duplicate, Rename };
    CDuplicateCategoryDlg(Mode mode, const QString& prompt, const QString& name, QWidget* parent = nullptr);

    QString Name() const;
    int HowMany() const;
    bool WithData() const;

    QLineEdit* NameEdit() const { return m_name; }
    QSpinBox* HowManySpin() const { return m_howMany; }
    QCheckBox* WithDataCheck() const { return m_withData; }

    void accept() override; // refuses an empty name

private:
    QLineEdit* m_name;
    QSpinBox* m_howMany;
    QCheckBox* m_withData;
};

} // namespace editing::qt
