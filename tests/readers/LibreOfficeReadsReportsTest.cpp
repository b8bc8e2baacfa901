// LibreOffice, a real word processor, reads every report we write: each
// layout of the inspection report, the summary, the major systems report and
// the rating grid are converted to plain text in one soffice run, and the
// text must hold the inspection's words and no RTF control words; as a PDF,
// the 4 Column report shows its sideways photo upright.
#include "reports/PhotoMaker.h"
#include "reports/ReportFixture.h"
#include "reports/rtf/CInspectionRTFFile.h"
#include "reports/rtf/CMajorSystemsRTFFile.h"
#include "reports/rtf/CRatingGridRTFFile.h"
#include "support/RunCommand.h"

#include <regex>

using namespace reports::rtf;
using report_testing::Missing;
using report_testing::Pieces;

namespace {

class LibreOfficeReads : public report_testing::ReportFixture {
protected:
    // Converts the files to UTF-8 text (or `format`) in `outdir` with a profile
    // of our own, so that parallel runs do not share one.
    void Convert(const std::vector<std::string>& files, const std::string& format = "'txt:Text (encoded):UTF8'",
                 const std::string& outdir = "text")
    {
        std::string command = "soffice -env:UserInstallation=file://" + folder.File("lo-profile") +
                              " --headless --convert-to " + format + " --outdir " + folder.File(outdir);
        for (const auto& f : files)
            command += " " + f;
        const auto run = testing_support::RunCommand(command + " 2>&1");
        ASSERT_EQ(run.status, 0) << run.output;
    }

    static std::string Output(const std::string& command) { return testing_support::RunCommand(command).output; }

    std::string TextOf(const std::string& rtfName)
    {
        return report_testing::ReadFile(folder.File("text/" + rtfName.substr(0, rtfName.size() - 4) + ".txt"));
    }
};

} // namespace

TEST_F(LibreOfficeReads, EveryLayoutSummaryMajorSystemsAndRatingGrid)
{
    AddScale("Grid", {{"Satisfactory"}, {"Poor/Defective", true, true, true}, {"Limitations"}, {"Omit"}});
    // A sideways photo (its EXIF tag turns it upright) and a text file named like a picture.
    const std::string photo = folder.File("porch.jpg");
    report_testing::MakePhoto(photo, 1600, 1200, 6);
    report_testing::WriteFile(folder.File("notes.jpg"), "Site notes, not a photo.");
    const int grounds = AddCategory("Grounds & Café", "110", false, "Seen from the street {north}.");
    AddStep(grounds, "1", "Driveway", "Functional", "Hairline cracks in the façade slab.", "Concrete;", "Site");
    AddStep(grounds, "2", "Retaining Wall", "Hazardous", "Wall leans 3\xC2\xB0 toward the walk \xE2\x80\x94 repair.\r\nSecond line.",
            {}, "Site", photo);
    AddStep(grounds, "3", "Fence", "Omit", "Omitted fence remark.");
    AddStep(grounds, "4", "Grading", "Marginal", "Soil slopes toward the house; \xCF\x88 regrade.", {}, "Site");
    AddStep(grounds, "5", "Gate", "Functional", "Gate latches.", {}, "Site", folder.File("notes.jpg"));
    const int elec = AddCategory("Electrical", "150");
    AddStep(elec, "1", "Service Panel", "Poor/Defective", "Double tapped breaker.", {}, "Electrical", {}, "Grid");
    AddStep(elec, "2", "Wiring", "Limitations", "Concealed in finished walls.", "Copper;", "Electrical", {}, "Grid");

    const std::vector<std::string> layouts = {"4 Column", "3 Column", "2 Column", "Full Narrative", "Narrative",
                                              "2 Column French"};
    std::vector<std::string> files;
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        CInspectionRTFFile writer;
        writer.SetIncludePictures(true);
        const std::string name = "layout" + std::to_string(i) + ".rtf";
        ASSERT_FALSE(Run(writer, layouts[i], kInspectionReport, name).empty()) << layouts[i];
        files.push_back(folder.File(name));
    }
    CInspectionRTFFile summary;
    ASSERT_FALSE(Run(summary, "4 Column", kSummaryReport, "summary.rtf").empty());
    CMajorSystemsRTFFile major;
    ASSERT_FALSE(Run(major, "4 Column", kMajorSystemsReport, "major.rtf").empty());
    CRatingGridRTFFile grid;
    ASSERT_FALSE(Run(grid, "Narrative", kInspectionReport, "grid.rtf").empty());
    for (const char* name : {"summary.rtf", "major.rtf", "grid.rtf"})
        files.push_back(folder.File(name));

    ASSERT_NO_FATAL_FAILURE(Convert(files));

    const std::regex controlWord(R"(\\[a-z]{2,}-?\d*|\{\\|\\'[0-9a-f]{2})");
    for (const auto& file : files) {
        const std::string name = std::filesystem::path(file).filename().string();
        const std::string text = TextOf(name);
        SCOPED_TRACE(name);
        ASSERT_FALSE(text.empty());
        EXPECT_FALSE(std::regex_search(text, controlWord)) << text;
        EXPECT_EQ(text.find("Omitted fence remark."), std::string::npos);
        if (name == "grid.rtf") {
            EXPECT_EQ(Missing(text, {"Electrical", "Service Panel", "Double tapped breaker.", "LIMITATIONS:",
                                     "Concealed in finished walls."}),
                      Pieces{});
            continue;
        }
        // Accents, symbols and characters beyond Windows-1252 come out as typed.
        const bool prose = name == "layout3.rtf"; // the full narrative prints the comments only
        Pieces expected{"Wall leans 3\xC2\xB0 toward the walk \xE2\x80\x94 repair.", "\xCF\x88 regrade"};
        if (!prose)
            expected.push_back("Retaining Wall");
        if (name != "major.rtf")
            expected.push_back("Grounds & Caf\xC3\xA9");
        if (name == "summary.rtf" || name == "major.rtf") {
            expected.push_back("Hazardous");
            EXPECT_EQ(text.find("Driveway"), std::string::npos); // not marked for the summary
        } else {
            expected.insert(expected.end(), {"Hairline cracks in the fa\xC3\xA7" "ade slab.", "Dana Client"});
            if (!prose)
                expected.insert(expected.end(), {"Driveway", "Hazardous", "Seen from the street {north}."});
        }
        // The text file in a picture's place is named, and the report goes on after it.
        if (name == "layout0.rtf")
            expected.insert(expected.end(), {"notes.jpg", "Double tapped breaker."});
        EXPECT_EQ(Missing(text, expected), Pieces{});
    }

    ASSERT_NO_FATAL_FAILURE(Convert({files[0]}, "pdf", "pdf"));
    const std::string pdf = folder.File("pdf/layout0.pdf");
    // pdfimages lists: page num type width height ...; the photo is taller than wide.
    std::istringstream images(Output("pdfimages -list " + pdf));
    std::string line;
    int photos = 0;
    while (std::getline(images, line)) {
        std::istringstream fields(line);
        int page = 0, num = 0, width = 0, height = 0;
        std::string type;
        if (!(fields >> page >> num >> type >> width >> height) || type != "image")
            continue;
        ++photos;
        EXPECT_LT(width, height) << line;
    }
    EXPECT_EQ(photos, 1);
}

TEST_F(LibreOfficeReads, BackslashesAndBareLineFeedsNeverCutTheReport)
{
    inspection->m_ClientAddress = "Apt 3\\B";
    ASSERT_TRUE(inspection->Save());
    const int roof = AddCategory("Roof", "130");
    AddStep(roof, "1", "Covering", "Marginal", "Photos saved in C:\\temp\\new\\file on the office PC.");
    AddStep(roof, "2", "Flashing", "Functional", "Sealed \\b well\\b0  at the chimney.");
    AddStep(roof, "3", "Vents", "Functional", "Rusted draft hood.\nLF-only line two");
    const int attic = AddCategory("Attic", "140");
    AddStep(attic, "1", "Insulation", "Functional", "Eight inches of loose fill.");
    CInspectionRTFFile writer;
    ASSERT_FALSE(Run(writer, "4 Column", kInspectionReport, "paths.rtf").empty());
    ASSERT_NO_FATAL_FAILURE(Convert({folder.File("paths.rtf")}));
    const std::string text = TextOf("paths.rtf");
    // The last piece shows that the report goes on to its end.
    EXPECT_EQ(Missing(text, {"Photos saved in C:\\temp\\new\\file on the office PC.", "Sealed well at the chimney.",
                             "Rusted draft hood.\nLF-only line two", "Apt 3\\B", "Eight inches of loose fill."}),
              Pieces{});
}
