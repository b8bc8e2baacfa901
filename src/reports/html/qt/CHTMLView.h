#pragma once
// View 7, the HTML view: the HTML report of the current inspection inside the
// program, rebuilt each time the view is shown, so that edits made in the
// other views show at once. The contents and the report stand side by side;
// a click in the contents scrolls the report to the category.
// Also the Export menu's "Export HTML...": the report as a folder of its own.
#include "app/qt/CView.h"

class QSplitter;
class QString;
class QTextBrowser;
class QUrl;

namespace app {
class CInspectorDoc;
}
namespace app::qt {
class CMainFrame;
}

namespace reports::html::qt {

class CHTMLView : public app::qt::CView {
    Q_OBJECT
public:
    CHTMLView(app::qt::CMainFrame& frame, app::CInspectorDoc& doc, QWidget* parent = nullptr);

    void OnActivateView(bool activate) override;
    // Builds the pages of the current inspection and shows them.
    void ShowInspection();

    QTextBrowser* Contents() const { return m_contents; }
    QTextBrowser* Report() const { return m_report; }
    QSplitter* Splitter() const { return m_splitter; }

private:
    void OnContentsLink(const QUrl& url);

    app::CInspectorDoc& m_doc;
    QSplitter* m_splitter;
    QTextBrowser* m_contents;
    QTextBrowser* m_report;
};

// "Export HTML...": asks for the parent folder, then goes on as below.
void OnExportHtml(app::qt::CMainFrame& frame, app::CInspectorDoc& doc);
// Asks for the name of the report folder inside `parent` (proposing one made
// safe from the Doc #) and writes the export there.
void OnExportHtmlInto(app::qt::CMainFrame& frame, app::CInspectorDoc& doc, const QString& parent);

// Gives the frame its HTML view (view 7) and enables "Export HTML...".
void InstallHtmlView(app::qt::CMainFrame& frame, app::CInspectorDoc& doc);

} // namespace reports::html::qt
