#pragma once
// The "Owner" page of the Options sheet: the inspector and the company printed
// on reports.
#include "store/Owner.h"

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;

namespace options::qt {

class COwnerPage : public QWidget {
    Q_OBJECT
public:
    explicit COwnerPage(QWidget* parent = nullptr);

    void Load(const store::Owner& owner);
    void Store(store::Owner& owner) const;
    void FocusName() const;

private:
    QLineEdit* m_name;
    QLineEdit* m_company;
    QPlainTextEdit* m_address;
    QLineEdit* m_workAreaCode;
    QLineEdit* m_workPhone;
    QLineEdit* m_faxAreaCode;
    QLineEdit* m_faxNumber;
};

} // namespace options::qt
