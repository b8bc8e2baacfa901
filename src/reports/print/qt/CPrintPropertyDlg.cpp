#include "reports/print/qt/CPrintPropertyDlg.h"

#include "reports/print/qt/CReportPropertyPage.h"
#include "reports/print/qt/CSelectCategoriesPage.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace reports::print::qt {

CPrintPropertyDlg::CPrintPropertyDlg(const PrintSettings& settings, const std::vector<std::string>& titles,
                                     const std::vector<std::string>& ratings, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_tabs(new QTabWidget),
      m_report(new CReportPropertyPage(settings, ratings)), m_categories(new CSelectCategoriesPage(titles)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel))
{
    setWindowTitle(QStringLiteral("Print Properties"));
    setObjectName(QStringLiteral("printProperties"));
    m_tabs->addTab(m_report, QStringLiteral("Report"));
    m_tabs->addTab(m_categories, QStringLiteral("Categories"));
    m_preview = m_buttons->addButton(QStringLiteral("Print Preview..."), QDialogButtonBox::ActionRole);
    m_preview->setObjectName(QStringLiteral("printPreview"));
    m_preview->hide(); // shown by owners that connect it
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_buttons);
    resize(520, 380);
}

PrintSettings CPrintPropertyDlg::Settings() const
{
    PrintSettings s = m_settings;
    m_report->Read(s);
    s.selectedCategories = m_categories->Selected();
    s.allCategories = m_categories->AllSelected();
    return s;
}

QPushButton* CPrintPropertyDlg::OkButton() const
{
    return m_buttons->button(QDialogButtonBox::Ok);
}

} // namespace reports::print::qt
