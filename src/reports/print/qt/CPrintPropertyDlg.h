#pragma once
// The "Print Properties" sheet: the "Report" and "Categories" pages. On OK the
// settings hold the choices, the selected category titles included.
#include "reports/print/PrintSettings.h"

#include <QDialog>

#include <string>
#include <vector>

class QDialogButtonBox;
class QPushButton;
class QTabWidget;

namespace reports::print::qt {

class CReportPropertyPage;
class CSelectCategoriesPage;

class CPrintPropertyDlg : public QDialog {
    Q_OBJECT
public:
    CPrintPropertyDlg(const PrintSettings& settings, const std::vector<std::string>& categoryTitles,
                      const std::vector<std::string>& ratings, QWidget* parent = nullptr);
    // The choices of both pages.
    PrintSettings Settings() const;

    CReportPropertyPage* ReportPage() const { return m_report; }
    CSelectCategoriesPage* CategoriesPage() const { return m_categories; }
    QTabWidget* Tabs() const { return m_tabs; }
    QPushButton* OkButton() const;
    // "Print Preview...": the owner connects it; the sheet stays open.
    QPushButton* PreviewButton() const { return m_preview; }

private:
    PrintSettings m_settings;
    QTabWidget* m_tabs;
    CReportPropertyPage* m_report;
    CSelectCategoriesPage* m_categories;
    QDialogButtonBox* m_buttons;
    QPushButton* m_preview;
};

} // namespace reports::print::qt
