// Pictures in the report: step pictures byte for byte, unreadable files, logos.
#include "reports/ReportFixture.h"
#include "reports/rtf/CInspectionRTFFile.h"
#include "reports/rtf/RtfText.h"

#include <cstdlib>

using namespace reports::rtf;

namespace {

std::string Bytes(std::size_t n, unsigned seed)
{
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>((i * 131 + seed) & 0xFF);
    return s;
}

std::string Hex(const std::string& bytes)
{
    std::string out;
    AppendHex(out, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return out;
}

class PictureEmbedding : public report_testing::ReportFixture {};

} // namespace

TEST_F(PictureEmbedding, StepPicturesAreEmbeddedCompletelyInTheirOwnRow)
{
    const int cat = AddCategory("Roof", "130");
    std::map<std::string, std::string> files;
    for (std::size_t size : {0u, 4096u, 4097u, 10000u}) {
        const std::string name = "p" + std::to_string(size) + ".jpg";
        files[name] = Bytes(size, static_cast<unsigned>(size));
        report_testing::WriteFile(folder.File(name), files[name]);
        AddStep(cat, std::to_string(size), "Step " + std::to_string(size), "Functional", "x", {}, {}, folder.File(name));
    }
    AddStep(cat, "9", "Missing", "Functional", "x", {}, {}, folder.File("gone.jpg"));
    CInspectionRTFFile writer;
    writer.SetIncludePictures(true);
    const std::string rtf = Run(writer, "4 Column");
    const std::string head = "\\trowd\\trgaph108\\trleft-108\\trhdr\\cellx8747\\intbl\\ql{\\*\\shppict {\\pict\\picscalex100"
                             "\\picscaley100\\piccropl0\\piccropr0\\piccropt0\\piccropb0\\jpegblip ";
    for (const auto& [name, bytes] : files)
        EXPECT_NE(rtf.find(head + Hex(bytes) + "}}\\cell\\row "), std::string::npos) << name;
    // An unreadable picture leaves its row empty and the report goes on.
    EXPECT_NE(rtf.find("\\trowd\\trgaph108\\trleft-108\\trhdr\\cellx8747\\intbl\\ql\\cell\\row "), std::string::npos);
    EXPECT_NE(rtf.find("Missing"), std::string::npos);
    EXPECT_TRUE(report_testing::BracesBalanced(rtf));

    CInspectionRTFFile without;
    EXPECT_EQ(Run(without, "4 Column", 1, "nopict.rtf").find("\\pict"), std::string::npos);
}

TEST_F(PictureEmbedding, RealJpegsGetTheirSizeAndFitTheRow)
{
    // SOI, SOF0 of 4000 x 3000 without a resolution, EOI.
    const std::string jpeg = std::string("\xFF\xD8\xFF\xC0\x00\x11\x08\x0B\xB8\x0F\xA0\x03\x01\x22\x00\x02\x11\x01\x03"
                                         "\x11\x01\xFF\xD9", 25);
    report_testing::WriteFile(folder.File("big.jpg"), jpeg);
    const int cat = AddCategory("Roof", "130");
    AddStep(cat, "1", "Covering", "Functional", "x", {}, {}, folder.File("big.jpg"));
    CInspectionRTFFile writer;
    writer.SetIncludePictures(true);
    const std::string rtf = Run(writer, "4 Column");
    // 4000 px at 96 dpi is 60000 twips: limited to the 8639-twip row, height in proportion.
    EXPECT_NE(rtf.find("\\piccropb0\\picw4000\\pich3000\\picwgoal8639\\pichgoal6479\\jpegblip ffd8ffc0"),
              std::string::npos);
}

TEST_F(PictureEmbedding, LogoFromTheApplicationFolderThenTheStoredOneThenNone)
{
    const int cat = AddCategory("Roof", "130");
    AddStep(cat, "1", "Covering", "Functional", "x");
    std::filesystem::create_directories(folder.File("app") + "/Logos");
    report_testing::WriteFile(folder.File("app") + "/Logos/LOGO1.JPG", std::string("\xFF\xD8\xAB", 3));
    CInspectionRTFFile withFile;
    std::string rtf = Run(withFile, "4 Column", 1, "a.rtf");
    EXPECT_NE(rtf.find("\\i0\\pard \\ql{\\*\\shppict {\\pict\\picscalex40\\picscaley40\\piccropl0\\piccropr0\\piccropt0"
                       "\\piccropb0\\jpegblip ffd8ab}} {\\cs17 \\par} "),
              std::string::npos);

    // No file: the logo stored in the options, as a PNG picture.
    std::filesystem::remove(folder.File("app") + "/Logos/LOGO1.JPG");
    SetOptions([](store::Options& o) {
        store::Blob icon(store::kReportIconHeader, 0);
        auto put = [&icon](std::uint32_t v, int bytes) {
            for (int i = 0; i < bytes; ++i)
                icon.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        };
        // A bitmap file of one pixel, 24 bits per pixel.
        icon.push_back('B');
        icon.push_back('M');
        put(58, 4), put(0, 4), put(54, 4);
        put(40, 4), put(1, 4), put(1, 4), put(1, 2), put(24, 2), put(0, 4), put(4, 4);
        put(0, 4), put(0, 4), put(0, 4), put(0, 4);
        put(0x302010, 4);
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

TEST_F(PictureEmbedding, HousePhotoAndNumberedTagPicturesInTheComments)
{
    const std::string card = folder.File("card") + "/";
    std::filesystem::create_directories(card);
    report_testing::WriteFile(card + "HousePhoto.jpg", "\xFF\xD8hp");
    report_testing::WriteFile(card + "IMG_0001.JPG", "\xFF\xD8one");
    SetOptions([&card](store::Options& o) { o.m_DefaultPictCardPath = card; });
    const int cat = AddCategory("Roof", "130");
    AddStep(cat, "1", "Covering", "Functional", "Worn.***Picture-2;Scaling=30***");
    CInspectionRTFFile writer;
    writer.SetIncludePictures(true);
    const std::string rtf = Run(writer, "4 Column");
    EXPECT_NE(rtf.find("\\qc {\\*\\shppict {\\pict\\picscalex100\\picscaley100\\piccropl0\\piccropr0\\piccropt0"
                       "\\piccropb0\\jpegblip ffd86870}}  \\par \\ql  \\par "),
              std::string::npos);
    // HousePhoto.jpg and IMG_0001.JPG: picture 2 of the card in byte order is IMG_0001.JPG.
    EXPECT_NE(rtf.find("\\cell\\ql Worn.\\par \\ql{\\*\\shppict {\\pict\\picscalex30\\picscaley30\\piccropl0\\piccropr0"
                       "\\piccropt0\\piccropb0\\jpegblip ffd86f6e65}} \\cell\\row "),
              std::string::npos);
}
