#include "ReportSample.h"

#include "reports/rtf/CInspectionRTFFile.h"
#include "store/Category.h"
#include "store/Database.h"
#include "store/Step.h"
#include "store/TableRecord.h"

#include <algorithm>
#include <filesystem>

#include <sys/resource.h>

namespace bench {

BenchInspection::BenchInspection(const std::function<void(store::Options&)>& options)
{
    store::Database::Open(store::DatabaseKind::Template, folder.File("t.cdb"), true);
    store::Database::Open(store::DatabaseKind::Inspection, folder.File("i.cdb"), true);
    store::CreateFullStructure();
    store::Options row;
    row.m_YesNo0 = 1;
    if (options)
        options(row);
    row.Save();
}

BenchInspection::~BenchInspection()
{
    store::Database::CloseAll();
}

void BenchInspection::AddInspection(const BenchSteps& steps)
{
    const int total = steps.categories * steps.stepsPerCategory;
    const int every = steps.pictures.empty() ? 0 : std::max(1, total / static_cast<int>(steps.pictures.size()));
    store::Transaction transaction(store::DatabaseKind::Inspection);
    inspection = std::make_unique<store::Inspection>();
    inspection->New();
    inspection->m_InspectionNum = "bench";
    inspection->Save();
    int number = 0;
    for (int c = 0; c < steps.categories; ++c) {
        store::Category category;
        category.Open();
        category.New();
        category.m_CategoryTitle = "Category " + std::to_string(c);
        category.m_CategoryNumber = std::to_string(100 + c);
        category.m_InspectionID = inspection->m_InspectionID;
        category.Save();
        for (int s = 0; s < steps.stepsPerCategory; ++s, ++number) {
            store::Step step;
            step.Open();
            step.New();
            step.m_CategoryID = category.m_CategoryID;
            step.m_StepNumber = std::to_string(10 + s);
            step.m_StepTitle = "Step " + std::to_string(s);
            step.m_InspectResult = "Functional";
            step.m_Comments = steps.comments;
            step.m_Materials = steps.materials;
            if (every > 0 && number % every == 0 && number / every < static_cast<int>(steps.pictures.size()))
                step.m_BitmapPath = steps.pictures[static_cast<std::size_t>(number / every)];
            step.Save();
        }
    }
    transaction.Commit();
    inspection->OpenByID(inspection->m_InspectionID);
    inspection->Read(0);
}

std::uintmax_t WriteInspectionReport(store::Inspection& inspection, const std::string& out, bool pictures)
{
    reports::rtf::CInspectionRTFFile writer;
    writer.SetIncludePictures(pictures);
    writer.SetReportKind(reports::rtf::kInspectionReport);
    writer.SetFileChooser([&out](const std::string&, const std::string&) { return std::optional<std::string>(out); });
    writer.Setup(inspection, "4 Column");
    writer.Export();
    return std::filesystem::file_size(out);
}

double PeakRssMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

} // namespace bench
