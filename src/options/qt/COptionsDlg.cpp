#include "options/qt/COptionsDlg.h"

#include "app/Settings.h"
#include "options/DataPathChange.h"
#include "options/OptionsRules.h"
#include "options/qt/CFooterPage.h"
#include "options/qt/COptionsPage.h"
#include "options/qt/COwnerPage.h"
#include "options/qt/CReportTextPage.h"
#include "spelling/InspectionSpelling.h"
#include "ui/Port.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace options::qt {

// (1) m_options and m_owner are this sheet's own copies; the process's rows
//     change only in accept(), after every page has been checked.
// (2) m_loadedPaths are the data paths in use when the sheet opened.

COptionsDlg::COptionsDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Options"));
    LoadOwner(m_owner);
    m_loadedPaths = CurrentDataPaths(app::Settings());

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("pages"));
    m_tabs->setUsesScrollButtons(false); // all six page names in view
    m_general = new COptionsPage(this);
    m_ownerPage = new COwnerPage(this);
    m_footer = new CFooterPage(this);
    m_legal = new CLegalPage(this);
    m_definitions = new CDefOfTermsPage(this);
    m_disclaimer = new CSummaryDisclaimerPage(this);
    for (QWidget* page : std::initializer_list<QWidget*>{m_general, m_ownerPage, m_footer, m_legal, m_definitions,
                                                         m_disclaimer})
        m_tabs->addTab(page, page->objectName());

    m_general->Load(m_options, m_loadedPaths);
    m_ownerPage->Load(m_owner);
    m_footer->Load(m_options);
    for (CReportTextPage* page : {m_legal, m_definitions, m_disclaimer})
        page->Load(m_options);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COptionsDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    m_tabs->setCurrentIndex(0);
}

COptionsDlg::~COptionsDlg() = default;

void COptionsDlg::ShowPage(QWidget* page)
{
    m_tabs->setCurrentWidget(page);
}

bool COptionsDlg::CheckPaths(const app::DataPaths& paths)
{
    struct Item {
        store::DatabaseKind kind;
        const std::string& path;
        const std::string& loaded;
    };
    for (const Item& item : {Item{store::DatabaseKind::Inspection, paths.inspectionPath, m_loadedPaths.inspectionPath},
                             Item{store::DatabaseKind::Template, paths.templatePath, m_loadedPaths.templatePath}}) {
        if (item.path == item.loaded)
            continue;
        const bool templatePath = item.kind == store::DatabaseKind::Template;
        const PathCheck check = CheckDataPath(item.kind, item.path);
        if (check.state == PathState::InUse || check.state == PathState::Ready)
            continue;
        ShowPage(m_general);
        m_general->FocusPath(templatePath);
        if (check.state == PathState::Refused) {
            ui::CurrentPort().inform(check.message);
            return false;
        }
        if (!ui::CurrentPort().confirm(check.message, "Caution") || !CreateDataFile(item.kind, item.path))
            return false;
    }
    if (paths.templatePath == paths.inspectionPath) {
        ShowPage(m_general);
        ui::CurrentPort().inform("The template data and the inspection data need two different files.");
        return false;
    }
    return true;
}

void COptionsDlg::accept()
{
    ui::Port& port = ui::CurrentPort();
    if (auto problem = m_general->Store(m_options)) {
        ShowPage(m_general);
        port.inform(*problem);
        return;
    }
    m_footer->Store(m_options);
    for (CReportTextPage* page : {m_legal, m_definitions, m_disclaimer})
        page->Store(m_options);
    m_ownerPage->Store(m_owner);
    if (auto problem = CheckOwner(m_owner)) {
        ShowPage(m_ownerPage);
        m_ownerPage->FocusName();
        port.inform(*problem);
        return;
    }
    if (auto problem = CheckAll(m_options, m_owner)) {
        ShowPage(m_general);
        port.inform(*problem);
        return;
    }
    const app::DataPaths paths = m_general->Paths();
    if (!CheckPaths(paths))
        return;

    if (auto problem = SaveRows(m_options, &m_owner)) {
        port.inform(*problem);
        return;
    }
    if (auto problem = m_footer->ApplyLogo())
        port.inform(*problem);

    app::Settings settings;
    m_pathsChanged = paths.templatePath != m_loadedPaths.templatePath ||
                     paths.inspectionPath != m_loadedPaths.inspectionPath;
    const bool written = settings.Get(app::kTemplatePathKey) == paths.templatePath &&
                         settings.Get(app::kInspectionPathKey) == paths.inspectionPath;
    const std::string language = m_general->SpellingLanguage();
    if (settings.Get(spelling::kSpellingLanguageKey).value_or(std::string()) != language) {
        settings.Set(spelling::kSpellingLanguageKey, language);
        if (written && !settings.Save())
            port.inform("Error saving the spelling language in the settings file");
    }
    if (!written && !SaveDataPaths(settings, paths))
        port.inform(kSavePathsError);
    else if (m_pathsChanged)
        port.inform("The new data paths take effect the next time Inspector starts.");
    QDialog::accept();
}

} // namespace options::qt
