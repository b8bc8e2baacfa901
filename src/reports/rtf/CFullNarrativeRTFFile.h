#pragma once
// The prose report of the document type "Affiliate Buyers Inspection": one
// block of text per category, with the pictures its comments name in place.
#include "reports/rtf/CInspectionRTFFile.h"

namespace reports::rtf {

class CFullNarrativeRTFFile : public CInspectionRTFFile {
public:
    CFullNarrativeRTFFile();
    ~CFullNarrativeRTFFile() override;

    void WriteNarrativeBlock(const std::string& name, const std::string& text) override;

    // The first centred line of the page header.
    static constexpr const char* kAffiliateTitle = "AFFILIATE BUYERS INSPECTION REPORT";

protected:
    void WriteHeaderCompanyBlock() override;
    bool WritesNarrativeSections() const override { return false; }
    // This writer knows one layout: whatever layout the document type names,
    // the report is the full narrative rather than an empty document.
    bool WritesFullNarrative() const override { return true; }
};

} // namespace reports::rtf
