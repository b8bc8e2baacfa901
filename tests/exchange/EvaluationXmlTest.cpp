// The XML evaluation of Minneapolis truth-in-sale-of-housing inspections.
#include "ExchangeTestData.h"

#include "exchange/EvaluationCodes.h"
#include "exchange/InspectionTransfer.h"
#include "store/CategoryTemplate.h"
#include "store/StarterLibrary.h"
#include "store/StepTemplate.h"
#include "support/TempDataFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace exchange_test;
using exchange::ConditionType;
using exchange::EvaluationCodes;

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const char* kMinneapolis = "Minneapolis - Truth in Sale of Housing";

StepData Item(const std::string& number, const std::string& title, const std::string& system,
              const std::string& result = {}, const std::string& comments = {}, const std::string& materials = {})
{
    StepData s;
    s.number = number;
    s.title = title;
    s.majorSystem = system;
    s.result = result;
    s.comments = comments;
    s.materials = materials;
    return s;
}

class EvaluationXmlTest : public testing_support::DataFilesTest {
protected:
    // Writes the evaluation and has xmllint check that it is well-formed.
    std::string Write(int inspectionID)
    {
        const std::string path = folder.File("evaluation.xml");
        const auto outcome = exchange::ExportInspection(inspectionID, path);
        EXPECT_TRUE(outcome.written && outcome.xml) << port.AllText();
        const std::string check = "xmllint --noout '" + path + "' 2>&1";
        EXPECT_EQ(std::system(check.c_str()), 0) << "xmllint rejects " << path << ":\n" << Contents(path);
        return Contents(path);
    }
};

TEST(EvaluationCodesTest, AreasComeFromTheTitleKeysInOrder)
{
    auto area = [](const std::string& title) {
        const auto a = EvaluationCodes::AreaOf(title);
        return a.type + "|" + a.label;
    };
    EXPECT_EQ(area("Bedroom 2"), "Bedroom| 2");
    EXPECT_EQ(area("Dining Room"), "DiningRoom|Dining Room");
    EXPECT_EQ(area("Dining Room/Living Room"), "DiningRoom|");
    EXPECT_EQ(area("Hallways/Stairwells"), "Hallway|");
    EXPECT_EQ(area("Water Heater"), "WaterHt|");
    EXPECT_EQ(area("Open/Unheated Porch"), "OpenPorch|");
    EXPECT_EQ(area("Porch/Sunroom/Other"), "Sunroom|");
    EXPECT_EQ(area("Attic Space"), "Attic|");
    EXPECT_EQ(area("Basement Bathroom"), "Basement| Bathroom"); // later keys search the area type, not the title
    EXPECT_EQ(area("Roof"), "Roof|");
    EXPECT_EQ(area("Condo"), "Condo|");
}

TEST(EvaluationCodesTest, CodesAreTheBasePlusTheOffsetExceptForTheProgrammesOwn)
{
    EXPECT_EQ(EvaluationCodes::Code("Basement", "BsmtStair", ConditionType::NA), 16330);
    EXPECT_EQ(EvaluationCodes::Code("Basement", "BsmtStair", ConditionType::MNo), 12283);
    EXPECT_EQ(EvaluationCodes::Code("Basement", "BsmtStair", ConditionType::LIC), 12283 + 3946);
    EXPECT_EQ(EvaluationCodes::Code("Laundry", "LaundGasPipe", ConditionType::NA), 16380);
    EXPECT_EQ(EvaluationCodes::Code("Laundry", "LaundGasPipe", ConditionType::SC), 12339 + 3845);
    EXPECT_EQ(EvaluationCodes::Code("OpenPorch", "OpenPorchElect", ConditionType::C), 1587);
    EXPECT_EQ(EvaluationCodes::Code("Exterior", "ExDrainage", ConditionType::RRE), 15942);
    EXPECT_EQ(EvaluationCodes::Code("Exterior", "ExDrainage", ConditionType::RRP), 12301 + 3744);
    EXPECT_EQ(EvaluationCodes::Code("Bathroom", "BathElecFix", ConditionType::SC), 16116);
    EXPECT_EQ(EvaluationCodes::Code("Misc Items", "MiscOther", ConditionType::B), 12343 + 3441); // area by substring
    EXPECT_EQ(EvaluationCodes::Code("Basement", "KitchWall", ConditionType::MNo), std::nullopt);  // another area's item
    EXPECT_EQ(EvaluationCodes::Code("Roof", "ExRoofCovering", ConditionType::MNo), std::nullopt);
    EXPECT_EQ(EvaluationCodes::Code("Kitchen", "kitchwall", ConditionType::MNo), std::nullopt); // exact item
}

TEST_F(EvaluationXmlTest, DocumentFollowsTheAreasItemsAndConditionsOfTheInspectionAndEscapesEveryValue)
{
    const int id = AddInspection("E-1", kMinneapolis);
    AddCategory(id, {"Bedroom 2", "10", "", "Stained ceiling;Cracked plaster;", 0, 0, 0, 0,
                     {Item("1", "Walls", "BedWalls", "M", "Patch & paint <north> wall")}});
    AddCategory(id, {"Dining Room", "11", "", "ignored", 0, -1, 0, 0, {Item("1", "Walls", "DRWalls", "M")}});
    AddCategory(id, {"Electric", "12", "", "", 0, 0, 0, 0,
                     {Item("1", "Service Voltage (Volts)", "ServiceInstal", "", "", "120/240;"),
                      Item("2", "Service Size (Amps)", "ServiceInstal", "100"),
                      Item("3", "Kitchen Circuits", "KitchenCirc", "RRE", "Add a circuit (SC)"),
                      Item("4", "Laundry Circuit", "LaundryCirc", "RRE", "Add a circuit")}});
    AddCategory(id, {"Basement", "13", "", "", 0, 0, 0, 0,
                     {Item("1", "Stairs", "BsmtStair", "NA"), Item("2", "Stairs again", "BsmtStair", "M", "ok"),
                      Item("3", "Sump", "Other", "M"), Item("4", "Floor", "BsmtFloor", "Satisfactory"),
                      Item("5", "Walls", "FoundWalls")}});
    AddCategory(id, {"Condo", "14", "", "", 0, 0, 0, 0, {Item("1", "Common areas", "MiscOther", "M")}});
    AddCategory(id, {"Roof", "15", "", "", 0, 0, 0, 0, {Item("1", "Covering", "ExRoofCovering", "C", "Worn")}});
    // Data values that need escaping, and bytes that are no UTF-8.
    const std::string nasty = "He said \"<b>&nbsp;</b>\" & 'left';\r\nline two\ttab \x01 bell \xFF\xFE é € 中";
    AddCategory(id, {"Attic \"<&>\" Space", "16", "", nasty, 0, 0, 0, 0,
                     {Item("1", "Insulation (Type)", "AtticDamp", "", "", "Blown <cellulose>;Batts & rolls;"),
                      Item("2", "Insulation (Depth)", "AtticDamp", "", nasty),
                      Item("3", "Roof boards", "AtticRoof\"><x", "M", nasty)}});
    AddCategory(id, {"Dining Room " + nasty, "17", "", "", 0, 0, 0, 0,
                     {Item("1", "Walls", "DRWalls", "B", "]]> <!-- -->")}});

    const std::string x = Write(id);
    EXPECT_EQ(x.rfind("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<tish_evaluation xmlns=\"urn:evaluation-schema\">"
                      "\r\n<evaluation_units>\r\n<evaluation_unit name=\"\">\r\n<evaluation_areas>\r\n",
                      0),
              0u);
    EXPECT_NE(x.find("<evaluation_area area_type=\"Bedroom\" area_label=\" 2\" not_applicable=\"false\">\r\n"
                     "<area_comments>\r\n<area_comment comment_type=\"Stained ceiling\" />\r\n"
                     "<area_comment comment_type=\"Cracked plaster\" />\r\n</area_comments>\r\n<area_items>\r\n"
                     "<area_item item_id=\"BedWalls\">\r\n<conditions>\r\n<condition condition_type=\"12274\">"
                     "Patch &amp; paint &lt;north&gt; wall</condition>\r\n</conditions>\r\n</area_item>\r\n"
                     "</area_items>\r\n</evaluation_area>\r\n"),
              std::string::npos)
        << x;
    // Not applicable: two lines and nothing else.
    EXPECT_THAT(
        x,
        HasSubstr("<evaluation_area area_type=\"DiningRoom\" area_label=\"Dining Room\" not_applicable=\"true\">"
                  "\r\n</evaluation_area>\r\n<evaluation_area area_type=\"Electric\""));
    // Volts first and no Amps step before it: one analytic, from the first step,
    // and the Amps step that follows becomes an item.
    EXPECT_THAT(x,
                HasSubstr("<area_analytics>\r\n<area_analytic analytic_name=\"Volts\">120/240</area_analytic>\r\n"
                          "</area_analytics>\r\n<area_items>\r\n<area_item item_id=\"ServiceInstal\">"));
    EXPECT_THAT(x, Not(HasSubstr("analytic_name=\"Amps\"")));
    // RRE whose comment names another condition: an empty conditions element.
    EXPECT_THAT(x, HasSubstr("<area_item item_id=\"KitchenCirc\">\r\n<conditions>\r\n</conditions>\r\n</area_item>"));
    EXPECT_THAT(x,
                HasSubstr("<area_item item_id=\"LaundryCirc\">\r\n<conditions>\r\n<condition condition_type=\"15984\">"
                          "Add a circuit</condition>"));
    EXPECT_THAT(x, HasSubstr("<condition condition_type=\"16330\"></condition>"));
    EXPECT_THAT(x, HasSubstr("<condition condition_type=\"12283\">ok</condition>"));
    // A rating that names no condition type, and no rating at all.
    EXPECT_THAT(x, HasSubstr("<area_item item_id=\"BsmtFloor\">\r\n<conditions>\r\n</conditions>\r\n</area_item>"));
    EXPECT_THAT(x, HasSubstr("<area_item item_id=\"FoundWalls\">\r\n</area_item>"));
    // "Other" is no item: the step is left out with the message, not written under another item.
    EXPECT_TRUE(port.Saw("Item_ID missing on the Step Sump")) << port.AllText();
    EXPECT_THAT(
        x,
        Not(HasSubstr("<area_item item_id=\"BsmtStair\">\r\n<conditions>\r\n<condition condition_type=\"12283\">"
                      "</condition>")));
    EXPECT_THAT(x, Not(HasSubstr("Condo")));
    EXPECT_THAT(x, Not(HasSubstr("Common areas")));
    // An area the table lacks: the item stays, its condition is left out with a message.
    EXPECT_THAT(
        x,
        HasSubstr("<evaluation_area area_type=\"Roof\" area_label=\"\" not_applicable=\"false\">\r\n<area_items>"
                  "\r\n<area_item item_id=\"ExRoofCovering\">\r\n<conditions>\r\n</conditions>"));
    EXPECT_TRUE(port.Saw("No condition code is known for the item ExRoofCovering in the area Roof"));
    EXPECT_THAT(
        x, HasSubstr("</evaluation_areas>\r\n</evaluation_unit>\r\n</evaluation_units>\r\n</tish_evaluation>\r\n"));

    // Every data value is escaped, and the document stays well-formed UTF-8.
    EXPECT_NE(x.find("<area_analytic analytic_name=\"InsulationType\">Blown &lt;cellulose&gt;, Batts &amp; "
                     "rolls</area_analytic>"),
              std::string::npos)
        << x;
    EXPECT_NE(x.find("<area_analytic analytic_name=\"InsulationDepth\">He said &quot;&lt;b&gt;&amp;nbsp;&lt;/b&gt;"
                     "&quot; &amp; &apos;left&apos;;&#13;&#10;line two&#9;tab \xEF\xBF\xBD bell \xEF\xBF\xBD"
                     "\xEF\xBF\xBD é € 中</area_analytic>"),
              std::string::npos)
        << x;
    EXPECT_NE(x.find("area_type=\"Attic\" area_label=\"Attic &quot;&lt;&amp;&gt;&quot; Space\""), std::string::npos) << x;
    EXPECT_NE(x.find("<area_item item_id=\"AtticRoof&quot;&gt;&lt;x\">"), std::string::npos) << x;
    EXPECT_NE(x.find("<condition condition_type=\"15732\">]]&gt; &lt;!-- --&gt;</condition>"), std::string::npos) << x;
}

TEST_F(EvaluationXmlTest, StarterMinneapolisInspectionGetsACodeForEveryItem)
{
    ASSERT_TRUE(store::LoadStarterLibrary()) << port.AllText();
    const int id = AddInspection("E-3", kMinneapolis);
    store::CategoryTemplate categories;
    ASSERT_TRUE(categories.OpenByDocType(kMinneapolis));
    ASSERT_GT(categories.GetCount(), 10);
    int rated = 0;
    for (int c = 0; c < categories.GetCount(); ++c) {
        categories.Read(c);
        CategoryData category{categories.m_CategoryName, std::to_string(categories.m_CategoryNumber), "", "", 0, 0,
                              categories.m_ID, 0, {}};
        store::StepTemplate steps;
        steps.OpenByCategoryTemplate(categories.m_ID);
        for (int s = 0; s < steps.GetCount(); ++s) {
            steps.Read(s);
            bool measured = false;
            for (const char* marker : {"(Amps)", "(Volts)", "(Fuel)", "(Type)", "(Depth)"})
                measured = measured || steps.m_StepName.find(marker) != std::string::npos;
            const std::string result = measured ? "" : s % 2 ? "NA" : "M";
            // The Condo area is left out of the evaluation.
            rated += measured || EvaluationCodes::AreaOf(categories.m_CategoryName).type == "Condo" ? 0 : 1;
            category.steps.push_back(Item(steps.m_StepNumber, steps.m_StepName, steps.m_Keyword, result, "",
                                          measured ? "Measured;" : ""));
        }
        AddCategory(id, category);
    }
    const std::string x = Write(id);
    EXPECT_FALSE(port.Saw("Item_ID missing")) << port.AllText();
    EXPECT_FALSE(port.Saw("No condition code")) << port.AllText();
    std::size_t conditions = 0;
    for (auto p = x.find("<condition "); p != std::string::npos; p = x.find("<condition ", p + 1))
        ++conditions;
    EXPECT_EQ(conditions, static_cast<std::size_t>(rated));
    for (const char* analytic : {"Amps", "Volts", "HeatingFuel", "HeatingType", "InsulationType", "InsulationDepth"})
        EXPECT_THAT(x, HasSubstr("analytic_name=\"" + std::string(analytic) + "\">Measured</area_analytic>"))
            << analytic;
}

// A document type other than Minneapolis writes the XML evaluation when it is asked for.
TEST_F(EvaluationXmlTest, OtherDocumentTypesWriteTheXmlWhenAsked)
{
    const int id = AddInspection("H-1", "Home Inspection");
    AddCategory(id, {"Kitchen", "1", "", "", 0, 0, 0, 0, {Item("1", "Walls", "KitchWall", "M")}});
    const std::string xml = folder.File("home.xml");
    EXPECT_TRUE(exchange::ExportInspection(id, xml, exchange::ExportFormat::EvaluationXml).xml);
    EXPECT_THAT(Contents(xml), HasSubstr("<condition condition_type=\"12335\"></condition>"));
    EXPECT_FALSE(exchange::ExportInspection(id + 1000, xml).written);
    EXPECT_TRUE(port.Saw("does not exist"));
}

} // namespace
