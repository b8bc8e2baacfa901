#pragma once
// An inspection of document type "Home" made from a small catalogue: two
// rating scales that share the name "Marginal", a step category "Grounds",
// a form category "Conditions" and stock comments for the inspection and the
// category, with groups and bracket codes.
#include "support/TemplateBuilder.h"
#include "support/TempDataFiles.h"

#include "app/CInspectorDoc.h"

#include <memory>
#include <string>

namespace review_test {

inline constexpr int kTemplateData = 0;
inline constexpr int kInspectionData = 1;

class ReviewFixture : public testing_support::DataFilesTest {
protected:
    void SetUp() override
    {
        DataFilesTest::SetUp();
        const int standard = t.RatingType("Standard");
        t.Choice(standard, "Satisfactory", true);
        t.Choice(standard, "Marginal");
        t.Choice(standard, "Defective");
        const int roof = t.RatingType("Roof");
        t.Choice(roof, "Good");
        t.Choice(roof, "Marginal");
        // Summary choices: Marginal and Defective of "Standard" only.
        testing_support::Exec(kTemplateData, "UPDATE RatingChoices SET SummaryFlag = 1 WHERE RatingTypeID = " +
                                                 std::to_string(standard) + " AND ChoiceName <> 'Satisfactory'");
        home = t.DocType("Home");
        grounds = t.Category(home, "Grounds", 1);
        for (const char* name : {"Driveway", "Patio", "Walks"})
            t.Step(grounds, name, std::to_string(++m_steps), standard);
        t.Step(grounds, "Flashing", std::to_string(++m_steps), roof);
        conditions = t.Category(home, "Conditions", 2, 1);
        t.DocTypeComment(home, "Vacant home.");
        t.DocTypeComment(home, "Occupied; ^(furnished,empty)^ rooms.");
        const int loose = t.CategoryComment(grounds, "Loose trim.");
        t.CategoryComment(grounds, "[A1]Cracked drive.");
        t.CategoryComment(grounds, "Needs paint.");
        testing_support::Exec(kTemplateData,
                              "UPDATE Comments SET GroupName = 'Trim' WHERE ID = " + std::to_string(loose));

        doc = std::make_unique<app::CInspectorDoc>();
        doc->CurrentInspection().m_InspectionNum = "R-1";
        doc->CurrentInspection().m_DwellingAddress = "4 Oak Ave";
        ASSERT_TRUE(doc->SaveInspection());
        ASSERT_TRUE(doc->ChangeDocType("Home"));
        // The steps are made as opening "Grounds" would; the form is left to the form tests.
        ASSERT_EQ(doc->CreateStepsFromTemplates(grounds, CategoryID("Grounds")), 4);
    }

    void TearDown() override
    {
        doc.reset();
        DataFilesTest::TearDown();
    }

    // Sets a step's rating and comment by title (an empty text stays NULL).
    void Rate(const std::string& title, const std::string& rating, const std::string& comment)
    {
        auto value = [](const std::string& v) { return v.empty() ? std::string("NULL") : "'" + v + "'"; };
        testing_support::Exec(kInspectionData, "UPDATE Step SET InspectResult = " + value(rating) +
                                                   ", Comments = " + value(comment) + " WHERE StepTitle = '" + title +
                                                   "'");
    }
    int CategoryID(const std::string& title)
    {
        return static_cast<int>(testing_support::QueryInt(
            kInspectionData, "SELECT CategoryID FROM Category WHERE CategoryTitle = '" + title + "'"));
    }
    std::string CategoryText(const std::string& column, const std::string& title)
    {
        return testing_support::QueryText(kInspectionData, "SELECT " + column +
                                                               " FROM Category WHERE CategoryTitle = '" + title + "'");
    }

    app_test::TemplateBuilder t;
    int home = 0, grounds = 0, conditions = 0;
    std::unique_ptr<app::CInspectorDoc> doc;

private:
    int m_steps = 0;
};

} // namespace review_test
