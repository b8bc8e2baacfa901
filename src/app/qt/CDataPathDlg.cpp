#include "app/qt/CDataPathDlg.h"

#include "ui/qt/FileDialogs.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace app::qt {

const char* CDataPathDlg::BrowseFilter()
{
    // The data files of this program end in .cdb; files of the older Access
    // format are still offered by name.
    return "Inspector Data Files (*.cdb);;Microsoft Access Files (*.mdb);;All Files (*)";
}

CDataPathDlg::CDataPathDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Error finding structure"));

    auto* text = new QLabel(QStringLiteral("The database files for Veltrane were not found in the paths specified "
                                           "below.  Please enter the correct path or copy the database files to "
                                           "the paths below."),
                            this);
    text->setWordWrap(true);

    auto makeRow = [this](const QString& objectName, QLineEdit*& edit, QLabel*& state) {
        edit = new QLineEdit(this);
        edit->setObjectName(objectName);
        edit->setMinimumWidth(380);
        state = new QLabel(this);
        state->setObjectName(objectName + QStringLiteral("State"));
        QPalette pal = state->palette();
        pal.setColor(QPalette::WindowText, QColor(170, 0, 0));
        state->setPalette(pal);
        connect(edit, &QLineEdit::textChanged, this, &CDataPathDlg::UpdateState);
    };
    makeRow(QStringLiteral("inspectionPath"), m_inspection, m_inspectionState);
    makeRow(QStringLiteral("templatePath"), m_template, m_templateState);

    auto* inspectionLabel = new QLabel(QStringLiteral("&Inspection Data"), this);
    inspectionLabel->setBuddy(m_inspection);
    auto* templateLabel = new QLabel(QStringLiteral("&Template Data"), this);
    templateLabel->setBuddy(m_template);
    auto* browseInspection = new QPushButton(QStringLiteral("Browse..."), this);
    browseInspection->setObjectName(QStringLiteral("browseInspection"));
    auto* browseTemplate = new QPushButton(QStringLiteral("Browse..."), this);
    browseTemplate->setObjectName(QStringLiteral("browseTemplate"));
    connect(browseInspection, &QPushButton::clicked, this, [this] { Browse(m_inspection); });
    connect(browseTemplate, &QPushButton::clicked, this, [this] { Browse(m_template); });

    auto* grid = new QGridLayout;
    grid->addWidget(inspectionLabel, 0, 0);
    grid->addWidget(m_inspection, 0, 1);
    grid->addWidget(browseInspection, 0, 2);
    grid->addWidget(m_inspectionState, 1, 1);
    grid->addWidget(templateLabel, 2, 0);
    grid->addWidget(m_template, 2, 1);
    grid->addWidget(browseTemplate, 2, 2);
    grid->addWidget(m_templateState, 3, 1);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_create = buttons->addButton(QStringLiteral("Create Missing Files"), QDialogButtonBox::ActionRole);
    m_create->setObjectName(QStringLiteral("createFiles"));
    m_create->setToolTip(QStringLiteral("Creates each file that does not exist at its path: the template data "
                                        "with the starter library, the inspection data empty."));
    m_create->setVisible(false);
    connect(m_create, &QPushButton::clicked, this, &CDataPathDlg::OnCreate);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_createHint = new QLabel(QStringLiteral("New to Inspector? \"Create Missing Files\" makes the files at these "
                                             "paths: the template data with the starter library of document types, "
                                             "categories and comments, and empty inspection data."),
                              this);
    m_createHint->setObjectName(QStringLiteral("createHint"));
    m_createHint->setWordWrap(true);
    m_createHint->setVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addWidget(m_createHint);
    layout->addWidget(buttons);

    setTabOrder(m_inspection, browseInspection);
    setTabOrder(browseInspection, m_template);
    setTabOrder(m_template, browseTemplate);
    UpdateState();
}

void CDataPathDlg::SetPaths(const std::string& templatePath, const std::string& inspectionPath)
{
    m_template->setText(QString::fromStdString(templatePath));
    m_inspection->setText(QString::fromStdString(inspectionPath));
}

std::string CDataPathDlg::TemplatePath() const
{
    return m_template->text().toStdString();
}

std::string CDataPathDlg::InspectionPath() const
{
    return m_inspection->text().toStdString();
}

void CDataPathDlg::SetCreateFiles(CreateFiles create)
{
    m_createFiles = std::move(create);
    UpdateState();
}

QString CDataPathDlg::BrowseForDataFile(QWidget* parent, const QString& current)
{
    const QFileInfo info(current);
    const QString start = info.dir().exists() ? info.absolutePath() : QString();
    return ui::qt::GetOpenFileName(parent, QString(), start, QString::fromLatin1(BrowseFilter()));
}

void CDataPathDlg::Browse(QLineEdit* edit)
{
    const QString chosen = BrowseForDataFile(this, edit->text());
    if (!chosen.isEmpty())
        edit->setText(chosen);
}

void CDataPathDlg::UpdateState()
{
    bool anyMissing = false;
    for (auto [edit, state] : {std::pair{m_inspection, m_inspectionState}, std::pair{m_template, m_templateState}}) {
        const QFileInfo info(edit->text());
        const bool missing = edit->text().isEmpty() || !info.exists();
        anyMissing = anyMissing || missing;
        state->setText(missing ? QStringLiteral("No file at this path.") : QString());
    }
    const bool canCreate =
        m_createFiles && anyMissing && !m_template->text().isEmpty() && !m_inspection->text().isEmpty();
    m_create->setVisible(static_cast<bool>(m_createFiles));
    m_create->setEnabled(canCreate);
    m_createHint->setVisible(canCreate);
    // Enter does what helps: make the missing files, or go on when none is missing.
    m_create->setDefault(canCreate);
    m_ok->setDefault(!canCreate);
}

void CDataPathDlg::OnCreate()
{
    if (!m_createFiles)
        return;
    if (m_createFiles(TemplatePath(), InspectionPath()))
        accept();
    else
        UpdateState();
}

} // namespace app::qt
