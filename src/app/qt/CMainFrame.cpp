#include "app/qt/CMainFrame.h"

#include "app/qt/CAboutDlg.h"
#include "app/qt/CView.h"
#include "app/qt/LockKeys.h"
#include "app/qt/PaneFocus.h"
#include "app/qt/ProgramIcon.h"
#include "store/Database.h"
#include "ui/Port.h"
#include "ui/qt/QtPort.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>

namespace app::qt {
namespace {

// The View menu items and the view each one shows.
constexpr std::array<std::pair<int, int>, 5> kViewCommands{{
    {cmd::ViewInspectionList, kViewInspectionList},
    {cmd::ViewInspectionSetup, kViewInspectionSetup},
    {cmd::ViewCategoryList, kViewCategoryList},
    {cmd::ViewReviewComments, kViewReviewComments},
    {cmd::ViewHtml, kViewHtml},
}};

// The View item that carries the check mark for a view; 0 leaves the menu as it is.
int CheckedViewCommand(int view)
{
    switch (view) {
    case kViewInspectionSetup:
        return cmd::ViewInspectionSetup;
    case kViewCategoryList:
    case kViewStepList:
        return cmd::ViewCategoryList;
    case kViewInspectionList:
        return cmd::ViewInspectionList;
    case kViewReviewComments:
        return cmd::ViewReviewComments;
    case kViewHtml:
        return cmd::ViewHtml;
    default:
        return 0;
    }
}

} // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent)
{
    const bool readOnly = store::Database::IsReadOnly(store::DatabaseKind::Template) ||
                          store::Database::IsReadOnly(store::DatabaseKind::Inspection);
    setWindowTitle(readOnly ? QStringLiteral("Inspector (read-only)") : QStringLiteral("Inspector"));
    setWindowIcon(ProgramIcon());
    setObjectName(QStringLiteral("mainFrame"));
    m_stack = new QStackedWidget(this);
    m_stack->setObjectName(QStringLiteral("views"));
    setCentralWidget(m_stack);
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();

    EnableCommand(cmd::Exit, [this] { close(); });
    EnableCommand(cmd::About, [this] { OnAbout(); });
    for (int edit : {cmd::Undo, cmd::Cut, cmd::Copy, cmd::Paste})
        EnableCommand(edit, [this, edit] { RunEditCommand(edit); });
    EnableCommand(cmd::NextPane, [this] { MoveToNextArea(ActiveView(), true); });
    EnableCommand(cmd::PreviousPane, [this] { MoveToNextArea(ActiveView(), false); });
    resize(900, 640);
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::AddCommand(int command, const QString& text, QMenu* menu)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QStringLiteral("command%1").arg(command));
    action->setData(command);
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, [this, command] {
        auto it = m_handlers.find(command);
        if (it != m_handlers.end() && it->second)
            it->second();
    });
    m_actions[command] = action;
    if (menu)
        menu->addAction(action);
    return action;
}

void CMainFrame::CreateMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    // The menu's New creates without a question; Ctrl+N (below) asks first.
    AddCommand(cmd::NewInspection, QStringLiteral("&New\tCtrl+N"), file)->setStatusTip(QStringLiteral("New Inspection"));
    AddCommand(cmd::DeleteInspection, QStringLiteral("&Delete Inspection"), file)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    AddCommand(cmd::DeleteAllInspections, QStringLiteral("Delete All Inspections"), file);
    file->addSeparator();
    AddCommand(cmd::Print, QStringLiteral("&Print..."), file)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    AddCommand(cmd::ExportRtf, QStringLiteral("Export RTF..."), file);
    file->addSeparator();
    AddCommand(cmd::Options, QStringLiteral("Options..."), file);
    file->addSeparator();
    AddCommand(cmd::Exit, QStringLiteral("E&xit"), file);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    AddCommand(cmd::Undo, QStringLiteral("&Undo"), edit)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    edit->addSeparator();
    AddCommand(cmd::Cut, QStringLiteral("Cu&t"), edit)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    AddCommand(cmd::Copy, QStringLiteral("&Copy"), edit)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    AddCommand(cmd::Paste, QStringLiteral("&Paste"), edit)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("viewMenu"));
    const std::map<int, QString> viewTexts{
        {cmd::ViewInspectionList, QStringLiteral("Inspection List")},
        {cmd::ViewInspectionSetup, QStringLiteral("Inspection Setup")},
        {cmd::ViewCategoryList, QStringLiteral("Category List")},
        {cmd::ViewReviewComments, QStringLiteral("Review Comments")},
        {cmd::ViewHtml, QStringLiteral("Html View")},
    };
    for (auto [command, number] : kViewCommands) {
        QAction* action = AddCommand(command, viewTexts.at(command), view);
        action->setCheckable(true);
        // A checkable action would toggle its own mark; the mark follows the view instead.
        connect(action, &QAction::triggered, this, [this] { UpdateViewMenu(); });
    }

    QMenu* exchange = menuBar()->addMenu(QStringLiteral("Export"));
    AddCommand(cmd::ImportInspection, QStringLiteral("Import Inspection..."), exchange);
    AddCommand(cmd::ExportInspection, QStringLiteral("Export Inspection..."), exchange);
    exchange->addSeparator();
    AddCommand(cmd::ExportPdf, QStringLiteral("Export PDF..."), exchange);
    AddCommand(cmd::ExportHtml, QStringLiteral("Export HTML..."), exchange);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    AddCommand(cmd::About, QStringLiteral("&About Inspector..."), help);

    // Commands reached only by the toolbar or keys.
    AddCommand(cmd::ConfirmNewInspection, QStringLiteral("New"), nullptr)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    AddCommand(cmd::CommentEditor, QStringLiteral("Comment"), nullptr);
    AddCommand(cmd::ConnectToServer, QStringLiteral("Connect To Server"), nullptr);
    AddCommand(cmd::SpellCheck, QStringLiteral("Spell Check"), nullptr);
    AddCommand(cmd::MergeInspection, QStringLiteral("Merge Inspection..."), nullptr);
    // Ctrl+O and Ctrl+S have nothing to do: every change is already saved.
    for (auto [command, key] : {std::pair{cmd::Open, QKeySequence(Qt::CTRL | Qt::Key_O)},
                                std::pair{cmd::Save, QKeySequence(Qt::CTRL | Qt::Key_S)}}) {
        QAction* action = AddCommand(command, QString(), nullptr);
        action->setShortcut(key);
        action->setEnabled(true);
        addAction(action);
    }
    addAction(m_actions.at(cmd::ConfirmNewInspection));
    // F6 and Shift+F6: the next and the previous area of the view shown.
    for (auto [command, key] : {std::pair{cmd::NextPane, QKeySequence(Qt::Key_F6)},
                                std::pair{cmd::PreviousPane, QKeySequence(Qt::SHIFT | Qt::Key_F6)}}) {
        QAction* action = AddCommand(command, QString(), nullptr);
        action->setShortcut(key);
        addAction(action);
    }
}

void CMainFrame::CreateToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Standard"));
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setMovable(true);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    QStyle* s = style();
    auto add = [this](int command, const QIcon& icon, const QString& tip) {
        QAction* action = m_actions.at(command);
        action->setIcon(icon);
        action->setToolTip(tip);
        action->setStatusTip(tip);
        m_toolBar->addAction(action);
    };
    add(cmd::ConfirmNewInspection, s->standardIcon(QStyle::SP_FileIcon), QStringLiteral("New Inspection"));
    add(cmd::DeleteInspection, s->standardIcon(QStyle::SP_TrashIcon), QStringLiteral("Delete Inspection"));
    add(cmd::Print, QIcon::fromTheme(QStringLiteral("document-print"), PrinterIcon()),
        QStringLiteral("Print"));
    m_toolBar->addSeparator();
    add(cmd::CommentEditor, s->standardIcon(QStyle::SP_FileDialogDetailedView), QStringLiteral("Comment"));
    add(cmd::ConnectToServer, s->standardIcon(QStyle::SP_DriveNetIcon), QStringLiteral("Connect To Server"));
    add(cmd::SpellCheck, s->standardIcon(QStyle::SP_DialogApplyButton), QStringLiteral("Spell Check"));
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    // The lock-key panes show their text while the key is on.
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(bar);
        pane->setObjectName(QStringLiteral("indicator") + QString::fromLatin1(indicator));
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        pane->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        bar->addPermanentWidget(pane);
        m_indicators.push_back({pane, QString::fromLatin1(indicator)});
    }
    bar->showMessage(QStringLiteral("Ready"));
    // After a menu or button tip the message pane says "Ready" again.
    connect(bar, &QStatusBar::messageChanged, bar, [bar](const QString& message) {
        if (message.isEmpty())
            bar->showMessage(QStringLiteral("Ready"));
    });
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &CMainFrame::UpdateIndicators);
    timer->start(300);
    UpdateIndicators();
}

void CMainFrame::UpdateIndicators()
{
    const auto state = ReadLockKeys();
    const bool on[] = {state && state->capsLock, state && state->numLock, state && state->scrollLock};
    for (size_t i = 0; i < m_indicators.size() && i < 3; ++i)
        m_indicators[i].first->setText(on[i] ? m_indicators[i].second : QString());
}

void CMainFrame::EnableCommand(int command, Handler handler)
{
    m_handlers[command] = std::move(handler);
    if (QAction* action = Action(command))
        action->setEnabled(static_cast<bool>(m_handlers[command]));
}

void CMainFrame::DisableCommand(int command)
{
    m_handlers.erase(command);
    if (QAction* action = Action(command))
        action->setEnabled(false);
}

QAction* CMainFrame::Action(int command) const
{
    auto it = m_actions.find(command);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::SetViewFactory(int number, ViewFactory factory)
{
    if (number < 1 || number > kViewCount)
        return;
    m_factories[number] = std::move(factory);
    for (auto [command, view] : kViewCommands)
        if (view == number)
            EnableCommand(command, [this, number] { ShowView(number); });
}

void CMainFrame::SetViewGuard(int number, ViewGuard guard)
{
    if (number >= 1 && number <= kViewCount)
        m_guards[number] = std::move(guard);
}

void CMainFrame::Start()
{
    if (m_started)
        return;
    m_started = true;
    m_viewNumber = 0;
    ShowView(kViewInspectionSetup);
}

bool CMainFrame::ShowView(int number)
{
    if (number < 1 || number > kViewCount)
        return false;
    if (number == m_viewNumber && m_views[number]) {
        UpdateViewMenu();
        return true;
    }
    if (m_guards[number] && !m_guards[number]())
        return false;
    if (!m_views[number]) {
        if (!m_factories[number])
            return false;
        CView* view = m_factories[number](*this);
        if (!view)
            return false;
        m_views[number] = view;
        m_stack->addWidget(view);
    }
    CView* old = ActiveView();
    if (old)
        old->OnActivateView(false);
    m_viewNumber = number;
    CView* view = m_views[number];
    m_stack->setCurrentWidget(view);
    view->OnActivateView(true);
    // The view gets the keyboard back where its user left it.
    if (QWidget* focus = view->focusWidget())
        focus->setFocus();
    else
        view->setFocus();
    UpdateViewMenu();
    return true;
}

void CMainFrame::UpdateViewMenu()
{
    const int checked = CheckedViewCommand(m_viewNumber);
    if (checked == 0)
        return;
    for (auto [command, view] : kViewCommands)
        m_actions.at(command)->setChecked(command == checked);
}

CView* CMainFrame::View(int number) const
{
    return number >= 1 && number <= kViewCount ? m_views[number] : nullptr;
}

CView* CMainFrame::ActiveView() const
{
    return View(m_viewNumber);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // Leaving the view shown writes what it holds.
    if (CView* view = ActiveView())
        view->OnActivateView(false);
    QMainWindow::closeEvent(event);
}

void CMainFrame::RunEditCommand(int command)
{
    QWidget* focus = QApplication::focusWidget();
    QLineEdit* line = qobject_cast<QLineEdit*>(focus);
    if (!line) {
        if (auto* combo = qobject_cast<QComboBox*>(focus))
            line = combo->lineEdit();
        else if (auto* spin = qobject_cast<QAbstractSpinBox*>(focus))
            line = spin->findChild<QLineEdit*>();
    }
    if (line) {
        switch (command) {
        case cmd::Undo: line->undo(); break;
        case cmd::Cut: line->cut(); break;
        case cmd::Copy: line->copy(); break;
        case cmd::Paste: line->paste(); break;
        }
        return;
    }
    if (auto* text = qobject_cast<QTextEdit*>(focus)) {
        switch (command) {
        case cmd::Undo: text->undo(); break;
        case cmd::Cut: text->cut(); break;
        case cmd::Copy: text->copy(); break;
        case cmd::Paste: text->paste(); break;
        }
        return;
    }
    if (auto* plain = qobject_cast<QPlainTextEdit*>(focus)) {
        switch (command) {
        case cmd::Undo: plain->undo(); break;
        case cmd::Cut: plain->cut(); break;
        case cmd::Copy: plain->copy(); break;
        case cmd::Paste: plain->paste(); break;
        }
    }
}

void CMainFrame::OnAbout()
{
    CAboutDlg dialog(this);
    dialog.exec();
}

} // namespace app::qt
