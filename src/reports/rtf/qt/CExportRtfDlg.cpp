#include "reports/rtf/qt/CExportRtfDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace reports::rtf::qt {

CExportRtfDlg::CExportRtfDlg(const QString& reportName, const std::vector<std::string>& ratingFilters,
                             QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Export RTF"));
    setObjectName(QStringLiteral("exportRtf"));

    auto makeBox = [this](const char* text, const char* name) {
        auto* box = new QCheckBox(QString::fromLatin1(text), this);
        box->setObjectName(QString::fromLatin1(name));
        return box;
    };
    m_inspection = makeBox("Export &Inspection Report", "inspectionReport");
    m_summary = makeBox("Export &Summary Report", "summaryReport");
    m_majorSystems = makeBox("Export &Major Systems", "majorSystems");
    m_pictures = makeBox("Include &Pictures", "includePictures");
    m_all = makeBox("Export &All?", "exportAll");
    // The full report is what is wanted most often.
    m_inspection->setChecked(true);
    m_all->setToolTip(QStringLiteral("Every inspection of the list, each report to its own file"));

    m_ratings = new QListWidget(this);
    m_ratings->setObjectName(QStringLiteral("ratingFilter"));
    m_ratings->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const std::string& name : ratingFilters)
        m_ratings->addItem(QString::fromStdString(name));
    // "<All Ratings>" is chosen first: the summary then lists every marked rating.
    for (int i = 0; i < m_ratings->count(); ++i)
        if (m_ratings->item(i)->text() == QString::fromLatin1(kAllRatings))
            m_ratings->setCurrentRow(i);
    m_ratings->setMinimumWidth(180);
    auto* ratingsLabel = new QLabel(QStringLiteral("Summary &Rating:"), this);
    ratingsLabel->setBuddy(m_ratings);

    m_reportName = new QLineEdit(reportName, this);
    m_reportName->setObjectName(QStringLiteral("reportName"));
    m_reportName->setMaxLength(255);
    auto* nameLabel = new QLabel(QStringLiteral("Report &Name"), this);
    nameLabel->setBuddy(m_reportName);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    OkButton()->setDefault(true);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* reports = new QGroupBox(QStringLiteral("Reports"), this);
    auto* reportsLayout = new QVBoxLayout(reports);
    for (QCheckBox* box : {m_inspection, m_summary, m_majorSystems, m_pictures, m_all})
        reportsLayout->addWidget(box);
    reportsLayout->addStretch();

    auto* ratingsLayout = new QVBoxLayout;
    ratingsLayout->addWidget(ratingsLabel);
    ratingsLayout->addWidget(m_ratings, 1);

    auto* grid = new QGridLayout(this);
    grid->addWidget(reports, 0, 0);
    grid->addLayout(ratingsLayout, 0, 1);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(m_reportName, 1);
    grid->addLayout(nameRow, 1, 0, 1, 2);
    grid->addWidget(m_buttons, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    setTabOrder(m_inspection, m_summary);
    setTabOrder(m_summary, m_majorSystems);
    setTabOrder(m_majorSystems, m_pictures);
    setTabOrder(m_pictures, m_all);
    setTabOrder(m_all, m_ratings);
    setTabOrder(m_ratings, m_reportName);
    setTabOrder(m_reportName, OkButton());
    setTabOrder(OkButton(), m_buttons->button(QDialogButtonBox::Cancel));

    for (QCheckBox* box : {m_inspection, m_summary, m_majorSystems})
        connect(box, &QCheckBox::toggled, this, &CExportRtfDlg::UpdateControls);
    UpdateControls();
    m_inspection->setFocus();
}

QPushButton* CExportRtfDlg::OkButton() const
{
    return m_buttons->button(QDialogButtonBox::Ok);
}

void CExportRtfDlg::UpdateControls()
{
    // Pictures go only into the inspection report, the filter only steers the summary.
    m_pictures->setEnabled(m_inspection->isChecked());
    m_ratings->setEnabled(m_summary->isChecked());
    OkButton()->setEnabled(m_inspection->isChecked() || m_summary->isChecked() || m_majorSystems->isChecked());
}

RtfExportRequest CExportRtfDlg::Request() const
{
    RtfExportRequest request;
    request.inspectionReport = m_inspection->isChecked();
    request.summaryReport = m_summary->isChecked();
    request.majorSystems = m_majorSystems->isChecked();
    request.includePictures = m_pictures->isChecked();
    request.exportAll = m_all->isChecked();
    if (QListWidgetItem* item = m_ratings->currentItem())
        request.ratingFilter = item->text().toStdString();
    request.reportName = m_reportName->text().toStdString();
    return request;
}

} // namespace reports::rtf::qt
