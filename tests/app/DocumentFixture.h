#pragma once
// Two fresh data files with a small template catalogue and a document on them.
#include "support/TemplateBuilder.h"

#include "app/CInspectorDoc.h"
#include "support/TempDataFiles.h"

#include <memory>
#include <string>
#include <vector>

namespace app_test {

inline constexpr int kTemplateData = 0;
inline constexpr int kInspectionData = 1;

class DocumentTest : public testing_support::DataFilesTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Rows of the inspection database matching `where` (a whole SQL statement).
    static long long Count(const std::string& sql) { return testing_support::QueryInt(kInspectionData, sql); }
    static std::string Text(const std::string& sql) { return testing_support::QueryText(kInspectionData, sql); }
    static std::string Rows(const std::string& sql) { return testing_support::QueryRows(kInspectionData, sql); }
    // Rows of the inspection file's tables, as "Inspection|Category|Step|Field".
    static std::string TableSizes();
    // The document's inspection count and current row, and the current inspection's
    // document type and its identifier, as "count|row|type|typeID".
    std::string InspectionState() const;

    // The row of category `title` in the document's category selection, -1 when none.
    int CategoryRow(const std::string& title);
    // Adds an inspection with Doc # `docNum` and the document type "Home", and
    // stands the document on it; `seeded` gives every category its steps or fields.
    int AddHomeInspection(const std::string& docNum, bool seeded = false);

    TemplateBuilder t;
    int standard = 0, plain = 0;                       // rating types
    int home = 0, condo = 0;                           // document types
    int grounds = 0, bedroom = 0, info = 0, sheds = 0; // category templates of "Home"
    int driveway = 0, walkways = 0, patio = 0;         // step templates of "Grounds"
    int concrete = 0;                                  // the default material of "Driveway"
    std::unique_ptr<app::CInspectorDoc> doc;
    std::vector<int> shownViews;
    int listChanges = 0;
};

} // namespace app_test
