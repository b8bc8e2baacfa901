#include "editing/qt/CEnterTextDlg.h"

#include "editing/qt/CCommentsPage.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace editing::qt {

CEnterTextDlg::CEnterTextDlg(const QString& caption, const editing::PlaceholderPrompt& prompt, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    if (!prompt.text.empty()) {
        layout->addWidget(new QLabel(QStringLiteral("Comment:"), this));
        auto* comment = new QLabel(EditText(prompt.text), this);
        comment->setWordWrap(true);
        comment->setObjectName(QStringLiteral("comment"));
        layout->addWidget(comment);
    }
    m_label = new QLabel(EditText(prompt.label), this);
    m_label->setObjectName(QStringLiteral("label"));
    layout->addWidget(m_label);
    m_choices = new QComboBox(this);
    m_choices->setObjectName(QStringLiteral("choices"));
    for (const auto& choice : prompt.choices)
        m_choices->addItem(QString::fromStdString(choice));
    m_choices->setCurrentIndex(-1);
    m_choices->setVisible(!prompt.name.empty() || !prompt.choices.empty());
    layout->addWidget(m_choices);
    m_value = new QLineEdit(this);
    m_value->setObjectName(QStringLiteral("value"));
    layout->addWidget(m_value);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // Each choice joins the value, so several can be combined.
    connect(m_choices, &QComboBox::activated, this, [this](int index) {
        const std::string choice = m_choices->itemText(index).toStdString();
        m_value->setText(QString::fromStdString(editing::AddChoice(m_value->text().toStdString(), choice)));
    });
    setMinimumWidth(420);
    m_value->setFocus();
}

QString CEnterTextDlg::Value() const
{
    return m_value->text();
}

} // namespace editing::qt
