#include "reports/print/qt/CReportPropertyPage.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace reports::print::qt {
namespace {

QSpinBox* NumberBox(const char* name, int low, int high, int value)
{
    auto* box = new QSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setValue(std::clamp(value, low, high));
    return box;
}

// A combo box whose drop-down list is 200 pixels taller than the box.
class RatingComboBox : public QComboBox {
public:
    void showPopup() override
    {
        QComboBox::showPopup();
        if (QWidget* popup = view()->window())
            popup->setMinimumHeight(height() + 200);
    }
};

} // namespace

CReportPropertyPage::CReportPropertyPage(const PrintSettings& s, const std::vector<std::string>& ratings,
                                         QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("reportPage"));
    auto* reportGroup = new QGroupBox(QStringLiteral("Report"));
    m_inspection = new QRadioButton(QStringLiteral("Print Inspection"));
    m_summary = new QRadioButton(QStringLiteral("Print Summary"));
    m_majorSystems = new QRadioButton(QStringLiteral("Print Major Systems"));
    m_inspection->setObjectName(QStringLiteral("printInspection"));
    m_summary->setObjectName(QStringLiteral("printSummary"));
    m_majorSystems->setObjectName(QStringLiteral("printMajorSystems"));
    auto* reportBox = new QVBoxLayout(reportGroup);
    for (QRadioButton* b : {m_inspection, m_summary, m_majorSystems})
        reportBox->addWidget(b);
    (s.reportKind == PrintReport::Summary        ? m_summary
     : s.reportKind == PrintReport::MajorSystems ? m_majorSystems
                                                 : m_inspection)
        ->setChecked(true);

    auto* rangeGroup = new QGroupBox(QStringLiteral("Page Range"));
    m_all = new QRadioButton(QStringLiteral("All"));
    m_pages = new QRadioButton(QStringLiteral("Pages From:"));
    m_all->setObjectName(QStringLiteral("allPages"));
    m_pages->setObjectName(QStringLiteral("pagesFrom"));
    m_from = NumberBox("fromPage", 1, 9999, s.firstPage > 0 ? s.firstPage : 1);
    m_to = NumberBox("toPage", 1, 9999, s.lastPage > 0 ? s.lastPage : 99);
    auto* range = new QGridLayout(rangeGroup);
    range->addWidget(m_all, 0, 0);
    range->addWidget(m_pages, 1, 0);
    range->addWidget(m_from, 1, 1);
    range->addWidget(new QLabel(QStringLiteral("To:")), 1, 2);
    range->addWidget(m_to, 1, 3);
    m_all->setChecked(true);
    const auto enableRange = [this] {
        m_from->setEnabled(m_pages->isChecked());
        m_to->setEnabled(m_pages->isChecked());
    };
    connect(m_pages, &QRadioButton::toggled, this, enableRange);
    enableRange();

    m_continuous = new QCheckBox(QStringLiteral("Continuous"));
    m_borders = new QCheckBox(QStringLiteral("Borders"));
    m_backToFront = new QCheckBox(QStringLiteral("Print Back To Front"));
    m_continuous->setObjectName(QStringLiteral("continuous"));
    m_borders->setObjectName(QStringLiteral("borders"));
    m_backToFront->setObjectName(QStringLiteral("backToFront"));
    m_backToFront->setEnabled(false); // bound to no setting
    m_continuous->setChecked(s.continuous);
    m_borders->setChecked(s.borders);

    m_startingPage = NumberBox("startingPage", 1, 9999, s.startingPageNumber);
    m_copies = NumberBox("copies", 1, 99, s.copies);
    m_reportName = new QLineEdit(QString::fromStdString(s.reportName));
    m_reportName->setObjectName(QStringLiteral("reportName"));
    m_rating = new RatingComboBox;
    m_rating->setObjectName(QStringLiteral("ratingFilter"));
    for (const std::string& name : ratings)
        if (name != kAllRatings)
            m_rating->addItem(QString::fromStdString(name));
    m_rating->addItem(QString::fromLatin1(kAllRatings));
    const int chosen = m_rating->findText(QString::fromStdString(s.ratingFilter));
    m_rating->setCurrentIndex(chosen >= 0 ? chosen : m_rating->count() - 1);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Starting Page #:"), m_startingPage);
    form->addRow(QStringLiteral("Number of Copies:"), m_copies);
    form->addRow(QStringLiteral("Report Name:"), m_reportName);
    form->addRow(QStringLiteral("Summary Rating:"), m_rating);

    auto* boxes = new QVBoxLayout;
    for (QCheckBox* b : {m_continuous, m_borders, m_backToFront})
        boxes->addWidget(b);
    auto* top = new QGridLayout;
    top->addWidget(reportGroup, 0, 0);
    top->addWidget(rangeGroup, 0, 1);
    top->addLayout(boxes, 1, 0);
    top->addLayout(form, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addStretch();
}

void CReportPropertyPage::Read(PrintSettings& s) const
{
    s.reportKind = m_summary->isChecked()        ? PrintReport::Summary
                   : m_majorSystems->isChecked() ? PrintReport::MajorSystems
                                                 : PrintReport::Inspection;
    if (m_pages->isChecked()) {
        s.firstPage = m_from->value();
        s.lastPage = std::max(m_from->value(), m_to->value());
    } else {
        s.firstPage = s.lastPage = -1;
    }
    s.startingPageNumber = m_startingPage->value();
    s.copies = m_copies->value();
    s.reportName = m_reportName->text().toStdString();
    s.continuous = m_continuous->isChecked();
    s.borders = m_borders->isChecked();
    s.ratingFilter = m_rating->currentText().toStdString();
}

} // namespace reports::print::qt
