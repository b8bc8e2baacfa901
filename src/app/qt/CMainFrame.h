#pragma once
// The main window: menus, toolbar, status bar and the seven views, of which
// exactly one is shown. Views are made on first use and kept; the View menu's
// check mark follows the view shown.
#include "app/qt/Commands.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <map>
#include <utility>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QStackedWidget;
class QToolBar;

namespace app::qt {

class CView;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    using ViewFactory = std::function<CView*(CMainFrame&)>;
    using Handler = std::function<void()>;
    // A check run before a view is shown; false keeps the view shown now.
    using ViewGuard = std::function<bool()>;

    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Features wire their commands here: the command becomes enabled and runs
    // `handler`. A command without a handler stays visible and disabled.
    void EnableCommand(int command, Handler handler);
    void DisableCommand(int command);
    QAction* Action(int command) const;

    // Makes view `number` available; its View command (if it has one) is enabled.
    void SetViewFactory(int number, ViewFactory factory);
    void SetViewGuard(int number, ViewGuard guard);

    // Shows the first view (Inspection Setup). Called once the views are wired.
    void Start();

    // Shows view `number`; false when a guard refused or no such view exists.
    bool ShowView(int number);
    void OnViewInspectionSetup() { ShowView(kViewInspectionSetup); }
    void OnViewCategoryList() { ShowView(kViewCategoryList); }
    void OnViewStepList() { ShowView(kViewStepList); }
    void OnViewInspectionList() { ShowView(kViewInspectionList); }
    void OnViewReviewComments() { ShowView(kViewReviewComments); }
    void OnViewCategoryForm() { ShowView(kViewCategoryForm); }
    void OnViewHtml() { ShowView(kViewHtml); }
    void UpdateViewMenu();

    int ViewNumber() const { return m_viewNumber; }
    // The view of slot `number`, or nullptr while it has not been shown yet.
    CView* View(int number) const;
    CView* ActiveView() const;
    QToolBar* ToolBar() const { return m_toolBar; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* AddCommand(int command, const QString& text, QMenu* menu);
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void RunEditCommand(int command);
    void OnAbout();
    void UpdateIndicators();

    QStackedWidget* m_stack;
    QToolBar* m_toolBar = nullptr;
    std::vector<std::pair<QLabel*, QString>> m_indicators;
    std::map<int, QAction*> m_actions;
    std::map<int, Handler> m_handlers;
    std::array<CView*, kViewCount + 1> m_views{};
    std::array<ViewFactory, kViewCount + 1> m_factories{};
    std::array<ViewGuard, kViewCount + 1> m_guards{};
    int m_viewNumber = kViewInspectionSetup;
    bool m_started = false;
};

} // namespace app::qt
