#include "DocumentFixture.h"

namespace app_test {

void DocumentTest::SetUp()
{
    DataFilesTest::SetUp();
    standard = t.RatingType("Standard");
    t.Choice(standard, "Satisfactory", true);
    t.Choice(standard, "Marginal");
    plain = t.RatingType("Plain");
    t.Choice(plain, "Noted");

    home = t.DocType("Home", "4 Column");
    t.DocTypeComment(home, "[*]First sentence.");
    t.DocTypeComment(home, "[REPAIR]Not an automatic comment.");
    t.DocTypeComment(home, "[*]Second sentence.");
    t.DocTypeComment(home, "[*no bracket");

    grounds = t.Category(home, "Grounds", 3);
    t.CategoryComment(grounds, "[*]Grounds were walked.");
    driveway = t.Step(grounds, "Driveway", "1", standard, "Look for cracks.", "Grounds");
    t.Material(driveway, "Asphalt", 2, true);
    concrete = t.Material(driveway, "Concrete", 1, true, true);
    t.MaterialComment(concrete, "Concrete has cracks.");
    walkways = t.Step(grounds, "Walkways", "2", plain);
    t.Material(walkways, "Pavers", 1, true);
    patio = t.Step(grounds, "Patio", "3", standard);

    bedroom = t.Category(home, "Bedroom", 10);
    t.Step(bedroom, "Walls", "1", standard, "ab", "3 Bedroom-Walls");
    t.Step(bedroom, "Ceiling", "2", standard, "Look up.", "");
    t.Step(bedroom, "Closet", "3", plain, "", "Closets");

    info = t.Category(home, "Conditions", 1, 1);
    t.Field(info, "Weather", 1, 1);
    t.Field(info, "Temperature", 0, 2);

    sheds = t.Category(home, "Outbuildings", 20, 0, true);
    t.Step(sheds, "Shed", "1", standard);

    condo = t.DocType("Condo");
    const int unit = t.Category(condo, "Unit", 50);
    t.Step(unit, "Entry", "1", standard);

    doc = std::make_unique<app::CInspectorDoc>();
    app::CInspectorDoc::Observer observer;
    observer.showView = [this](int view) { shownViews.push_back(view); };
    observer.inspectionListChanged = [this] { ++listChanges; };
    doc->SetObserver(observer);
}

void DocumentTest::TearDown()
{
    doc.reset();
    DataFilesTest::TearDown();
}

std::string DocumentTest::TableSizes()
{
    return Text("SELECT (SELECT COUNT(*) FROM Inspection) || '|' || (SELECT COUNT(*) FROM Category) || '|' || "
                "(SELECT COUNT(*) FROM Step) || '|' || (SELECT COUNT(*) FROM Field)");
}

std::string DocumentTest::InspectionState() const
{
    const store::Inspection& current = doc->CurrentInspection();
    return std::to_string(doc->GetInspectionCount()) + "|" + std::to_string(doc->CurrentInspectionRow()) + "|" +
           current.m_DocType + "|" + std::to_string(current.m_DocTypeID);
}

int DocumentTest::CategoryRow(const std::string& title)
{
    for (int i = 0; i < doc->GetCategoryCount(); ++i)
        if (doc->StandOnCategory(i)->m_CategoryTitle == title)
            return i;
    return -1;
}

int DocumentTest::AddHomeInspection(const std::string& docNum, bool seeded)
{
    doc->NewInspection();
    doc->CurrentInspection().m_InspectionNum = docNum;
    EXPECT_TRUE(doc->SaveInspection());
    EXPECT_TRUE(doc->ChangeDocType("Home"));
    if (seeded) {
        EXPECT_GT(doc->SeedAllCategories(), 0);
    }
    return doc->CurrentInspection().m_InspectionID;
}

} // namespace app_test
