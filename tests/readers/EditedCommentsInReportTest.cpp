// The general comment and a category comment edited as the comment dialog
// stores them are what LibreOffice reads in the inspection report. (No report
// prints the fields of a form category.)
#include "reports/ReportFixture.h"

#include "app/CInspectorDoc.h"
#include "reports/rtf/CInspectionRTFFile.h"
#include "review/CommentSubject.h"

#include <cstdlib>

namespace {

class EditedCommentsInReport : public report_testing::ReportFixture {};

} // namespace

TEST_F(EditedCommentsInReport, LibreOfficeFindsTheEditedGeneralAndCategoryComments)
{
    const int grounds = AddCategory("Grounds", "110", false, "Old category note.");
    AddStep(grounds, "1", "Driveway", "Marginal", "Hairline cracks.");
    {
        app::CInspectorDoc doc;
        ASSERT_EQ(doc.CurrentInspection().m_InspectionID, inspection->m_InspectionID);
        review::CommentSubject general = review::InspectionSubject(doc);
        general.text = "Edited general words: the house was vacant and the power was on.";
        ASSERT_TRUE(review::StoreComment(general, doc));
        auto category = review::CategorySubject(grounds);
        ASSERT_TRUE(category);
        category->text = "Edited category words: the lot drains toward the street.";
        category->codes = review::AddCode(category->codes, "G1");
        ASSERT_TRUE(review::StoreComment(*category, doc));
    }
    inspection->OpenByID(inspection->m_InspectionID);
    inspection->Read(0);

    reports::rtf::CInspectionRTFFile writer;
    ASSERT_FALSE(Run(writer, "4 Column", reports::rtf::kInspectionReport, "edited.rtf").empty());
    const std::string command = "soffice -env:UserInstallation=file://" + folder.File("lo-profile") +
                                " --headless --convert-to 'txt:Text (encoded):UTF8' --outdir " + folder.File("text") +
                                " " + folder.File("edited.rtf") + " > " + folder.File("soffice.log") + " 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << report_testing::ReadFile(folder.File("soffice.log"));
    const std::string text = report_testing::ReadFile(folder.File("text/edited.txt"));
    EXPECT_NE(text.find("Edited general words: the house was vacant and the power was on."), std::string::npos)
        << text;
    EXPECT_NE(text.find("Edited category words: the lot drains toward the street."), std::string::npos) << text;
    EXPECT_EQ(text.find("Old category note."), std::string::npos);
}
