#pragma once
#include "editing/Placeholder.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

namespace editing::qt {

// "Enter Text": the value of one placeholder, typed or put together from the
// offered choices. Also serves "Other Material" for a material's own wording.
class CEnterTextDlg : public QDialog {
    Q_OBJECT
public:
    CEnterTextDlg(const QString& caption, const editing::PlaceholderPrompt& prompt, QWidget* parent = nullptr);
    QString Value() const;
    QComboBox* Choices() const { return m_choices; }
    QLineEdit* ValueEdit() const { return m_value; }
    QLabel* Label() const { return m_label; }

private:
    QComboBox* m_choices;
    QLineEdit* m_value;
    QLabel* m_label;
};

} // namespace editing::qt
