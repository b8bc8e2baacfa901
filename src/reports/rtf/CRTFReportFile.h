#pragma once
// The RTF report writer family. A writer is a file object: it asks for the
// output path, streams the document from front to back (nothing is built in
// memory; pictures go through in 4096-byte chunks) and closes the file. The
// concrete writers fill in the document's pieces; this base keeps the
// settings every writer shares, the output file, the conversion of data text,
// picture embedding, the colour table and the progress window.
#include "reports/rtf/RatingMarks.h"

#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace store {
class Inspection;
class Options;
struct Bitmap;
} // namespace store

namespace ui {
class Progress;
}

namespace reports::rtf {

// Asks for the output file: given the suggested file name and the filter
// text, returns the chosen path or nothing for Cancel.
using FileChooser = std::function<std::optional<std::string>(const std::string& suggested, const std::string& filter)>;

enum class ExportResult { NotRun, Written, Cancelled, Failed };

inline constexpr int kSummaryReport = 0;
inline constexpr int kInspectionReport = 1;
inline constexpr int kMajorSystemsReport = 2;

inline constexpr const char* kAllRatings = "<All Ratings>";
inline constexpr const char* kRtfFilter = "Rich Text Format (*.rtf)|*.rtf|";
inline constexpr const char* kNoSummaryItems = "NO SUMMARY ITEMS WERE FOUND";

class CRTFReportFile {
public:
    CRTFReportFile();
    virtual ~CRTFReportFile();
    CRTFReportFile(const CRTFReportFile&) = delete;
    CRTFReportFile& operator=(const CRTFReportFile&) = delete;

    virtual void WriteSummaryPrologue(const std::string& message) = 0;
    virtual void WriteSummaryCategoryHeading(const std::string& name) = 0;
    virtual void SetReportKind(int kind);
    // Asks for the file and creates it; false after Cancel or a failure.
    virtual bool OpenOutput() = 0;
    virtual void WriteString(std::string_view text);
    virtual void WritePrologue(const std::string& firstTitle, const std::string& secondTitle) = 0;
    virtual void WriteDocumentEnd();
    // Widths in inches; they become the right edges of the step table's cells.
    virtual void SetColumnWidths(double w1, double w2, double w3, double w4, double w5);
    virtual void WriteTableStart() = 0;
    virtual void WriteSectionHeader(const std::string& name, const std::string& note) = 0;
    virtual void WriteStepRow(bool bold, bool red, const std::string& number, const std::string& title,
                              const std::string& materials, const std::string& rating,
                              const std::string& comments) = 0;
    // The step picture in a one-cell row of its own.
    virtual void WritePicture(const std::string& path, const std::string& scaleX, const std::string& scaleY);
    virtual void WritePageBreak();
    virtual void Export() = 0;
    // A second kind of export some writers offer; the report writers have none.
    virtual void ExportSecondary() {}
    virtual void SetDocumentTypeTitle(const std::string& title);

    // Keeps the inspection (not owned), copies its values and the settings
    // the report needs, and works out the layout from its name.
    void Setup(store::Inspection& inspection, const std::string& layoutName);

    void SetIncludePictures(bool include) { m_includePictures = include; }
    void SetRatingFilter(const std::string& filter) { m_ratingFilter = filter; }
    void SetExcludedCategories(std::vector<std::string> names) { m_excludedCategories = std::move(names); }
    // Without a chooser the user-interaction port's save dialog is asked.
    void SetFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

    ExportResult Result() const { return m_result; }
    const std::string& OutputPath() const { return m_outputPath; }
    int ReportKind() const { return m_reportKind; }
    int ColumnCount() const { return m_columnCount; }
    bool IsFrench() const { return m_french; }
    bool IncludesPictures() const { return m_includePictures; }
    const std::string& LayoutName() const { return m_layoutName; }
    const std::string& DocumentTypeTitle() const { return m_documentTypeTitle; }
    int ColumnEdge(int i) const { return m_edges.at(static_cast<std::size_t>(i - 1)); }
    // The font size control word, "fs" and twice the point size.
    const std::string& FontSizeWord() const { return m_fontSizeWord; }
    const std::string& SuggestedFileName() const { return m_suggestedName; }

    // The widest a picture may print in the step picture row, in twips.
    static constexpr int kPictureRowEdge = 8747;
    // The box a step photo prints in at most, in twips (3.25 x 3 in): two
    // photos and their steps fit a page, and 140 phone photos prepared at
    // 300 dpi make a report of under 60 MB.
    static constexpr int kStepPictureWidth = 4680;
    static constexpr int kStepPictureHeight = 3 * 1440;
    // The tallest any picture prints, in twips, so that it fits a page.
    static constexpr int kMaxPictureHeight = 9360;

protected:
    // --- output -----------------------------------------------------------
    // The start every writer's export shares: reads the rating marks, asks
    // for and creates the file. False when there is nothing to write to.
    bool BeginExport();
    // True when the user left the category of this title out of the report.
    bool Excluded(const std::string& categoryTitle) const;
    // Asks for the file (suggesting `suggested`) and creates it.
    bool CreateOutput(const std::string& suggested);
    // A data value, escaped.
    void WriteText(std::string_view utf8);
    // Closes the file; after a cancel or a write failure the partial file is deleted.
    void FinishOutput(bool cancelled);

    // --- progress ---------------------------------------------------------
    void StartProgress(int count);
    void AdvanceProgress();
    bool Cancelled() const;

    // --- pieces every writer shares ---------------------------------------
    void WriteColorTable(bool withGridShade);
    // A new section whose page header shows `title` under the page number;
    // a continuous one starts on the same page.
    void WriteSectionBreak(const std::string& title, bool continuous = false);
    // "\fs" + number: the report font size control word with its backslash.
    std::string Fs() const { return "\\" + m_fontSizeWord; }
    std::string FontHalfPoints() const { return m_fontSizeWord.substr(2); }
    std::string Label(int index) const { return m_labels[static_cast<std::size_t>(index)]; }
    std::string CompanyPhone() const;
    std::string CompanyFax() const;

    // --- pictures ---------------------------------------------------------
    // Every picture is prepared (reports/pictures): upright, scaled down to
    // the size it prints at, JPEG or PNG. A file that is not a picture that
    // can be prepared is never embedded as it is.
    enum class PictureOutcome { Written, Missing, NotAPicture };
    // The picture of `path` at the given scales, limited to `maxWidth` twips
    // as printed. Nothing is written unless it is Written.
    PictureOutcome WriteScaledPicture(const std::string& path, int scaleX, int scaleY, int maxWidth,
                                      int maxHeight = kMaxPictureHeight);
    // The picture at 100 % with no paragraph settings of its own.
    PictureOutcome WriteInlinePicture(const std::string& path, int maxWidth);
    // In place of a picture that is not one: its file name, in italics.
    void WritePictureName(const std::string& path);
    // The cell edges of the step picture row: those of the step rows, so that
    // the table keeps one grid. Empty: one cell across the text width.
    std::vector<int> m_pictureRowEdges;
    // The stored logo of the options as a picture.
    bool WriteBitmapPicture(const store::Bitmap& bitmap, int scale, int maxWidth);
    // The page-header logo: the logo file of the application data folder,
    // otherwise the logo stored in the options; nothing when there is none.
    void WriteLogo(int scale);
    // Each picture tag of `comments` as a scaled picture after a paragraph mark.
    void WriteTaggedPictures(const std::string& comments, int maxWidth, bool reportUnknown);
    // The file a tag names, "ERROR" when it names none.
    std::string ResolveTag(const std::string& tag) const;

    // --- step values --------------------------------------------------------
    // The step's materials as a report lists them.
    std::string MaterialsDisplay(const std::string& materials) const;
    bool IsFourColumn() const { return m_columnCount == 4; }
    bool IsWide() const { return m_columnCount == 4 || m_columnCount == 3; }
    bool IsNarrative() const { return m_columnCount == 1; }
    bool IsFullNarrative() const { return m_layoutName == "Full Narrative"; }
    const std::string& Sp() const; // "\par" with double step spacing, else nothing

    // --- state ------------------------------------------------------------
    std::string m_fontName;
    std::string m_fontSizeWord = "fs24";
    store::Inspection* m_inspection = nullptr;
    std::unique_ptr<store::Options> m_options;

    std::string m_docNumber, m_date, m_time, m_clientName, m_clientAddress1, m_clientAddress2;
    std::string m_dwellingAddress1, m_dwellingAddress2, m_agent, m_realEstateCompany, m_docTypeName;
    std::string m_generalInfo, m_pictureFolder, m_reportLayoutOfDocType;
    std::string m_inspectorName;
    std::array<std::string, 8> m_labels;

    std::string m_companyName, m_contactLine, m_address1, m_address2, m_cityLine, m_workPhone, m_faxNumber;
    std::string m_footerText, m_legalText, m_definitionsText;

    std::string m_layoutName;
    int m_columnCount = 2;
    bool m_french = false;
    int m_reportKind = kInspectionReport;
    bool m_firstSectionPending = true;
    bool m_includePictures = false;
    std::array<int, 5> m_edges{};
    std::array<double, 5> m_widths{}; // the configured column widths, in inches
    std::string m_ratingFilter = kAllRatings;
    std::string m_fileStem;
    std::string m_documentTypeTitle = "EMPTY";
    std::vector<std::string> m_excludedCategories;
    RatingMarks m_marks;

    bool m_hideRatings = false;
    bool m_doubleSpacing = true;
    bool m_sectionBreaks = false;
    bool m_printCompany = false;

private:
    PictureOutcome WritePictureGroup(const std::string& path, int scaleX, int scaleY, int maxWidth, int maxHeight);

    FileChooser m_chooser;
    std::FILE* m_file = nullptr;
    bool m_writeFailed = false;
    std::string m_outputPath;
    std::string m_suggestedName;
    std::unique_ptr<ui::Progress> m_progress;
    int m_progressPosition = 0;
    ExportResult m_result = ExportResult::NotRun;
};

// The eight title-page labels: the defaults, or the custom ones of the options
// when the first custom label is not empty.
std::array<std::string, 8> TitleLabels(const store::Options& options);

// The column edges in twips for widths in inches: each edge is the previous
// one (-108 before the first) plus 1440 per inch, truncated to whole twips.
std::array<int, 5> ColumnEdges(double w1, double w2, double w3, double w4, double w5);

} // namespace reports::rtf
