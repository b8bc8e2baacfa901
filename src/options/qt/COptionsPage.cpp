#include "options/qt/COptionsPage.h"

#include "app/Settings.h"
#include "options/OptionsRules.h"
#include "spelling/InspectionSpelling.h"
#include "ui/Port.h"
#include "ui/qt/FileDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace options::qt {
namespace {

QString Number(double value)
{
    return QString::number(value, 'g', 6);
}

QComboBox* Combo(QWidget* parent, const QString& name, std::initializer_list<const char*> entries)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (const char* e : entries)
        combo->addItem(QString::fromLatin1(e));
    return combo;
}

} // namespace

COptionsPage::COptionsPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("General"));
    m_notPresentPage = new QCheckBox(QStringLiteral("Print not present page"), this);
    m_notPresentPage->setObjectName(QStringLiteral("printNotPresent"));
    m_alertIncomplete = new QCheckBox(QStringLiteral("Alert when a category is incomplete"), this);
    m_alertIncomplete->setObjectName(QStringLiteral("alertIncomplete"));
    m_delimiter = new QLineEdit(this);
    m_delimiter->setObjectName(QStringLiteral("materialsDelimiter"));

    auto* columns = new QGroupBox(QStringLiteral("Column Widths (inches)"), this);
    auto* columnGrid = new QGridLayout(columns);
    for (int i = 0; i < 5; ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("columnWidth%1").arg(i + 1));
        edit->setMaximumWidth(70);
        auto* label = new QLabel(QStringLiteral("Column %1").arg(i + 1), this);
        label->setBuddy(edit);
        columnGrid->addWidget(label, 0, i);
        columnGrid->addWidget(edit, 1, i);
        m_widths[static_cast<std::size_t>(i)] = edit;
    }
    columns->setToolTip(QStringLiteral("Zero or more inches each; together at most %1 inches, the width of the "
                                       "report's text.")
                            .arg(kTextWidthInches));

    m_fontSize = Combo(this, QStringLiteral("reportFontSize"), {kFontSizes[0], kFontSizes[1]});
    m_stepSpacing = Combo(this, QStringLiteral("stepSpacing"), {kStepSpacings[0], kStepSpacings[1]});
    m_stepPage = Combo(this, QStringLiteral("defaultStepPage"), {kStepPages[0], kStepPages[1], kStepPages[2], kStepPages[3]});
    m_stepPage->setMaxVisibleItems(12); // the drop-down list reaches well below the control
    m_fontName = Combo(this, QStringLiteral("reportFontName"), {kFontNames[0], kFontNames[1]});
    connect(m_stepPage, &QComboBox::activated, this, [this](int index) { m_storedStepPage = index; });
    m_spellingLanguage = new QComboBox(this);
    m_spellingLanguage->setObjectName(QStringLiteral("spellingLanguage"));
    for (const auto& choice : spelling::kLanguageChoices)
        m_spellingLanguage->addItem(QString::fromLatin1(choice.caption), QString::fromLatin1(choice.code));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Materials Delimiter:"), m_delimiter);
    form->addRow(QStringLiteral("Report Font &Size:"), m_fontSize);
    form->addRow(QStringLiteral("Report Step S&pacing:"), m_stepSpacing);
    form->addRow(QStringLiteral("Default Step &Page"), m_stepPage);
    form->addRow(QStringLiteral("Report &Font Name:"), m_fontName);
    form->addRow(QStringLiteral("Spelling &Language:"), m_spellingLanguage);

    auto* paths = new QGroupBox(QStringLiteral("Data Paths"), this);
    auto* pathGrid = new QGridLayout(paths);
    auto pathRow = [&](int row, const QString& caption, const QString& name, QLineEdit*& edit) {
        edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setMinimumWidth(320);
        auto* label = new QLabel(caption, this);
        label->setBuddy(edit);
        auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
        browse->setObjectName(name + QStringLiteral("Browse"));
        browse->setAutoDefault(false);
        connect(browse, &QPushButton::clicked, this, [this, edit] { Browse(edit); });
        pathGrid->addWidget(label, row, 0);
        pathGrid->addWidget(edit, row, 1);
        pathGrid->addWidget(browse, row, 2);
    };
    pathRow(0, QStringLiteral("&Inspection Data"), QStringLiteral("inspectionPath"), m_inspectionPath);
    pathRow(1, QStringLiteral("&Template Data"), QStringLiteral("templatePath"), m_templatePath);
    auto* pathNote = new QLabel(QStringLiteral("Changed data paths take effect the next time Inspector starts."), this);
    pathNote->setObjectName(QStringLiteral("pathNote"));
    pathGrid->addWidget(pathNote, 2, 1, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_notPresentPage);
    layout->addWidget(m_alertIncomplete);
    layout->addLayout(form);
    layout->addWidget(columns);
    layout->addWidget(paths);
    layout->addStretch();
}

void COptionsPage::Load(const store::Options& o, const app::DataPaths& paths)
{
    m_notPresentPage->setChecked(o.m_YesNo1 != 0);
    m_alertIncomplete->setChecked(o.m_YesNo2 != 0);
    m_delimiter->setText(QString::fromStdString(o.m_String7));
    const double widths[] = {o.m_ColumnWidth1, o.m_ColumnWidth2, o.m_ColumnWidth3, o.m_ColumnWidth4, o.m_ColumnWidth5};
    for (std::size_t i = 0; i < m_widths.size(); ++i)
        m_widths[i]->setText(Number(widths[i]));
    m_fontSize->setCurrentText(QString::number(o.m_ReportFontSize));
    m_stepSpacing->setCurrentText(QString::number(o.m_StepSpacing));
    // A font stored by an earlier version stays on offer, so OK does not change it.
    const QString font = QString::fromStdString(o.m_ReportFontName);
    if (!font.isEmpty() && m_fontName->findText(font) < 0)
        m_fontName->addItem(font);
    m_fontName->setCurrentIndex(font.isEmpty() ? 0 : m_fontName->findText(font));
    m_storedStepPage = o.m_DefStepTab;
    m_stepPageShown = false;
    m_inspectionPath->setText(QString::fromStdString(paths.inspectionPath));
    m_templatePath->setText(QString::fromStdString(paths.templatePath));
    const QString language =
        QString::fromStdString(app::Settings().Get(spelling::kSpellingLanguageKey).value_or(std::string()));
    m_spellingLanguage->setCurrentIndex(std::max(0, m_spellingLanguage->findData(language)));
    if (isVisible())
        ShowStepPage();
}

void COptionsPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_stepPageShown) {
        m_stepPageShown = true;
        // After the sheet is on screen, so that a message box has its owner.
        QTimer::singleShot(0, this, &COptionsPage::ShowStepPage);
    }
}

void COptionsPage::ShowStepPage()
{
    if (m_storedStepPage >= 0 && m_storedStepPage < m_stepPage->count()) {
        m_stepPage->setCurrentIndex(m_storedStepPage);
        return;
    }
    m_stepPage->setCurrentIndex(-1);
    ui::CurrentPort().inform(InvalidStepPageMessage(m_storedStepPage, m_stepPage->count()));
}

std::optional<std::string> COptionsPage::Store(store::Options& o) const
{
    std::array<double, 5> widths{};
    for (std::size_t i = 0; i < m_widths.size(); ++i) {
        const auto value = ParseNumber(m_widths[i]->text().toStdString());
        if (!value) {
            m_widths[i]->setFocus();
            m_widths[i]->selectAll();
            return "The width of Column " + std::to_string(i + 1) + " must be a number of inches, such as 1.25.";
        }
        widths[i] = *value;
    }
    if (auto problem = CheckColumnWidths(widths)) {
        m_widths[0]->setFocus();
        return problem;
    }
    if (m_stepPage->currentIndex() < 0) {
        m_stepPage->setFocus();
        return std::string("Please choose the Default Step Page.");
    }
    o.m_YesNo1 = m_notPresentPage->isChecked() ? 1 : 0;
    o.m_YesNo2 = m_alertIncomplete->isChecked() ? 1 : 0;
    o.m_String7 = m_delimiter->text().toStdString();
    o.m_ColumnWidth1 = widths[0];
    o.m_ColumnWidth2 = widths[1];
    o.m_ColumnWidth3 = widths[2];
    o.m_ColumnWidth4 = widths[3];
    o.m_ColumnWidth5 = widths[4];
    o.m_ReportFontSize = ParseInteger(m_fontSize->currentText().toStdString()).value_or(12);
    o.m_StepSpacing = ParseInteger(m_stepSpacing->currentText().toStdString()).value_or(2);
    o.m_DefStepTab = m_stepPage->currentIndex();
    o.m_ReportFontName = m_fontName->currentText().toStdString();
    return std::nullopt;
}

std::string COptionsPage::SpellingLanguage() const
{
    return m_spellingLanguage->currentData().toString().toStdString();
}

app::DataPaths COptionsPage::Paths() const
{
    return {m_templatePath->text().trimmed().toStdString(), m_inspectionPath->text().trimmed().toStdString()};
}

void COptionsPage::FocusPath(bool templatePath) const
{
    QLineEdit* edit = templatePath ? m_templatePath : m_inspectionPath;
    edit->setFocus();
    edit->selectAll();
}

void COptionsPage::Browse(QLineEdit* edit)
{
    const QFileInfo current(edit->text());
    const QString chosen = ui::qt::GetOpenFileName(
        this, edit == m_templatePath ? QStringLiteral("Template Data") : QStringLiteral("Inspection Data"),
        current.dir().exists() ? current.absolutePath() : QString(),
        QStringLiteral("Inspector Data Files (*.cdb);;Microsoft Access Files (*.mdb);;All Files (*)"));
    if (!chosen.isEmpty())
        edit->setText(chosen);
}

} // namespace options::qt
