#include "reports/rtf/CRTFReportFile.h"

#include "app/DocumentRules.h"
#include "editing/PictureTags.h"
#include "reports/rtf/AppDataFolder.h"
#include "reports/layout/StepTableGeometry.h"
#include "reports/pictures/PicturePrep.h"
#include "reports/rtf/ReportValues.h"
#include "reports/rtf/RtfText.h"
#include "store/Bitmap.h"
#include "store/Inspection.h"
#include "store/Options.h"
#include "text/Windows1252.h"
#include "ui/Port.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace reports::rtf {
namespace {

constexpr std::size_t kChunk = 4096;
// Twips per pixel for the natural size of a picture: 96 dots per inch, as a
// screen shows it.
constexpr double kTwipsPerPixel = 15.0;

std::string PictHead(int scaleX, int scaleY)
{
    return "{\\*\\shppict {\\pict\\picscalex" + std::to_string(scaleX) + "\\picscaley" + std::to_string(scaleY) +
           "\\piccropl0\\piccropr0\\piccropt0\\piccropb0";
}

} // namespace

std::array<std::string, 8> TitleLabels(const store::Options& o)
{
    if (!o.m_String25.empty())
        return {o.m_String25, o.m_String26, o.m_String27, o.m_String28,
                o.m_String29, o.m_String30, o.m_String31, o.m_String32};
    return {"Dwelling Address", "Client Address", "Client's Agent", "Doc Type",
            "Real Estate Company", "Doc #", "Client Name", "Date"};
}

std::array<int, 5> ColumnEdges(double w1, double w2, double w3, double w4, double w5)
{
    std::array<int, 5> edges{};
    const double widths[5] = {w1, w2, w3, w4, w5};
    double previous = -108;
    for (int i = 0; i < 5; ++i) {
        edges[i] = static_cast<int>(previous + 1440.0 * widths[i]);
        previous = edges[i];
    }
    return edges;
}

CRTFReportFile::CRTFReportFile() = default;

namespace {

// Deletes a partial report; never anything but a plain file (the output may
// have been a device or a pipe).
void RemovePartial(const std::string& path)
{
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec))
        std::filesystem::remove(path, ec);
}

} // namespace

CRTFReportFile::~CRTFReportFile()
{
    if (m_file) {
        std::fclose(m_file);
        RemovePartial(m_outputPath);
    }
}

void CRTFReportFile::SetReportKind(int kind)
{
    m_reportKind = kind;
}

void CRTFReportFile::SetDocumentTypeTitle(const std::string& title)
{
    m_documentTypeTitle = title;
}

void CRTFReportFile::SetColumnWidths(double w1, double w2, double w3, double w4, double w5)
{
    m_edges = ColumnEdges(w1, w2, w3, w4, w5);
    m_widths = {w1, w2, w3, w4, w5};
}

void CRTFReportFile::Setup(store::Inspection& inspection, const std::string& layoutName)
{
    m_inspection = &inspection;
    m_options = std::make_unique<store::Options>();
    const store::Options& o = *m_options;
    const ReportValues v = ReadReportValues(inspection, o, m_reportKind == kInspectionReport);
    m_docTypeName = v.docTypeName;
    m_reportLayoutOfDocType = v.reportLayoutOfDocType;
    m_docNumber = v.docNumber;
    m_date = v.date;
    m_time = v.time;
    m_clientName = v.clientName;
    m_clientAddress1 = v.clientAddress1;
    m_clientAddress2 = v.clientAddress2;
    m_dwellingAddress1 = v.dwellingAddress1;
    m_dwellingAddress2 = v.dwellingAddress2;
    m_agent = v.agent;
    m_realEstateCompany = v.realEstateCompany;
    m_generalInfo = v.generalInfo;
    m_pictureFolder = v.pictureFolder;
    m_fileStem = app::InspectionFileStem(inspection.m_InspectionNum, inspection.m_ClientName,
                                         inspection.m_DwellingAddress, inspection.m_InspectionID);
    m_labels = v.labels;
    m_inspectorName = v.inspectorName;
    m_companyName = v.companyName;
    m_contactLine = v.contactLine;
    m_address1 = v.address1;
    m_address2 = v.address2;
    m_cityLine = v.cityLine;
    m_workPhone = v.workPhone;
    m_faxNumber = v.faxNumber;

    m_layoutName = layoutName;
    m_french = false;
    if (text::EqualsIgnoreCase(layoutName, "4 Column")) {
        m_columnCount = 4;
    } else if (text::EqualsIgnoreCase(layoutName, "3 Column")) {
        m_columnCount = 3;
    } else if (text::EqualsIgnoreCase(layoutName, "2 Column")) {
        m_columnCount = 2;
    } else if (text::EqualsIgnoreCase(layoutName, "Full Narrative")) {
        m_columnCount = 1;
        m_layoutName = "Full Narrative";
    } else if (text::EqualsIgnoreCase(layoutName, "Narrative")) {
        m_columnCount = 1;
        m_layoutName = "Narrative";
    } else {
        m_columnCount = 2;
        m_french = layoutName == "2 Column French";
    }

    m_legalText = v.legalText;
    m_definitionsText = v.definitionsText;
    m_footerText = v.footerText;
    m_fontName = v.fontName;
    m_fontSizeWord = "fs" + std::to_string(2 * v.fontSize);
    m_hideRatings = v.hideRatings;
    m_doubleSpacing = v.doubleSpacing;
    m_sectionBreaks = v.sectionBreaks;
    m_printCompany = v.printCompany;
    SetColumnWidths(o.m_ColumnWidth1, o.m_ColumnWidth2, o.m_ColumnWidth3, o.m_ColumnWidth4, o.m_ColumnWidth5);
}

// ---------------------------------------------------------------- output

bool CRTFReportFile::BeginExport()
{
    m_marks.Load();
    if (!m_inspection || !OpenOutput())
        return false;
    if (m_documentTypeTitle.empty())
        m_documentTypeTitle = m_docTypeName;
    return true;
}

bool CRTFReportFile::Excluded(const std::string& categoryTitle) const
{
    return std::find(m_excludedCategories.begin(), m_excludedCategories.end(), categoryTitle) !=
           m_excludedCategories.end();
}

bool CRTFReportFile::CreateOutput(const std::string& suggested)
{
    m_suggestedName = suggested;
    const auto chosen = m_chooser ? m_chooser(suggested, kRtfFilter)
                                  : ui::CurrentPort().chooseSaveFile(suggested, kRtfFilter);
    if (!chosen || chosen->empty()) {
        m_result = ExportResult::Cancelled;
        return false;
    }
    m_outputPath = *chosen;
    m_file = std::fopen(m_outputPath.c_str(), "wb");
    if (!m_file) {
        m_result = ExportResult::Failed;
        ui::CurrentPort().inform("Unable to create the file " + m_outputPath + ".");
        return false;
    }
    std::setvbuf(m_file, nullptr, _IOFBF, 1 << 16);
    m_writeFailed = false;
    return true;
}

void CRTFReportFile::WriteString(std::string_view text)
{
    if (text.empty() || !m_file || m_writeFailed)
        return;
    if (std::fwrite(text.data(), 1, text.size(), m_file) != text.size())
        m_writeFailed = true;
}

void CRTFReportFile::WriteText(std::string_view utf8)
{
    WriteString(EscapeRtf(utf8));
}

void CRTFReportFile::WriteDocumentEnd()
{
    WriteString("}");
}

void CRTFReportFile::WritePageBreak()
{
    WriteString("\\pard \\nowidctlpar\\widctlpar\\adjustright {\\page \\par }");
}

void CRTFReportFile::FinishOutput(bool cancelled)
{
    m_progress.reset();
    if (!m_file)
        return;
    const bool closeFailed = std::fclose(m_file) != 0;
    m_file = nullptr;
    if (cancelled || m_writeFailed || closeFailed) {
        RemovePartial(m_outputPath);
        if (!cancelled)
            ui::CurrentPort().inform("The report could not be written to " + m_outputPath + ".");
        m_result = cancelled ? ExportResult::Cancelled : ExportResult::Failed;
        return;
    }
    m_result = ExportResult::Written;
}

// -------------------------------------------------------------- progress

void CRTFReportFile::StartProgress(int count)
{
    m_progress = ui::CurrentPort().progress();
    m_progressPosition = 0;
    m_progress->setTitle("Exporting RTF...");
    m_progress->setStatus("Exporting RTF...");
    m_progress->setRange(0, count);
    m_progress->setPosition(0);
}

void CRTFReportFile::AdvanceProgress()
{
    if (m_progress)
        m_progress->setPosition(++m_progressPosition);
}

bool CRTFReportFile::Cancelled() const
{
    return m_progress && m_progress->cancelled();
}

// ----------------------------------------------------------- shared pieces

void CRTFReportFile::WriteColorTable(bool withGridShade)
{
    WriteString("{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green255\\blue255;"
                "\\red0\\green255\\blue0;\\red255\\green0\\blue255;\\red255\\green0\\blue0;"
                "\\red255\\green255\\blue0;\\red255\\green255\\blue255;\\red0\\green0\\blue128;"
                "\\red0\\green128\\blue128;\\red0\\green128\\blue0;\\red128\\green0\\blue128;"
                "\\red128\\green0\\blue0;\\red128\\green128\\blue0;\\red128\\green128\\blue128;"
                "\\red192\\green192\\blue192;");
    if (withGridShade)
        WriteString("\\red218\\green218\\blue218;");
    WriteString("}");
}

void CRTFReportFile::WriteSectionBreak(const std::string& title, bool continuous)
{
    WriteString("\\sect \\sectd \\linex0\\endnhere ");
    if (continuous)
        WriteString("\\sbknone ");
    WriteString("{\\header \\pard\\plain \\s15\\qr\\widctlpar\\tqc\\tx4320\\tqr\\tx8640\\fs" + FontHalfPoints() +
                "\\i {\\cs17 Page }{\\field{\\*\\fldinst {\\cs17  PAGE }}{\\fldrslt {\\cs17 1}}}{\\cs17 \\par}\\i0\\pard ");
    WriteString("\\s15\\qc\\widctlpar\\tqc\\tx4320\\tqr\\tx8640 {\\cs17\\b\\fs28 ");
    WriteText(title);
    WriteString("} \\par }");
}

std::string CRTFReportFile::CompanyPhone() const
{
    return m_workPhone;
}

std::string CRTFReportFile::CompanyFax() const
{
    return m_faxNumber;
}

const std::string& CRTFReportFile::Sp() const
{
    static const std::string par = "\\par", none;
    return m_doubleSpacing ? par : none;
}

std::string CRTFReportFile::MaterialsDisplay(const std::string& materials) const
{
    return reports::rtf::MaterialsDisplay(
        materials, m_options && !m_options->m_String7.empty() ? m_options->m_String7 : std::string(", "));
}

// --------------------------------------------------------------- pictures

namespace {

// The printed size in twips at 100 %: the natural size, made smaller so that
// at the given scales it prints within maxWidth x maxHeight.
void GoalSize(const pictures::PictureSize& size, int scaleX, int scaleY, int maxWidth, int maxHeight, int& goalW,
              int& goalH)
{
    const double w = size.width * kTwipsPerPixel, h = size.height * kTwipsPerPixel;
    const double printedW = w * scaleX / 100.0, printedH = h * scaleY / 100.0;
    double factor = 1.0;
    if (maxWidth > 0 && printedW > maxWidth)
        factor = maxWidth / printedW;
    if (maxHeight > 0 && printedH * factor > maxHeight)
        factor = maxHeight / printedH;
    goalW = std::max(1, static_cast<int>(std::lround(w * factor)));
    goalH = std::max(1, static_cast<int>(std::lround(h * factor)));
}

} // namespace

// Writes the group of one prepared picture; its bytes go out in 4096-byte pieces.
CRTFReportFile::PictureOutcome CRTFReportFile::WritePictureGroup(const std::string& path, int scaleX, int scaleY,
                                                                 int maxWidth, int maxHeight)
{
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec))
        return PictureOutcome::Missing;
    const auto size = pictures::ReadPictureSize(path);
    if (!size)
        return PictureOutcome::NotAPicture;
    int goalW = 0, goalH = 0;
    GoalSize(*size, scaleX, scaleY, maxWidth, maxHeight, goalW, goalH);
    const int pixelsW = std::max(1, pictures::PixelsFor(goalW * scaleX / 100.0 / 1440.0));
    const int pixelsH = std::max(1, pictures::PixelsFor(goalH * scaleY / 100.0 / 1440.0));
    const auto picture = pictures::PreparePicture(path, pixelsW, pixelsH);
    if (!picture)
        return PictureOutcome::NotAPicture;
    WriteString(PictHead(scaleX, scaleY) + "\\picw" + std::to_string(picture->width) + "\\pich" +
                std::to_string(picture->height) + "\\picwgoal" + std::to_string(goalW) + "\\pichgoal" +
                std::to_string(goalH) +
                (picture->encoding == pictures::Encoding::Png ? "\\pngblip " : "\\jpegblip "));
    std::string hex;
    hex.reserve(2 * kChunk);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(picture->bytes.data());
    for (std::size_t at = 0; at < picture->bytes.size(); at += kChunk) {
        hex.clear();
        AppendHex(hex, bytes + at, std::min(kChunk, picture->bytes.size() - at));
        WriteString(hex);
    }
    WriteString("}}");
    return PictureOutcome::Written;
}

void CRTFReportFile::WritePictureName(const std::string& path)
{
    WriteString("\\i ");
    WriteString(EscapePlainRtf(std::filesystem::path(path).filename().string()));
    WriteString("\\i0 ");
}

void CRTFReportFile::WritePicture(const std::string& path, const std::string&, const std::string&)
{
    if (path.empty() || !m_includePictures)
        return;
    // One row on the step table's own cell edges, its cells merged into one,
    // kept whole on its page.
    WriteString("\\trowd\\trgaph108\\trleft-108\\trkeep");
    if (m_pictureRowEdges.empty()) {
        WriteString("\\cellx" + std::to_string(layout::kReportTextWidth + layout::kCellGap));
    } else {
        for (std::size_t i = 0; i < m_pictureRowEdges.size(); ++i)
            WriteString((i == 0 ? "\\clmgf\\cellx" : "\\clmrg\\cellx") + std::to_string(m_pictureRowEdges[i]));
    }
    WriteString("\\intbl\\ql ");
    if (WritePictureGroup(path, 100, 100, kStepPictureWidth, kStepPictureHeight) == PictureOutcome::NotAPicture)
        WritePictureName(path);
    WriteString("\\cell");
    for (std::size_t i = 1; i < m_pictureRowEdges.size(); ++i)
        WriteString("\\cell");
    WriteString("\\row");
    WriteString(" ");
}

CRTFReportFile::PictureOutcome CRTFReportFile::WriteScaledPicture(const std::string& path, int scaleX, int scaleY,
                                                                  int maxWidth, int maxHeight)
{
    // A picture that is not one is found out before anything is written.
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec))
        return PictureOutcome::Missing;
    if (!pictures::ReadPictureSize(path))
        return PictureOutcome::NotAPicture;
    WriteString("\\ql");
    const PictureOutcome outcome = WritePictureGroup(path, scaleX, scaleY, maxWidth, maxHeight);
    WriteString(" ");
    return outcome;
}

CRTFReportFile::PictureOutcome CRTFReportFile::WriteInlinePicture(const std::string& path, int maxWidth)
{
    const PictureOutcome outcome = WritePictureGroup(path, 100, 100, maxWidth, kMaxPictureHeight);
    if (outcome == PictureOutcome::Written)
        WriteString(" ");
    return outcome;
}

bool CRTFReportFile::WriteBitmapPicture(const store::Bitmap& bitmap, int scale, int maxWidth)
{
    if (bitmap.width <= 0 || bitmap.height <= 0)
        return false;
    int goalW = 0, goalH = 0;
    GoalSize({bitmap.width, bitmap.height}, scale, scale, maxWidth, kMaxPictureHeight, goalW, goalH);
    const auto png = pictures::PrepareBitmap(bitmap, std::max(1, pictures::PixelsFor(goalW * scale / 100.0 / 1440.0)),
                                             std::max(1, pictures::PixelsFor(goalH * scale / 100.0 / 1440.0)));
    if (!png)
        return false;
    std::string hex;
    AppendHex(hex, reinterpret_cast<const std::uint8_t*>(png->bytes.data()), png->bytes.size());
    WriteString("\\ql");
    WriteString(PictHead(scale, scale) + "\\picw" + std::to_string(png->width) + "\\pich" +
                std::to_string(png->height) + "\\picwgoal" + std::to_string(goalW) + "\\pichgoal" +
                std::to_string(goalH) + "\\pngblip " + hex + "}}");
    WriteString(" ");
    return true;
}

void CRTFReportFile::WriteLogo(int scale)
{
    const int maxWidth = 4 * 1440;
    bool written = WriteScaledPicture(LogoFile("logo1.jpg"), scale, scale, maxWidth) == PictureOutcome::Written;
    if (!written && m_options)
        if (const auto icon = m_options->GetReportIcon())
            written = WriteBitmapPicture(*icon, 100, maxWidth);
    if (written)
        WriteString("{\\cs17 \\par} ");
}

std::string CRTFReportFile::ResolveTag(const std::string& tag) const
{
    return ResolvePictureTag(tag, m_options ? m_options->m_DefaultPictCardPath : std::string());
}

void CRTFReportFile::WriteTaggedPictures(const std::string& comments, int maxWidth, bool reportUnknown)
{
    if (!m_includePictures || comments.find("***") == std::string::npos)
        return;
    for (const std::string& tag : editing::AllTags(comments)) {
        if (editing::TagKind(tag) == editing::kTagError) {
            if (reportUnknown)
                ui::CurrentPort().inform("Unknown embedded tag found.");
            continue;
        }
        const std::string file = ResolveTag(tag);
        std::error_code ec;
        if (file == editing::kTagError || !std::filesystem::is_regular_file(file, ec))
            continue;
        int scale = editing::TagScale(tag);
        if (scale <= 0)
            scale = 100;
        WriteString("\\par ");
        if (WriteScaledPicture(file, scale, scale, maxWidth) == PictureOutcome::NotAPicture)
            WritePictureName(file);
    }
}

} // namespace reports::rtf
