#include "reports/print/PdfExport.h"

#include "store/Inspection.h"
#include "ui/Port.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>

namespace reports::print {

std::string SuggestedPdfName(const store::Inspection& inspection, PrintReport kind)
{
    std::string stem = inspection.m_InspectionNum;
    for (char& c : stem)
        if (c == '/' || c == '\\' || c == ':')
            c = '-';
    const char* prefix = kind == PrintReport::Summary        ? "Summary_"
                         : kind == PrintReport::MajorSystems ? "MajorSystems_"
                                                             : "Inspection_";
    return prefix + stem + ".pdf";
}

PrintResult ExportPdf(store::Inspection& inspection, const PrintSettings& settings, const std::string& path,
                      Paper paper)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        ui::CurrentPort().inform("Unable to create the file " + path + ".");
        return PrintResult::Failed;
    }
    auto print = MakePrint(inspection, settings);
    PrintResult result;
    {
        QPdfWriter writer(&file);
        // 600 dots per inch: fine enough that measured text matches printed text.
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(paper == Paper::A4 ? QPageSize::A4 : QPageSize::Letter),
                                         QPageLayout::Portrait, QMarginsF(0.25, 0.25, 0.25, 0.25),
                                         QPageLayout::Inch));
        writer.setTitle(QString::fromStdString(print->DocumentName() + " " + inspection.m_InspectionNum));
        writer.setCreator(QStringLiteral("Inspector"));
        result = print->Print(writer, settings.firstPage, settings.lastPage, settings.copies);
    }
    if (result != PrintResult::Printed) {
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        ui::CurrentPort().inform("The report could not be written to " + path + ".");
        return PrintResult::Failed;
    }
    return PrintResult::Printed;
}

} // namespace reports::print
