#pragma once
// The Major Systems report: the notable steps of the whole inspection, grouped
// by the building system each belongs to.
#include "reports/rtf/CInspectionRTFFile.h"

namespace reports::rtf {

class CMajorSystemsRTFFile : public CInspectionRTFFile {
public:
    CMajorSystemsRTFFile();
    ~CMajorSystemsRTFFile() override;

    void SetReportKind(int kind) override;
    void Export() override;

protected:
    std::string SummaryTitle() const override;
    // The Major Systems report shows the whole comment.
    std::string SummaryComments(const std::string& comments) const override;
};

} // namespace reports::rtf
