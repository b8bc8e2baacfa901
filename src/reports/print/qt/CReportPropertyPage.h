#pragma once
// The "Report" page of the "Print Properties" sheet: which report, which
// pages, how many copies, the page numbering, the report name, continuous
// categories, cell borders and the summary's rating.
#include "reports/print/PrintSettings.h"

#include <QWidget>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace reports::print::qt {

class CReportPropertyPage : public QWidget {
    Q_OBJECT
public:
    // Shows `settings`; `ratings` are the summary rating names ("<All Ratings>" is added last).
    CReportPropertyPage(const PrintSettings& settings, const std::vector<std::string>& ratings,
                        QWidget* parent = nullptr);
    // Stores the page's choices in `settings` (the category choice is not this page's).
    void Read(PrintSettings& settings) const;

    QRadioButton* InspectionButton() const { return m_inspection; }
    QRadioButton* SummaryButton() const { return m_summary; }
    QRadioButton* MajorSystemsButton() const { return m_majorSystems; }
    QRadioButton* AllButton() const { return m_all; }
    QRadioButton* PagesButton() const { return m_pages; }
    QSpinBox* FromBox() const { return m_from; }
    QSpinBox* ToBox() const { return m_to; }
    QSpinBox* StartingPageBox() const { return m_startingPage; }
    QSpinBox* CopiesBox() const { return m_copies; }
    QLineEdit* ReportNameEdit() const { return m_reportName; }
    QCheckBox* ContinuousBox() const { return m_continuous; }
    QCheckBox* BordersBox() const { return m_borders; }
    QComboBox* RatingBox() const { return m_rating; }

private:
    QRadioButton *m_inspection, *m_summary, *m_majorSystems, *m_all, *m_pages;
    QSpinBox *m_from, *m_to, *m_startingPage, *m_copies;
    QLineEdit* m_reportName;
    QCheckBox *m_continuous, *m_borders, *m_backToFront;
    QComboBox* m_rating;
};

} // namespace reports::print::qt
