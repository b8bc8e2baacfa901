#pragma once
// A small inspection built through the record classes, and a way to run a
// report writer on it into a file of the test's folder.
#include "reports/rtf/CRTFReportFile.h"
#include "store/Category.h"
#include "store/Inspection.h"
#include "store/InspectionType.h"
#include "store/Options.h"
#include "store/Owner.h"
#include "store/RatingChoices.h"
#include "store/RatingType.h"
#include "store/Step.h"
#include "support/Pieces.h"
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace report_testing {

using testing_support::Missing;
using testing_support::Pieces;
using testing_support::Present;
using testing_support::ReadFile;

struct Choice {
    std::string name;
    bool bold = false, red = false, summary = false;
};

// Counts "{" and "}" that are not escaped; a well-formed document has as
// many of each and never closes more than it opened.
inline bool BracesBalanced(const std::string& rtf)
{
    int depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
            continue;
        }
        if (rtf[i] == '{')
            ++depth;
        if (rtf[i] == '}' && --depth < 0)
            return false;
    }
    return depth == 0;
}

inline void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class ReportFixture : public testing_support::DataFilesTest {
protected:
    void SetUp() override
    {
        DataFilesTest::SetUp();
        // An application data folder of the test's own: no logo unless a test puts one there.
        setenv("INSPECTOR_APPDATA", folder.File("app").c_str(), 1);
        // Prepared pictures are cached in the test's folder, never the user's.
        setenv("XDG_CACHE_HOME", folder.File("cache").c_str(), 1);
        AddScale("Standard", {{"Functional"},
                              {"Marginal", true, false, true},
                              {"Hazardous", true, true, true},
                              {"Comments"},
                              {"Data"},
                              {"Omit"}});
        testing_support::Exec(0, "INSERT INTO Owner (Name, Company, Address, WorkAreaCode, WorkPhone) VALUES "
                                 "('Pat Inspector', 'Sound Homes Inspection', '12 Main Street' || char(10) || 'Suite 200' || "
                                 "char(10) || 'Springfield, IL 62701', '217', '555-0100')");
        SetOptions([](store::Options& o) {
            o.m_DataVersion = "5.0";
            o.m_YesNo0 = -1;
            o.m_ReportFontSize = 12;
            o.m_StepSpacing = 1;
            o.m_ReportFontName = "Times";
            o.m_ColumnWidth1 = 0.6, o.m_ColumnWidth2 = 1.28, o.m_ColumnWidth3 = 1.12, o.m_ColumnWidth4 = 1.0,
            o.m_ColumnWidth5 = 1.75;
            o.m_String5 = "Legal text of the report.";
            o.m_SummaryDisclaimer = "Read the whole report.";
        });
        testing_support::Exec(0, "INSERT INTO InspectionType (ID, InspectionType, ReportLayout) VALUES "
                                 "(7, 'Home Inspection', '4 Column')");

        inspection = std::make_unique<store::Inspection>();
        inspection->New();
        inspection->m_InspectionNum = "2024-17";
        inspection->m_ClientName = "Dana Client";
        inspection->m_DwellingAddress = "1 Elm Road";
        inspection->m_DwellingCityStateZip = "Springfield, IL 62704";
        inspection->m_DocType = "Home Inspection";
        inspection->m_DocTypeID = 7;
        inspection->m_InspectionDate = store::DateTime::Make(2024, 7, 4, 9, 5);
        inspection->m_InspectionComments = "The home was vacant.";
        ASSERT_TRUE(inspection->Save());
        inspection->OpenByID(inspection->m_InspectionID);
        inspection->Read(0);
    }

    // A rating scale whose choices are flagged as given; a choice named Omit is left out of the reports.
    void AddScale(const std::string& name, const std::vector<Choice>& choices)
    {
        const std::string type = std::to_string(++m_nextTypeID);
        testing_support::Exec(0, "INSERT INTO RatingType (ID, RatingType) VALUES (" + type + ", '" + name + "')");
        auto flag = [](bool on) { return on ? ", 1" : ", 0"; };
        for (const Choice& c : choices)
            testing_support::Exec(0, "INSERT INTO RatingChoices (ID, RatingTypeID, ChoiceName, BoldFlag, RedFlag, "
                                     "SummaryFlag, OmitFlag) VALUES (" + std::to_string(++m_nextChoiceID) + ", " +
                                         type + ", '" + c.name + "'" + flag(c.bold) + flag(c.red) + flag(c.summary) +
                                         flag(c.name == "Omit") + ")");
    }

    void TearDown() override
    {
        unsetenv("INSPECTOR_APPDATA");
        unsetenv("XDG_CACHE_HOME");
        DataFilesTest::TearDown();
    }

    template <typename F>
    void SetOptions(F change)
    {
        store::Options options;
        change(options);
        ASSERT_TRUE(options.Save());
    }

    int AddCategory(const std::string& title, const std::string& number, bool notPresent = false,
                    const std::string& note = {})
    {
        store::Category category;
        category.Open();
        category.New();
        category.m_CategoryTitle = title;
        category.m_CategoryNumber = number;
        category.m_CategoryComments = note;
        category.m_CategoryNotPresent = notPresent ? -1 : 0;
        category.m_InspectionID = inspection->m_InspectionID;
        EXPECT_TRUE(category.Save());
        return category.m_CategoryID;
    }

    void AddStep(int categoryID, const std::string& number, const std::string& title, const std::string& rating,
                 const std::string& comments, const std::string& materials = {},
                 const std::string& majorSystem = {}, const std::string& picture = {},
                 const std::string& scale = "Standard")
    {
        store::Step step;
        step.Open();
        step.New();
        step.m_CategoryID = categoryID;
        step.m_StepNumber = number;
        step.m_StepTitle = title;
        step.m_InspectResult = rating;
        step.m_StepRatingType = scale;
        step.m_Comments = comments;
        step.m_Materials = materials;
        step.m_MajorSystem = majorSystem;
        step.m_BitmapPath = picture;
        EXPECT_TRUE(step.Save());
    }

    // Configures `writer` as the dispatcher does, runs it into `fileName` of
    // the test's folder and returns what it wrote (empty when no file).
    std::string Run(reports::rtf::CRTFReportFile& writer, const std::string& layout, int kind = 1,
                    const std::string& fileName = "report.rtf")
    {
        const std::string path = folder.File(fileName);
        writer.SetReportKind(kind);
        writer.SetDocumentTypeTitle(inspection->m_DocType);
        writer.SetFileChooser(
            [path](const std::string&, const std::string&) { return std::optional<std::string>(path); });
        writer.Setup(*inspection, layout);
        writer.Export();
        return ReadFile(path);
    }

    std::unique_ptr<store::Inspection> inspection;

private:
    int m_nextTypeID = 0;
    int m_nextChoiceID = 0;
};

} // namespace report_testing
