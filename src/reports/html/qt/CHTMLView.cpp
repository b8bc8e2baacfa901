#include "reports/html/qt/CHTMLView.h"

#include "app/CInspectorDoc.h"
#include "app/qt/CMainFrame.h"
#include "reports/html/HtmlExport.h"
#include "reports/html/HtmlText.h"
#include "store/Inspection.h"
#include "ui/Port.h"
#include "ui/qt/FileDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTextBrowser>
#include <QUrl>

namespace reports::html::qt {
namespace {

// The pages of the folder in a pane; the folder is the base of its pictures.
void ShowPage(QTextBrowser* pane, const QString& folder, const QString& page)
{
    QFile file(QDir(folder).filePath(page));
    QString html;
    if (file.open(QIODevice::ReadOnly))
        html = QString::fromUtf8(file.readAll());
    // A new text with new resources: a picture changed since the last build
    // must not come from the pane's cache.
    pane->document()->clear();
    pane->document()->setBaseUrl(QUrl::fromLocalFile(folder + QLatin1Char('/')));
    pane->setHtml(html);
}

} // namespace

CHTMLView::CHTMLView(app::qt::CMainFrame& frame, app::CInspectorDoc& doc, QWidget* parent)
    : CView(frame, parent), m_doc(doc)
{
    setObjectName(QStringLiteral("HtmlView"));
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_contents = new QTextBrowser(m_splitter);
    m_contents->setObjectName(QStringLiteral("HtmlContents"));
    m_contents->setOpenLinks(false);
    m_report = new QTextBrowser(m_splitter);
    m_report->setObjectName(QStringLiteral("HtmlReport"));
    m_report->setOpenLinks(false);
    m_splitter->addWidget(m_contents);
    m_splitter->addWidget(m_report);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    // The contents pane is 150 pixels wide, as in the exported frameset.
    m_splitter->setSizes({150, 850});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);
    connect(m_contents, &QTextBrowser::anchorClicked, this, &CHTMLView::OnContentsLink);
}

void CHTMLView::OnActivateView(bool activate)
{
    if (activate)
        ShowInspection();
}

void CHTMLView::ShowInspection()
{
    const store::Inspection& inspection = m_doc.CurrentInspection();
    if (m_doc.CurrentInspectionRow() < 0) {
        m_contents->clear();
        m_report->setHtml(QStringLiteral("<p>No inspection is selected.</p>"));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const HtmlOutcome outcome = BuildHtmlView(inspection);
    QApplication::restoreOverrideCursor();
    if (outcome.result != HtmlResult::Written)
        return;
    const QString folder = QString::fromStdString(outcome.folder);
    ShowPage(m_contents, folder, QStringLiteral("toc.htm"));
    ShowPage(m_report, folder, QStringLiteral("inspection.htm"));
}

void CHTMLView::OnContentsLink(const QUrl& url)
{
    if (url.hasFragment())
        m_report->scrollToAnchor(url.fragment(QUrl::FullyDecoded));
}

void OnExportHtml(app::qt::CMainFrame& frame, app::CInspectorDoc& doc)
{
    if (doc.CurrentInspectionRow() < 0)
        return;
    const QString parent = ui::qt::GetExistingDirectory(
        &frame, QStringLiteral("Export HTML - choose the folder to put the report folder in"),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (!parent.isEmpty())
        OnExportHtmlInto(frame, doc, parent);
}

void OnExportHtmlInto(app::qt::CMainFrame& frame, app::CInspectorDoc& doc, const QString& parent)
{
    const store::Inspection& inspection = doc.CurrentInspection();
    const std::string proposed =
        ProposedFolderName(inspection.m_InspectionNum, inspection.m_ClientName, inspection.m_DwellingAddress);
    const auto name = ui::CurrentPort().askText("Export HTML", "Name of the report folder:", proposed);
    if (!name || name->find_first_not_of(" \t") == std::string::npos)
        return;
    // A name typed with "/" or other signs still makes one folder inside the parent.
    const QString target = QDir(parent).filePath(QString::fromStdString(SafeFileName(*name)));
    const HtmlOutcome outcome = ExportHtml(inspection, target.toStdString());
    if (outcome.result == HtmlResult::Written)
        frame.statusBar()->showMessage(
            QStringLiteral("HTML report written: %1").arg(QString::fromStdString(outcome.folder)), 10000);
}

void InstallHtmlView(app::qt::CMainFrame& frame, app::CInspectorDoc& doc)
{
    frame.SetViewFactory(app::qt::kViewHtml, [&doc](app::qt::CMainFrame& f) { return new CHTMLView(f, doc); });
    frame.EnableCommand(app::qt::cmd::ExportHtml, [&frame, &doc] { OnExportHtml(frame, doc); });
}

} // namespace reports::html::qt
