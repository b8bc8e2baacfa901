#include "reports/rtf/CMajorSystemsRTFFile.h"

#include "editing/PictureTags.h"
#include "store/Inspection.h"
#include "store/Step.h"

namespace reports::rtf {

CMajorSystemsRTFFile::CMajorSystemsRTFFile()
{
    m_reportKind = kMajorSystemsReport;
}

CMajorSystemsRTFFile::~CMajorSystemsRTFFile() = default;

void CMajorSystemsRTFFile::SetReportKind(int)
{
    // Always the Major Systems report, whatever kind the caller passes.
    m_reportKind = kMajorSystemsReport;
}

std::string CMajorSystemsRTFFile::SummaryTitle() const
{
    return "MAJOR SYSTEMS REPORT";
}

std::string CMajorSystemsRTFFile::SummaryComments(const std::string& comments) const
{
    return editing::StripAllTags(comments);
}

void CMajorSystemsRTFFile::Export()
{
    if (!BeginExport())
        return;

    // Every step of the inspection, also of categories left out of the
    // inspection report, by system and number.
    store::Step steps;
    steps.OpenByInspectionMajorSystem(m_inspection->m_InspectionID);
    const int count = steps.GetCount();
    StartProgress(count);
    bool cancelled = false;
    bool groupStarted = false;
    bool headed = false;
    std::string previous;
    for (int i = 0; i < count; ++i) {
        if (Cancelled()) {
            cancelled = true;
            break;
        }
        steps.Read(i);
        if (!groupStarted || steps.m_MajorSystem != previous) {
            groupStarted = true;
            previous = steps.m_MajorSystem;
            headed = false;
        }
        const bool qualifies = steps.m_InspectResult != "Omit" &&
                               m_marks.IsSummary(steps.m_InspectResult, steps.m_StepRatingType);
        if (qualifies) {
            if (!headed)
                WriteSectionHeader(steps.m_MajorSystem, {});
            headed = true;
            WriteStepRow(m_marks.IsBold(steps.m_InspectResult, steps.m_StepRatingType),
                         m_marks.IsRed(steps.m_InspectResult, steps.m_StepRatingType), steps.m_StepNumber,
                         steps.m_StepTitle, steps.m_Materials, steps.m_InspectResult, steps.m_Comments);
        }
        AdvanceProgress();
    }
    if (!cancelled) {
        // A report with nothing to list still says so.
        if (m_firstSectionPending)
            WriteSummaryPrologue(kNoSummaryItems);
        WriteDocumentEnd();
    }
    FinishOutput(cancelled);
}

} // namespace reports::rtf
