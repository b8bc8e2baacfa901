#pragma once
// The "Options" sheet: the settings of the installation on six pages. It
// loads its own copy of the options row and the owner row; OK checks every
// page, then stores the rows, the report logo and the data paths; Cancel
// stores nothing.
#include "app/DataConfiguration.h"
#include "store/Options.h"
#include "store/Owner.h"

#include <QDialog>

class QTabWidget;

namespace options::qt {

class COptionsPage;
class COwnerPage;
class CFooterPage;
class CReportTextPage;

class COptionsDlg : public QDialog {
    Q_OBJECT
public:
    explicit COptionsDlg(QWidget* parent = nullptr);
    ~COptionsDlg() override;

    QTabWidget* Tabs() const { return m_tabs; }
    COptionsPage* GeneralPage() const { return m_general; }
    COwnerPage* OwnerPage() const { return m_ownerPage; }
    CFooterPage* FooterPage() const { return m_footer; }
    // True after OK when the data paths were changed (they apply at the next start).
    bool PathsChanged() const { return m_pathsChanged; }

    void accept() override;

private:
    bool CheckPaths(const app::DataPaths& paths);
    void ShowPage(QWidget* page);

    store::Options m_options;
    store::Owner m_owner;
    app::DataPaths m_loadedPaths;
    QTabWidget* m_tabs;
    COptionsPage* m_general;
    COwnerPage* m_ownerPage;
    CFooterPage* m_footer;
    CReportTextPage* m_legal;
    CReportTextPage* m_definitions;
    CReportTextPage* m_disclaimer;
    bool m_pathsChanged = false;
};

} // namespace options::qt
