#include "reports/rtf/CRTFReportFile.h"

#include "app/DocumentRules.h"
#include "editing/PictureTags.h"
#include "reports/rtf/AppDataFolder.h"
#include "reports/rtf/PictureProbe.h"
#include "reports/rtf/PngEncoder.h"
#include "reports/rtf/RtfText.h"
#include "store/Bitmap.h"
#include "store/Inspection.h"
#include "store/InspectionType.h"
#include "store/Options.h"
#include "store/Owner.h"
#include "text/Windows1252.h"
#include "ui/Port.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

namespace reports::rtf {
namespace {

constexpr std::size_t kChunk = 4096;
// The tallest a picture prints, in twips (6.5 inches), so that it fits a page.
constexpr int kMaxPictureHeight = 9360;
// Twips per pixel for a picture that states no resolution (96 dots per inch).
constexpr double kDefaultDpi = 96.0;
// A bitmap is converted in memory; larger ones are left out.
constexpr std::uintmax_t kMaxBitmapBytes = 64u << 20;

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

std::string Trim(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

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

    store::InspectionType type;
    if (type.OpenByID(inspection.m_DocTypeID) && type.GetCount() > 0) {
        type.Read(0);
        m_docTypeName = type.m_InspectionType;
        m_reportLayoutOfDocType = type.m_ReportLayout;
    }
    if (m_docTypeName.empty())
        m_docTypeName = inspection.m_DocType;
    m_docNumber = inspection.m_InspectionNum;
    m_date = inspection.m_InspectionDate.DateText();
    m_time = inspection.m_InspectionDate.TimeText();
    m_clientName = inspection.m_ClientName;
    m_clientAddress1 = inspection.m_ClientAddress;
    m_clientAddress2 = inspection.m_ClientCityStateZip;
    m_dwellingAddress1 = inspection.m_DwellingAddress;
    m_dwellingAddress2 = inspection.m_DwellingCityStateZip;
    m_agent = inspection.m_AgentName;
    m_realEstateCompany = inspection.m_RealEstateCompany;
    m_generalInfo = inspection.m_InspectionComments;
    // The inspection's own picture folder when it names one, else the picture card folder.
    m_pictureFolder = inspection.m_String4.empty() ? o.m_DefaultPictCardPath : inspection.m_String4;
    m_fileStem = app::InspectionFileStem(inspection.m_InspectionNum, inspection.m_ClientName,
                                         inspection.m_DwellingAddress, inspection.m_InspectionID);
    m_labels = TitleLabels(o);

    store::Owner owner;
    if (owner.Open() && owner.GetCount() > 0) {
        owner.Read(0);
        m_inspectorName = owner.m_Name;
        m_companyName = owner.m_Company;
        m_contactLine = owner.m_Name;
        // The address is one text of lines: street lines, then the city line.
        const auto lines = Lines(owner.m_Address);
        if (lines.size() == 1) {
            m_address1 = lines[0];
        } else if (lines.size() == 2) {
            m_address1 = lines[0];
            m_cityLine = lines[1];
        } else if (lines.size() > 2) {
            m_address1 = lines[0];
            m_address2 = lines[1];
            for (std::size_t i = 2; i < lines.size(); ++i)
                m_cityLine += (i > 2 ? ", " : "") + lines[i];
        }
        m_workPhone = owner.m_WorkAreaCode.empty() ? owner.m_WorkPhone
                                                   : "(" + owner.m_WorkAreaCode + ") " + owner.m_WorkPhone;
        m_faxNumber = owner.m_FaxNumber.empty() || owner.m_FaxAreaCode.empty()
                          ? owner.m_FaxNumber
                          : "(" + owner.m_FaxAreaCode + ") " + owner.m_FaxNumber;
    }

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

    m_legalText = m_reportKind == kInspectionReport ? o.m_String5 : o.m_SummaryDisclaimer;
    m_definitionsText = o.m_String6;
    m_footerText = o.m_YesNo3 ? o.m_String4 : std::string();
    m_fontName = o.m_ReportFontName.empty() ? std::string("Times New Roman") : o.m_ReportFontName;
    m_fontSizeWord = "fs" + std::to_string(2 * o.m_ReportFontSize);
    m_hideRatings = o.m_HideRatings != 0;
    m_doubleSpacing = o.m_StepSpacing == 2;
    m_sectionBreaks = o.m_YesNo35 != 0;
    m_printCompany = o.m_YesNo0 != 0;
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
    const std::string delimiter =
        m_options && !m_options->m_String7.empty() ? m_options->m_String7 : std::string(", ");
    std::string shown;
    std::size_t start = 0;
    while (start <= materials.size()) {
        auto end = materials.find(';', start);
        if (end == std::string::npos)
            end = materials.size();
        std::string item = Trim(materials.substr(start, end - start));
        // "Other:" entries carry the inspector's own wording after the colon.
        if (item.size() >= 6 && text::EqualsIgnoreCase(item.substr(0, 6), "Other:"))
            item = Trim(item.substr(6));
        if (!item.empty())
            shown += (shown.empty() ? "" : delimiter) + item;
        start = end + 1;
    }
    return shown;
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
    const std::string kind = editing::TagKind(tag);
    if (kind == editing::kKnownPicture)
        return editing::TagFile(tag);
    if (kind == editing::kGenericPicture) {
        const std::string folder = m_options ? m_options->m_DefaultPictCardPath : std::string();
        return editing::NumberedPictureFile(folder, editing::TagPictureNumber(tag));
    }
    return editing::kTagError;
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
