// The starter library loaded into a fresh template database: every link points
// at a row, every name a row refers to exists, and the catalogue's own
// statements find what an inspector needs on the first day.
#include "editing/Placeholder.h"
#include "store/CategoryTemplate.h"
#include "store/Comments.h"
#include "store/InspectionType.h"
#include "store/MaterialTemplate.h"
#include "store/Options.h"
#include "store/Pickers.h"
#include "store/RatingChoices.h"
#include "store/StarterLibrary.h"
#include "store/StepTemplate.h"
#include "store/UniqueID.h"
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace store;
using namespace testing_support;

namespace {

constexpr int kTemplate = static_cast<int>(DatabaseKind::Template);

long long Count(const std::string& sql)
{
    return QueryInt(kTemplate, sql);
}

class StarterLibraryTest : public DataFilesTest {
protected:
    void SetUp() override
    {
        DataFilesTest::SetUp();
        ASSERT_TRUE(LoadStarterLibrary()) << port.AllText();
        ASSERT_TRUE(port.messages.empty()) << port.AllText();
    }
};

TEST_F(StarterLibraryTest, EveryLinkPointsAtAnExistingRowAndIdentifiersStayBelowTheCounters)
{
    const std::vector<std::pair<const char*, const char*>> links = {
        {"InspectionTypeCategory", "InspectionTypeID NOT IN (SELECT ID FROM InspectionType)"},
        {"InspectionTypeCategory", "CategoryID NOT IN (SELECT ID FROM CategoryTemplate)"},
        {"CategoryStep", "CategoryID NOT IN (SELECT ID FROM CategoryTemplate)"},
        {"CategoryStep", "StepID NOT IN (SELECT ID FROM StepTemplate)"},
        {"StepTemplate", "RatingTypeID NOT IN (SELECT ID FROM RatingType)"},
        {"RatingChoices", "RatingTypeID NOT IN (SELECT ID FROM RatingType)"},
        {"MaterialTemplate", "StepID NOT IN (SELECT ID FROM StepTemplate)"},
        {"FieldTemplate", "CategoryID NOT IN (SELECT ID FROM CategoryTemplate WHERE FormType = 1)"},
        {"StepComment", "StepID NOT IN (SELECT ID FROM StepTemplate)"},
        {"StepComment", "CommentID NOT IN (SELECT ID FROM Comments)"},
        {"CategoryComment", "CategoryID NOT IN (SELECT ID FROM CategoryTemplate)"},
        {"CategoryComment", "CommentID NOT IN (SELECT ID FROM Comments)"},
        {"InspectionTypeComment", "InspectionTypeID NOT IN (SELECT ID FROM InspectionType)"},
        {"InspectionTypeComment", "CommentID NOT IN (SELECT ID FROM Comments)"},
        {"MaterialComment", "MaterialID NOT IN (SELECT ID FROM MaterialTemplate)"},
        {"MaterialComment", "CommentID NOT IN (SELECT ID FROM Comments)"},
        {"VoidComments", "MaterialID NOT IN (SELECT ID FROM MaterialTemplate)"},
        {"VoidComments", "CommentID NOT IN (SELECT ID FROM Comments)"},
        // Every template is reachable from something.
        {"StepTemplate", "ID NOT IN (SELECT StepID FROM CategoryStep)"},
        {"CategoryTemplate", "ID NOT IN (SELECT CategoryID FROM InspectionTypeCategory)"},
        {"Comments", "ID NOT IN (SELECT CommentID FROM StepComment UNION SELECT CommentID FROM CategoryComment "
                     "UNION SELECT CommentID FROM InspectionTypeComment UNION SELECT CommentID FROM MaterialComment)"},
        // A material is marked as adding a comment exactly when it has one.
        {"MaterialTemplate", "(CommentsExist = 1) <> (ID IN (SELECT MaterialID FROM MaterialComment))"},
        // A comment is hidden only by a material of a step it is offered for, or of the same category.
        {"VoidComments",
         "NOT EXISTS (SELECT 1 FROM MaterialTemplate m JOIN CategoryStep ms ON ms.StepID = m.StepID "
         "JOIN StepComment sc ON sc.CommentID = VoidComments.CommentID "
         "JOIN CategoryStep cs ON cs.StepID = sc.StepID "
         "WHERE m.ID = VoidComments.MaterialID AND cs.CategoryID = ms.CategoryID)"},
        // A material adds one comment at most.
        {"MaterialTemplate", "(SELECT COUNT(*) FROM MaterialComment WHERE MaterialID = MaterialTemplate.ID) > 1"},
        // Categories sort by their number as text: every number has three digits.
        {"CategoryTemplate", "length(CategoryNumber) <> 3"},
        // A form has fields, any other category steps.
        {"CategoryTemplate", "(FormType = 1 AND ID NOT IN (SELECT CategoryID FROM FieldTemplate)) OR "
                             "(FormType <> 1 AND ID NOT IN (SELECT CategoryID FROM CategoryStep))"},
        {"FieldTemplate", "Type = 1 AND Label NOT IN (SELECT PickerName FROM Pickers)"},
        {"StepTemplate", "ifnull(Keyword, '') = ''"},
        // Fields and materials are numbered 1, 2, 3... in their category or step.
        {"FieldTemplate", "Sequence <> (SELECT COUNT(*) FROM FieldTemplate f WHERE f.CategoryID = "
                          "FieldTemplate.CategoryID AND f.Sequence <= FieldTemplate.Sequence)"},
        {"MaterialTemplate", "MaterialOrder <> (SELECT COUNT(*) FROM MaterialTemplate m WHERE m.StepID = "
                             "MaterialTemplate.StepID AND m.MaterialOrder <= MaterialTemplate.MaterialOrder)"},
        // Step numbers of a category sort as text, one step to a number.
        {"CategoryStep", "EXISTS (SELECT 1 FROM CategoryStep o JOIN StepTemplate a ON a.ID = o.StepID "
                         "JOIN StepTemplate b ON b.ID = CategoryStep.StepID WHERE o.CategoryID = "
                         "CategoryStep.CategoryID AND o.StepID <> CategoryStep.StepID AND "
                         "a.StepNumber = b.StepNumber)"},
    };
    for (const auto& [table, broken] : links)
        EXPECT_EQ(Count(std::string("SELECT COUNT(*) FROM ") + table + " WHERE " + broken), 0)
            << table << ": " << broken;

    // A comment's rating is a choice of the scale of every step that offers it.
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Comments c JOIN StepComment sc ON sc.CommentID = c.ID "
                    "JOIN StepTemplate s ON s.ID = sc.StepID WHERE c.Rating IS NOT NULL AND NOT EXISTS "
                    "(SELECT 1 FROM RatingChoices r WHERE r.RatingTypeID = s.RatingTypeID AND r.ChoiceName = c.Rating)"),
              0);

    // Identifiers are unique and stay below the counters of rows the program adds.
    long long highest = 0;
    for (const char* table : {"InspectionType", "CategoryTemplate", "StepTemplate", "Comments", "MaterialTemplate",
                              "FieldTemplate", "RatingType", "RatingChoices", "Pickers", "ExpandedText"}) {
        const long long max = Count(std::string("SELECT MAX(ID) FROM ") + table);
        const long long distinct = Count(std::string("SELECT COUNT(DISTINCT ID) FROM ") + table);
        EXPECT_EQ(distinct, Count(std::string("SELECT COUNT(*) FROM ") + table)) << table;
        EXPECT_GT(max, 0) << table;
        highest = std::max(highest, max);
    }
    EXPECT_LT(highest, 25000);

    // Rows the program adds later draw from the counters, above every library row.
    UniqueID counter(DatabaseKind::Template);
    EXPECT_EQ(counter.GetNextID("Comments"), 25000);
    Comments added;
    added.New();
    EXPECT_GT(added.m_ID, Count("SELECT MAX(ID) FROM Comments"));
    Pickers entry;
    entry.New();
    EXPECT_GT(entry.m_ID, Count("SELECT MAX(ID) FROM Pickers"));
}

TEST_F(StarterLibraryTest, DocumentTypesCoverEveryLayoutAndWriter)
{
    InspectionType types;
    ASSERT_TRUE(types.Open());
    ASSERT_GT(types.GetCount(), 0);
    types.Read(0);
    // The default column widths are worked out from the first document type.
    EXPECT_EQ(types.m_ReportLayout, "4 Column");

    std::set<std::string> layouts;
    std::map<std::string, std::string> layoutOf;
    for (int i = 0; i < types.GetCount(); ++i) {
        types.Read(i);
        layouts.insert(types.m_ReportLayout);
        layoutOf[types.m_InspectionType] = types.m_ReportLayout;

        EXPECT_GT(Count("SELECT COUNT(*) FROM InspectionTypeCategory WHERE InspectionTypeID = " +
                        std::to_string(types.m_ID)),
                  0)
            << types.m_InspectionType;

        // A new inspection of this type starts its general comment with standard text.
        const long long automatic =
            Count("SELECT COUNT(*) FROM Comments c JOIN InspectionTypeComment l ON l.CommentID = c.ID "
                  "WHERE c.Comments LIKE '[*]%' AND l.InspectionTypeID = " +
                  std::to_string(types.m_ID));
        EXPECT_GE(automatic, 1) << types.m_InspectionType;
    }
    for (const char* layout : {"4 Column", "3 Column", "2 Column", "Narrative", "Full Narrative", "2 Column French",
                               "RatingType", "Minneapolis - Truth", "Texas"})
        EXPECT_TRUE(layouts.count(layout)) << layout;

    // The names the export dispatch looks for.
    const std::string named = "(SELECT COUNT(*) FROM InspectionType WHERE instr(InspectionType, ";
    EXPECT_EQ(QueryText(kTemplate, "SELECT " + named + "'Texas')) || '|' || " + named + "'Relocation')) || '|' || " +
                                       named + "'Minneapolis - Truth') AND ReportLayout = 'Minneapolis - Truth')"),
              "1|1|1");
    EXPECT_EQ(layoutOf["RatingType"], "RatingType");
    // The affiliate type's layout names it, so that Print picks the affiliate print.
    EXPECT_EQ(layoutOf["Affiliate Buyers Inspection"], "Affiliate Buyers Inspection");
    EXPECT_EQ(layoutOf["Full Narrative Home Inspection"], "Full Narrative");
}

// The statements the program seeds inspections with find exactly what the
// library links: the categories of every document type, the steps of every
// category, and the comments of every document type, category, step and material.
TEST_F(StarterLibraryTest, CatalogueStatementsFindWhatTheLibraryLinks)
{
    auto opened = [](auto&& record, bool ran) { return ran ? record.GetCount() : -1; };
    const struct {
        const char* statement;
        const char *column, *table; // the identifiers to try
        const char* links;          // the link rows of an identifier
        std::function<int(int)> found;
    } cases[] = {
        {"CategoryTemplate::OpenByDocType", "ID", "InspectionType", "InspectionTypeCategory WHERE InspectionTypeID",
         [&](int type) {
             CategoryTemplate c;
             return opened(c, c.OpenByDocType(QueryText(
                                  kTemplate, "SELECT InspectionType FROM InspectionType WHERE ID = " +
                                                 std::to_string(type))));
         }},
        {"Comments of a document type", "ID", "InspectionType", "InspectionTypeComment WHERE InspectionTypeID",
         [&](int id) { Comments c; return opened(c, c.OpenLinked(Comments::DocTypeLink, id)); }},
        {"StepTemplate::OpenByCategoryTemplate", "ID", "CategoryTemplate", "CategoryStep WHERE CategoryID",
         [&](int id) { StepTemplate s; return opened(s, s.OpenByCategoryTemplate(id)); }},
        {"Comments of a category", "CategoryID", "CategoryComment", "CategoryComment WHERE CategoryID",
         [&](int id) { Comments c; return opened(c, c.OpenLinked(Comments::CategoryLink, id)); }},
        {"Comments::OpenByStepGrouped", "StepID", "StepComment", "StepComment WHERE StepID",
         [&](int id) { Comments c; return opened(c, c.OpenByStepGrouped(id)); }},
        {"Comments of a material", "MaterialID", "MaterialComment", "MaterialComment WHERE MaterialID",
         [&](int id) { Comments c; return opened(c, c.OpenLinked(Comments::MaterialLink, id)); }},
        {"MaterialTemplate::OpenDefaultsByStep", "StepID", "MaterialTemplate",
         "MaterialTemplate WHERE DefaultMaterial <> 0 AND StepID",
         [&](int id) { MaterialTemplate m; return opened(m, m.OpenDefaultsByStep(id)); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.statement);
        std::stringstream ids(QueryText(kTemplate, std::string("SELECT group_concat(DISTINCT ") + c.column + ") FROM " + c.table));
        // One difference per statement is enough to say which one is broken.
        for (std::string id; std::getline(ids, id, ',');) {
            const long long links = Count(std::string("SELECT COUNT(*) FROM ") + c.links + " = " + id);
            const int found = c.found(std::stoi(id));
            if (found != links) {
                ADD_FAILURE() << id << ": " << found << " rows for " << links << " links\n" << port.AllText();
                break;
            }
        }
    }
}

TEST_F(StarterLibraryTest, EnoughStepsCommentsAndPickListsForTheFirstDay)
{
    EXPECT_GE(Count("SELECT COUNT(*) FROM CategoryTemplate WHERE FormType = 1"), 1);
    EXPECT_GE(Count("SELECT COUNT(*) FROM CategoryTemplate WHERE ExcludeFromApplyDefault <> 0"), 2);
    const std::string linked = "SELECT COUNT(*) FROM CategoryStep cs JOIN StepTemplate s ON s.ID = cs.StepID";
    const long long steps = Count(linked);
    EXPECT_GE(steps, 150);
    EXPECT_GE(Count(linked + " WHERE length(s.StepInfo) > 2"), 50);
    EXPECT_GT(Count(linked + " WHERE s.ID IN (SELECT StepID FROM MaterialTemplate)") * 2, steps);
    EXPECT_GE(Count(linked + " JOIN MaterialTemplate m ON m.StepID = s.ID WHERE m.MaterialName = 'Other:'"), 10);
    // The form of the home inspection is long enough to need a second page.
    EXPECT_GE(Count("SELECT COUNT(*) FROM FieldTemplate f JOIN CategoryTemplate c ON c.ID = f.CategoryID "
                    "WHERE c.CategoryName = 'Inspection Conditions'"),
              13);

    // Every caret placeholder names a pick list with entries or writes its choices inline.
    const auto lists = editing::PickerLists::Load();
    Comments comments;
    ASSERT_TRUE(comments.Open());
    EXPECT_GE(comments.GetCount(), 400);
    int pickers = 0, inline_ = 0, grouped = 0, coded = 0;
    for (int i = 0; i < comments.GetCount(); ++i) {
        comments.Read(i);
        const std::string& text = comments.m_Comments;
        for (auto p = editing::FindPlaceholder(text, lists); p;
             p = editing::FindPlaceholder(text, lists, p->start + p->length)) {
            ASSERT_FALSE(p->name.empty()) << text;
            ++(p->name.front() == '(' ? inline_ : pickers);
        }
        grouped += !comments.m_GroupName.empty();
        coded += text.front() == '[' && text.rfind("[*", 0) != 0;
    }
    EXPECT_GE(pickers, 50);
    EXPECT_GE(inline_, 5);
    EXPECT_GE(grouped, 50);
    EXPECT_GE(coded, 100);
    // Checking a colon material that adds a comment offers the pick list named in that comment.
    const std::string colon = "SELECT COUNT(*) FROM MaterialTemplate m JOIN MaterialComment l ON l.MaterialID = m.ID "
                              "JOIN Comments c ON c.ID = l.CommentID WHERE m.MaterialName LIKE '%:'";
    EXPECT_EQ(Count(colon + " AND NOT EXISTS (SELECT 1 FROM Pickers p WHERE "
                            "instr(c.Comments, '^' || p.PickerName || '^'))"),
              0);
    EXPECT_GE(Count(colon), 3);

    // The pick lists of the inspection setup view.
    for (const char* name : {"Realtor", "ListingAgent", "EvalCityStateZip", "ClientCityStateZip"})
        EXPECT_TRUE(lists.Has(name)) << name;
    EXPECT_GE(Count("SELECT COUNT(*) FROM ExpandedText WHERE ShortCut IS NOT NULL AND Expanded IS NOT NULL"), 20);
    EXPECT_GE(Count("SELECT COUNT(*) FROM VoidComments"), 50);
}

TEST_F(StarterLibraryTest, ScalesSettingsAndOwnerAreThoseOfAFirstDayAndASecondLoadIsRefused)
{
    RatingChoices choice;
    ASSERT_TRUE(choice.OpenDefaultByType("Standard"));
    ASSERT_EQ(choice.GetCount(), 1);
    choice.Read(0);
    EXPECT_EQ(choice.m_ChoiceName, "Functional");

    ASSERT_TRUE(choice.OpenByTypeAndName("Standard", "Hazardous"));
    ASSERT_EQ(choice.GetCount(), 1);
    choice.Read(0);
    EXPECT_TRUE(choice.m_BoldFlag && choice.m_RedFlag && choice.m_SummaryFlag && choice.m_CommentRequired);
    EXPECT_FALSE(choice.m_DefaultFlag || choice.m_OmitFlag);

    // Every choice the reports leave out is called Omit, the name the report writers test.
    EXPECT_EQ(Count("SELECT COUNT(*) FROM RatingChoices WHERE OmitFlag = 1 AND ChoiceName <> 'Omit'"), 0);
    EXPECT_GE(Count("SELECT COUNT(*) FROM RatingChoices WHERE OmitFlag = 1"), 3);
    // Every scale with choices presets exactly one of them.
    EXPECT_EQ(Count("SELECT COUNT(*) FROM RatingType t WHERE EXISTS (SELECT 1 FROM RatingChoices c WHERE "
                    "c.RatingTypeID = t.ID) AND (SELECT COUNT(*) FROM RatingChoices c WHERE c.RatingTypeID = t.ID "
                    "AND c.DefaultFlag = 1) <> 1"),
              0);
    EXPECT_GE(Count("SELECT COUNT(*) FROM RatingType t WHERE NOT EXISTS (SELECT 1 FROM RatingChoices c WHERE "
                    "c.RatingTypeID = t.ID)"),
              1);
    for (const auto open : {&RatingChoices::OpenBold, &RatingChoices::OpenRed, &RatingChoices::OpenSummary}) {
        ASSERT_TRUE((choice.*open)());
        EXPECT_GT(choice.GetCount(), 0);
    }

    auto names = [](const std::string& scale) {
        RatingChoices c;
        c.OpenByType(scale);
        std::vector<std::string> list;
        for (int i = 0; i < c.GetCount(); ++i) {
            c.Read(i);
            list.push_back(c.m_ChoiceName);
        }
        return list;
    };
    EXPECT_EQ(names("Minneapolis"),
              (std::vector<std::string>{"M", "No", "NA", "SC", "B", "C", "RRE", "RRP", "LIC"}));
    EXPECT_EQ(names("Rating Grid"),
              (std::vector<std::string>{"Satisfactory", "Fair", "Poor/Defective", "Not Applicable", "Not Inspected",
                                        "Limitations", "Supplemental", "Omit"}));
    // The standard definitions of terms printed by the reports describe the standard scale.
    const auto standard = names("Standard");
    for (const char* term : {"Functional", "Lacks Maintenance", "Marginal", "Non-Functional", "Hazardous", "Comments",
                             "N/A", "NV"})
        EXPECT_NE(std::find(standard.begin(), standard.end(), term), standard.end()) << term;

    // No definitions (String6): the reports print their built-in ones.
    Options options;
    EXPECT_EQ(options.m_DataVersion + "|" + options.m_ReportFontName + "|" + std::to_string(options.m_ReportFontSize) +
                  "|" + options.m_String6 + "|" + options.m_String7,
              "5.0|Times|12||, ");
    EXPECT_FALSE(options.m_String5.empty());
    EXPECT_DOUBLE_EQ(options.m_ColumnWidth2, 1.28);
    // One settings row, and no owner: start-up asks for the inspector's name.
    EXPECT_EQ(QueryText(kTemplate, "SELECT (SELECT COUNT(*) FROM Options) || '|' || (SELECT COUNT(*) FROM Owner)"),
              "1|0");

    // A database that already holds templates is refused and left alone.
    const long long comments = Count("SELECT COUNT(*) FROM Comments");
    Exec(kTemplate, "UPDATE Options SET ReportFontName = 'Geneva'");
    EXPECT_FALSE(LoadStarterLibrary());
    EXPECT_TRUE(port.Saw("already holds templates"));
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Comments"), comments);
    EXPECT_EQ(QueryText(kTemplate, "SELECT ReportFontName FROM Options"), "Geneva");
}

} // namespace
