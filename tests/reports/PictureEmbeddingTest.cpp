// Pictures in the report: prepared (upright, sized, JPEG or PNG), on the step
// table's grid, files that are no picture named instead, logos, tags.
#include "reports/PhotoMaker.h"
#include "reports/ReportFixture.h"
#include "reports/rtf/CInspectionRTFFile.h"

#include <regex>

using namespace reports::rtf;

namespace {

class PictureEmbedding : public report_testing::ReportFixture {};

// The \picw, \pich, \picwgoal and \pichgoal of the first picture after `from`.
std::array<int, 4> PictureSize(const std::string& rtf, std::size_t from = 0)
{
    static const std::regex size(R"(\\picw(\d+)\\pich(\d+)\\picwgoal(\d+)\\pichgoal(\d+))");
    std::smatch m;
    const std::string rest = rtf.substr(from);
    if (!std::regex_search(rest, m, size))
        return {};
    return {std::stoi(m[1]), std::stoi(m[2]), std::stoi(m[3]), std::stoi(m[4])};
}

} // namespace

TEST_F(PictureEmbedding, StepPhotosAndCardPicturesArePreparedUprightOnTheTableGridAndNonPicturesAreNamed)
{
    const std::string card = folder.File("card") + "/";
    std::filesystem::create_directories(card);
    report_testing::MakePhoto(card + "HousePhoto.jpg", 320, 240);
    report_testing::MakePhoto(card + "IMG_0001.JPG", 200, 100);
    SetOptions([&card](store::Options& o) { o.m_DefaultPictCardPath = card; });
    const int cat = AddCategory("Roof", "130");
    report_testing::MakePhoto(folder.File("portrait.jpg"), 4000, 3000, 6);
    report_testing::WriteFile(folder.File("notes.jpg"), "Roof notes, not a photo.");
    AddStep(cat, "1", "Covering", "Functional", "x", {}, {}, folder.File("portrait.jpg"));
    AddStep(cat, "2", "Flashing", "Functional", "x", {}, {}, folder.File("notes.jpg"));
    AddStep(cat, "3", "Missing", "Functional", "x", {}, {}, folder.File("gone.jpg"));
    AddStep(cat, "4", "Gutters", "Functional", "Worn.***Picture-2;Scaling=30***");
    CInspectionRTFFile writer;
    writer.SetIncludePictures(true);
    const std::string rtf = Run(writer, "4 Column");

    // The picture row has the step rows' cells, merged, and is kept on one page.
    const std::string cells = "\\clmgf\\cellx966\\clmrg\\cellx3258\\clmrg\\cellx5264\\clmrg\\cellx7054\\clmrg\\cellx10188";
    const std::string pictureRow = "\\trowd\\trgaph108\\trleft-108\\trkeep" + cells + "\\intbl\\ql ";
    const auto photo = rtf.find(pictureRow + "{\\*\\shppict {\\pict\\picscalex100\\picscaley100");
    ASSERT_NE(photo, std::string::npos);
    // Orientation 6: the 4000 x 3000 photo is a portrait, prepared for 3 x 4 inches at 300 dpi.
    const auto size = PictureSize(rtf, photo);
    EXPECT_EQ((std::array{size[0], size[1], size[3]}), (std::array{675, 900, CRTFReportFile::kStepPictureHeight}));
    EXPECT_LT(size[2], size[3]);
    EXPECT_NE(rtf.find("\\jpegblip ffd8", photo), std::string::npos);

    // A text file named .jpg is never embedded: its name stands in the row. A
    // missing file leaves its row empty and the report goes on.
    EXPECT_EQ(report_testing::Missing(rtf, {pictureRow + "\\i notes.jpg\\i0 \\cell\\cell\\cell\\cell\\cell\\row ",
                                            pictureRow + "\\cell\\cell\\cell\\cell\\cell\\row ", "Missing"}),
              report_testing::Pieces{});
    EXPECT_EQ(rtf.find("\\jpegblip 526f6f66"), std::string::npos); // "Roof" in hexadecimal
    EXPECT_TRUE(report_testing::BracesBalanced(rtf));

    // The house photo of the card on the title page, and a numbered picture of the card in the comments.
    const auto house = rtf.find("\\qc {\\*\\shppict {\\pict\\picscalex100\\picscaley100\\piccropl0\\piccropr0\\piccropt0"
                                "\\piccropb0\\picw320\\pich240\\picwgoal4800\\pichgoal3600\\jpegblip ffd8");
    EXPECT_NE(house, std::string::npos);
    // HousePhoto.jpg and IMG_0001.JPG: picture 2 of the card in byte order is IMG_0001.JPG,
    // prepared for the size it prints at (30 % of 2.08 inches at 300 dpi).
    EXPECT_NE(rtf.find("\\cell\\ql Worn.\\par \\ql{\\*\\shppict {\\pict\\picscalex30\\picscaley30\\piccropl0\\piccropr0"
                       "\\piccropt0\\piccropb0\\picw188\\pich94\\picwgoal3000\\pichgoal1500\\jpegblip ffd8"),
              std::string::npos);

    CInspectionRTFFile without;
    EXPECT_EQ(Run(without, "4 Column", 1, "nopict.rtf").find("\\pict"), std::string::npos);
}

TEST_F(PictureEmbedding, LogoFromTheApplicationFolderThenTheStoredOneThenNone)
{
    const int cat = AddCategory("Roof", "130");
    AddStep(cat, "1", "Covering", "Functional", "x");
    std::filesystem::create_directories(folder.File("app") + "/Logos");
    report_testing::MakePhoto(folder.File("app") + "/Logos/LOGO1.JPG", 400, 200);
    CInspectionRTFFile withFile;
    std::string rtf = Run(withFile, "4 Column", 1, "a.rtf");
    EXPECT_NE(rtf.find("\\i0\\pard \\ql{\\*\\shppict {\\pict\\picscalex40\\picscaley40\\piccropl0\\piccropr0\\piccropt0"
                       "\\piccropb0\\picw400\\pich200\\picwgoal6000\\pichgoal3000\\jpegblip ffd8"),
              std::string::npos);

    // No file: the logo stored in the options, as a PNG picture.
    std::filesystem::remove(folder.File("app") + "/Logos/LOGO1.JPG");
    SetOptions([](store::Options& o) {
        // A bitmap file of one pixel, 24 bits per pixel.
        store::Blob icon(store::kReportIconHeader, 0);
        icon.push_back('B'), icon.push_back('M');
        for (std::uint32_t v : {58u, 0u, 54u, 40u, 1u, 1u, 0x180001u, 0u, 4u, 0u, 0u, 0u, 0u, 0x302010u})
            for (int i = 0; i < 4; ++i)
                icon.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        o.m_ReportIcon = icon;
    });
    CInspectionRTFFile withIcon;
    rtf = Run(withIcon, "4 Column", 1, "b.rtf");
    EXPECT_NE(rtf.find("\\picw1\\pich1\\picwgoal15\\pichgoal15\\pngblip 89504e47"), std::string::npos);

    SetOptions([](store::Options& o) { o.m_ReportIcon.clear(); });
    CInspectionRTFFile none;
    rtf = Run(none, "4 Column", 1, "c.rtf");
    const auto header = rtf.find("{\\header");
    ASSERT_NE(header, std::string::npos);
    EXPECT_EQ(rtf.find("\\pict", header), std::string::npos);
    EXPECT_NE(rtf.find("\\i0\\pard \\s15\\qc"), std::string::npos);
}
