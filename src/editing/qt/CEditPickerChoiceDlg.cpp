#include "editing/qt/CEditPickerChoiceDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace editing::qt {

CEditPickerChoiceDlg::CEditPickerChoiceDlg(const QString& caption, const QString& prompt, const QString& text,
                                           QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(caption);
    auto* label = new QLabel(prompt, this);
    label->setWordWrap(true);
    m_text = new QLineEdit(text, this);
    m_text->setObjectName(QStringLiteral("choice"));
    m_text->setMaxLength(255);
    label->setBuddy(m_text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_text);
    layout->addWidget(buttons);
    setMinimumWidth(360);
    m_text->selectAll();
    m_text->setFocus();
}

QString CEditPickerChoiceDlg::Text() const
{
    return m_text->text();
}

} // namespace editing::qt
