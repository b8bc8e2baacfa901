#pragma once
// "Export RTF": which reports to write (inspection report, summary, major
// systems), whether pictures go in, whether every inspection is exported, the
// rating the summary lists and the report name of the page headers. The dialog
// only collects the choices; RtfExport writes the reports.
#include "reports/rtf/RtfExport.h"

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace reports::rtf::qt {

class CExportRtfDlg : public QDialog {
    Q_OBJECT
public:
    // `reportName` starts the "Report Name" field (the inspection's DocType);
    // `ratingFilters` fills the rating filter list, "<All Ratings>" last.
    CExportRtfDlg(const QString& reportName, const std::vector<std::string>& ratingFilters,
                  QWidget* parent = nullptr);

    // The choices as the export takes them (which view is shown is the caller's to add).
    RtfExportRequest Request() const;

    QCheckBox* InspectionReportBox() const { return m_inspection; }
    QCheckBox* SummaryReportBox() const { return m_summary; }
    QCheckBox* MajorSystemsBox() const { return m_majorSystems; }
    QCheckBox* IncludePicturesBox() const { return m_pictures; }
    QCheckBox* ExportAllBox() const { return m_all; }
    QListWidget* RatingFilterList() const { return m_ratings; }
    QLineEdit* ReportNameEdit() const { return m_reportName; }
    QPushButton* OkButton() const;

private:
    void UpdateControls();

    QCheckBox* m_inspection;
    QCheckBox* m_summary;
    QCheckBox* m_majorSystems;
    QCheckBox* m_pictures;
    QCheckBox* m_all;
    QListWidget* m_ratings;
    QLineEdit* m_reportName;
    QDialogButtonBox* m_buttons;
};

} // namespace reports::rtf::qt
