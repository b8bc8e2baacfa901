#pragma once
// "Edit Picker Choice": one text of a pick list, new or edited.
#include <QDialog>

class QLabel;
class QLineEdit;

namespace editing::qt {

class CEditPickerChoiceDlg : public QDialog {
    Q_OBJECT
public:
    CEditPickerChoiceDlg(const QString& caption, const QString& prompt, const QString& text,
                         QWidget* parent = nullptr);
    QString Text() const;
    QLineEdit* TextEdit() const { return m_text; }

private:
    QLineEdit* m_text;
};

} // namespace editing::qt
