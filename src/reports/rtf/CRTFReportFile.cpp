#include "reports/rtf/CRTFReportFile.h"

#include "editing/PictureTags.h"
#include "reports/rtf/AppDataFolder.h"
#include "reports/rtf/PictureProbe.h"
#include "reports/rtf/PngEncoder.h"
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
// The tallest a picture prints, in twips (6.5 inches), so that it fits a page.
constexpr int kMaxPictureHeight = 9360;
// Twips per pixel for a picture that states no resolution (96 dots per inch).
constexpr double kDefaultDpi = 96.0;
// A bitmap is converted in memory; larger ones are left out.
constexpr std::uintmax_t kMaxBitmapBytes = 64u << 20;

// The picture's printed size at 100 %, in twips.
void NaturalTwips(const PictureInfo& info, int& w, int& h)
{
    const double dpiX = info.dpiX > 0 ? info.dpiX : kDefaultDpi;
    const double dpiY = info.dpiY > 0 ? info.dpiY : kDefaultDpi;
    w = static_cast<int>(info.width * 1440.0 / dpiX);
    h = static_cast<int>(info.height * 1440.0 / dpiY);
}

// The size words of a picture, its goal size limited so that at the given
// scales it prints at most `maxWidth` wide and kMaxPictureHeight high.
std::string SizeWords(const PictureInfo& info, int scaleX, int scaleY, int maxWidth)
{
    if (info.width <= 0 || info.height <= 0)
        return {};
    int w = 0, h = 0;
    NaturalTwips(info, w, h);
    double factor = 1.0;
    const double printedW = w * scaleX / 100.0, printedH = h * scaleY / 100.0;
    if (maxWidth > 0 && printedW > maxWidth)
        factor = maxWidth / printedW;
    if (printedH * factor > kMaxPictureHeight)
        factor = kMaxPictureHeight / printedH;
    w = std::max(1, static_cast<int>(std::lround(w * factor)));
    h = std::max(1, static_cast<int>(std::lround(h * factor)));
    return "\\picw" + std::to_string(info.width) + "\\pich" + std::to_string(info.height) + "\\picwgoal" +
           std::to_string(w) + "\\pichgoal" + std::to_string(h);
}

std::string PictHead(int scaleX, int scaleY)
{
    return "{\\*\\shppict {\\pict\\picscalex" + std::to_string(scaleX) + "\\picscaley" + std::to_string(scaleY) +
           "\\piccropl0\\piccropr0\\piccropt0\\piccropb0";
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

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
    m_fileStem = inspection.m_InspectionNum;
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

bool CRTFReportFile::StreamHex(std::FILE* file)
{
    unsigned char in[kChunk];
    std::string out;
    out.reserve(2 * kChunk);
    for (;;) {
        const std::size_t n = std::fread(in, 1, kChunk, file);
        if (n == 0)
            break;
        out.clear();
        AppendHex(out, in, n);
        WriteString(out);
        if (n < kChunk)
            break;
    }
    return true;
}

namespace {

// Opens a picture file for reading, or nothing when it cannot be read.
FilePtr OpenPicture(const std::string& path)
{
    if (path.empty())
        return nullptr;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return nullptr;
    return FilePtr(std::fopen(path.c_str(), "rb"));
}

} // namespace

// Writes the group of one picture: its header, then the file's bytes in hex.
// Bitmaps go as PNG pictures, which every word processor shows.
bool CRTFReportFile::WritePictureGroup(std::FILE* file, int scaleX, int scaleY, int maxWidth)
{
    const PictureInfo info = ProbePicture(file);
    const std::string head = PictHead(scaleX, scaleY) + SizeWords(info, scaleX, scaleY, maxWidth);
    if (info.format == PictureFormat::Bmp) {
        std::fseek(file, 0, SEEK_END);
        const long size = std::ftell(file);
        if (size <= 0 || static_cast<std::uintmax_t>(size) > kMaxBitmapBytes)
            return false;
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
        std::fseek(file, 0, SEEK_SET);
        if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size())
            return false;
        const auto bitmap = store::DecodeBitmapFile(bytes.data(), bytes.size());
        if (!bitmap)
            return false;
        const auto png = EncodePng(*bitmap);
        std::string hex;
        AppendHex(hex, png.data(), png.size());
        WriteString(head + "\\pngblip " + hex + "}}");
        return true;
    }
    std::fseek(file, 0, SEEK_SET);
    WriteString(head + (info.format == PictureFormat::Png ? "\\pngblip " : "\\jpegblip "));
    StreamHex(file);
    WriteString("}}");
    return true;
}

void CRTFReportFile::WritePicture(const std::string& path, const std::string&, const std::string&)
{
    if (path.empty() || !m_includePictures)
        return;
    WriteString("\\trowd\\trgaph108\\trleft-108\\trhdr\\cellx" + std::to_string(kPictureRowEdge) + "\\intbl\\ql");
    if (FilePtr file = OpenPicture(path))
        WritePictureGroup(file.get(), 100, 100, kPictureRowEdge - 108);
    WriteString("\\cell\\row");
    WriteString(" ");
}

bool CRTFReportFile::WriteScaledPicture(const std::string& path, int scaleX, int scaleY, int maxWidth)
{
    FilePtr file = OpenPicture(path);
    if (!file)
        return false;
    WriteString("\\ql");
    const bool written = WritePictureGroup(file.get(), scaleX, scaleY, maxWidth);
    WriteString(" ");
    return written;
}

bool CRTFReportFile::WriteInlinePicture(const std::string& path, int maxWidth)
{
    FilePtr file = OpenPicture(path);
    if (!file)
        return false;
    const bool written = WritePictureGroup(file.get(), 100, 100, maxWidth);
    WriteString(" ");
    return written;
}

bool CRTFReportFile::WriteBitmapPicture(const store::Bitmap& bitmap, int scale, int maxWidth)
{
    if (bitmap.width <= 0 || bitmap.height <= 0)
        return false;
    PictureInfo info;
    info.format = PictureFormat::Png;
    info.width = bitmap.width;
    info.height = bitmap.height;
    const auto png = EncodePng(bitmap);
    std::string hex;
    AppendHex(hex, png.data(), png.size());
    WriteString("\\ql");
    WriteString(PictHead(scale, scale) + SizeWords(info, scale, scale, maxWidth) + "\\pngblip " + hex + "}}");
    WriteString(" ");
    return true;
}

void CRTFReportFile::WriteLogo(int scale)
{
    const int maxWidth = 4 * 1440;
    bool written = WriteScaledPicture(LogoFile("logo1.jpg"), scale, scale, maxWidth);
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
        if (file == editing::kTagError || !OpenPicture(file))
            continue;
        int scale = editing::TagScale(tag);
        if (scale <= 0)
            scale = 100;
        WriteString("\\par ");
        WriteScaledPicture(file, scale, scale, maxWidth);
    }
}

} // namespace reports::rtf
