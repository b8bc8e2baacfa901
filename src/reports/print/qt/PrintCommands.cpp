#include "reports/print/qt/PrintCommands.h"

#include "app/CInspectorDoc.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/Commands.h"
#include "reports/print/CInspectionPrint.h"
#include "reports/print/PdfExport.h"
#include "reports/print/qt/CPrintPropertyDlg.h"
#include "reports/rtf/RtfExport.h"
#include "store/Category.h"
#include "store/Inspection.h"
#include "ui/qt/FileDialogs.h"

#include <optional>

#include <QDir>
#include <QMessageBox>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>

namespace reports::print::qt {
namespace {

// The printer's pages as the engine measures them: a quarter inch all round.
void SetUpPrinter(QPrinter& printer)
{
    printer.setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
    printer.setFullPage(false);
    printer.setCopyCount(1); // the engine prints the copies itself, collated
}

void Preview(QWidget* parent, store::Inspection& inspection, const PrintSettings& settings)
{
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("Print Preview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* target) {
        auto print = MakePrint(inspection, settings);
        print->Print(*target, -1, -1, 1);
    });
    preview.exec();
}

// The sheet; nothing when the user did not choose OK.
std::optional<PrintSettings> AskSettings(app::qt::CMainFrame& frame, store::Inspection& inspection,
                                         bool offerPreview)
{
    PrintSettings defaults;
    CPrintPropertyDlg sheet(defaults, CategoryTitles(inspection), reports::rtf::RatingFilterChoices(), &frame);
    if (offerPreview) {
        sheet.PreviewButton()->show();
        QObject::connect(sheet.PreviewButton(), &QPushButton::clicked, &sheet,
                         [&] { Preview(&sheet, inspection, sheet.Settings()); });
    }
    if (sheet.exec() != QDialog::Accepted)
        return std::nullopt;
    return sheet.Settings();
}

} // namespace

std::vector<std::string> CategoryTitles(const store::Inspection& inspection)
{
    std::vector<std::string> titles;
    store::Category categories;
    categories.OpenByInspection(inspection.m_InspectionID);
    for (int i = 0; i < categories.GetCount(); ++i) {
        categories.Read(i);
        titles.push_back(categories.m_CategoryTitle);
    }
    return titles;
}

void OnPrint(app::qt::CMainFrame& frame, app::CInspectorDoc& doc)
{
    store::Inspection& inspection = doc.CurrentInspection();
    const auto settings = AskSettings(frame, inspection, true);
    if (!settings)
        return;
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer);
    QPrintDialog dialog(&printer, &frame);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return; // a plain Cancel shows nothing
    auto print = MakePrint(inspection, *settings);
    printer.setDocName(QString::fromStdString(print->DocumentName()));
    if (!printer.isValid()) {
        QMessageBox::warning(&frame, QString::fromLatin1(kPrinterErrorCaption), QString::fromLatin1(kPrinterError));
        return;
    }
    const PrintResult result =
        print->Print(printer, settings->firstPage, settings->lastPage, settings->copies, [&printer] { printer.abort(); });
    if (result == PrintResult::Failed)
        QMessageBox::warning(&frame, QString::fromLatin1(kPrinterErrorCaption), QString::fromLatin1(kPrinterError));
    else if (result == PrintResult::Printed)
        frame.statusBar()->showMessage(QStringLiteral("The report was sent to the printer."), 10000);
}

void OnExportPdf(app::qt::CMainFrame& frame, app::CInspectorDoc& doc)
{
    store::Inspection& inspection = doc.CurrentInspection();
    const auto settings = AskSettings(frame, inspection, false);
    if (!settings)
        return;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString suggested =
        QDir(folder).filePath(QString::fromStdString(SuggestedPdfName(inspection, settings->reportKind)));
    const QString path =
        ui::qt::GetSaveFileName(&frame, QStringLiteral("Export PDF"), suggested, QStringLiteral("PDF Files (*.pdf)"));
    if (path.isEmpty())
        return;
    if (ExportPdf(inspection, *settings, path.toStdString()) == PrintResult::Printed)
        frame.statusBar()->showMessage(QStringLiteral("Report written: %1").arg(path), 10000);
}

void InstallPrinting(app::qt::CMainFrame& frame, app::CInspectorDoc& doc)
{
    frame.EnableCommand(app::qt::cmd::Print, [&frame, &doc] { OnPrint(frame, doc); });
    frame.EnableCommand(app::qt::cmd::ExportPdf, [&frame, &doc] { OnExportPdf(frame, doc); });
}

} // namespace reports::print::qt
