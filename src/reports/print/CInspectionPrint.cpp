#include "reports/print/CInspectionPrint.h"

#include "editing/PictureTags.h"
#include "reports/layout/StepTableGeometry.h"
#include "reports/rtf/AppDataFolder.h"
#include "reports/rtf/CFullNarrativeRTFFile.h"
#include "reports/rtf/RtfExport.h"
#include "store/Category.h"
#include "store/Inspection.h"
#include "store/Options.h"
#include "store/RatingChoices.h"
#include "store/Step.h"
#include "text/Windows1252.h"
#include "ui/Port.h"

#include <QDate>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

// (1) m_items and m_pages are built once per run by BuildPages; m_pages covers
//     every item exactly once, in order.
// (2) m_bodyNumbers has one entry per page: the number printed on it.

namespace reports::print {
namespace {

constexpr double kLeft = 0.5;     // the left edge of the body
constexpr double kBodyTop = 1.05; // below the page header
constexpr double kPageTop = 0.3;  // title page and text page
constexpr double kRowSpacing = 0.15;
const QColor kRed(0xCC, 0, 0);

std::string Format(const char* format, int a, int b = 0, int c = 0)
{
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    return buffer;
}

bool PlainRating(const std::string& rating)
{
    return rating == "Comments" || rating == "Data" || rating.empty();
}

} // namespace

CInspectionPrint::CInspectionPrint(store::Inspection& inspection, PrintSettings settings, std::string layout)
    : m_inspection(inspection), m_settings(std::move(settings)), m_layout(std::move(layout))
{
    const auto is = [this](const char* name) { return text::EqualsIgnoreCase(m_layout, name); };
    if (is("4 Column"))
        m_columns = 4;
    else if (is("3 Column"))
        m_columns = 3;
    else if (is("Full Narrative") || is("Narrative"))
        m_columns = 1;
    m_french = m_layout == "2 Column French";
    m_fullNarrative = is("Full Narrative");
}

CInspectionPrint::~CInspectionPrint() = default;

std::string CInspectionPrint::HeaderTitle() const
{
    return m_settings.reportName.empty() ? m_values.docTypeName : m_settings.reportName;
}

void CInspectionPrint::LayOutStepTable(CReportPage& page, QPaintDevice& device)
{
    m_edges.fill(m_right);
    m_numbered = m_values.columnWidths[0] > 0.05;
    if (m_columns < 2)
        return;
    layout::StepTableInput input;
    input.columnCount = m_columns;
    input.widthsInches = m_values.columnWidths;
    input.textWidth = static_cast<int>((m_right - kLeft) * layout::kTwipsPerInch);
    input.fontHalfPoints = static_cast<int>(2 * m_size);
    input.french = m_french;
    store::RatingChoices choices;
    if (choices.Open())
        input.ratingWords = choices.Names();
    // Words measured with the metrics of the device the table is drawn on.
    input.measure = [&page, &device](std::string_view word, int halfPoints, bool bold) {
        const QFontMetricsF metrics(page.Font(bold ? kBold : 0, halfPoints / 2.0), &device);
        const double px = metrics.horizontalAdvance(QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size())));
        return static_cast<int>(std::ceil(px / page.DpiX() * layout::kTwipsPerInch));
    };
    const layout::StepTableGeometry table = layout::StepTable(input);
    for (std::size_t i = 0; i < table.edges.size() && i < m_edges.size(); ++i)
        m_edges[i] = kLeft + static_cast<double>(table.edges[i] - table.left) / layout::kTwipsPerInch;
    m_numbered = table.numbered;
}

bool CInspectionPrint::Cancelled() const
{
    return m_progress && m_progress->cancelled();
}

bool CInspectionPrint::Included(const std::string& title) const
{
    if (m_settings.allCategories)
        return true;
    const auto& chosen = m_settings.selectedCategories;
    return std::find(chosen.begin(), chosen.end(), title) != chosen.end();
}

bool CInspectionPrint::QualifiesForSummary(const store::Step& step) const
{
    if (step.m_InspectResult == "Omit")
        return false;
    if (m_settings.ratingFilter.empty() || m_settings.ratingFilter == kAllRatings)
        return m_marks.IsSummary(step.m_InspectResult, step.m_StepRatingType);
    return step.m_InspectResult == m_settings.ratingFilter;
}

std::string CInspectionPrint::TagFile(const std::string& tag)
{
    if (editing::TagKind(tag) == editing::kTagError) {
        if (!m_unknownTagShown)
            ui::CurrentPort().inform("Unknown embedded tag found.");
        m_unknownTagShown = true;
        return editing::kTagError;
    }
    return reports::rtf::ResolvePictureTag(tag, m_pictureCardFolder);
}

std::vector<std::pair<std::string, int>> CInspectionPrint::TaggedPictures(const std::string& text)
{
    std::vector<std::pair<std::string, int>> pictures;
    if (text.find("***") == std::string::npos)
        return pictures;
    for (const std::string& tag : editing::AllTags(text)) {
        const std::string file = TagFile(tag);
        if (file == editing::kTagError)
            continue;
        const int scale = editing::TagScale(tag);
        pictures.emplace_back(file, scale > 0 ? scale : 100);
    }
    return pictures;
}

PrintItem& CInspectionPrint::Add(std::unique_ptr<PrintItem> item, const std::string& category)
{
    item->entry.category = category;
    m_items.push_back(std::move(item));
    return *m_items.back();
}

// ------------------------------------------------------------------ pages

void CInspectionPrint::BuildPages(QPagedPaintDevice& device)
{
    store::Options options;
    m_values = reports::rtf::ReadReportValues(m_inspection, options,
                                              m_settings.reportKind == PrintReport::Inspection);
    m_pictureCardFolder = options.m_DefaultPictCardPath;
    m_size = m_values.fontSize >= 6 && m_values.fontSize <= 24 ? m_values.fontSize : 10;
    m_marks.Load();
    m_items.clear();
    m_unknownTagShown = false;

    CReportPage page(device, nullptr);
    page.SetFace(m_values.fontName);
    m_right = std::min(8.0, page.Width());
    LayOutStepTable(page, device);

    BuildTitlePage();
    BuildTextPage();
    BuildBody();

    std::vector<PageEntry> entries;
    entries.reserve(m_items.size());
    for (auto& item : m_items) {
        item->entry.height = item->CalcHeight(page);
        entries.push_back(item->entry);
    }
    m_pages = Paginate(entries, Continued());
    m_bodyNumbers.clear();
    for (int i = 0; i < PageCount(); ++i)
        m_bodyNumbers.push_back(m_settings.startingPageNumber + i);
}

void CInspectionPrint::AddCompanyBlock(double size)
{
    auto centred = [&](const std::string& text, int flags, double points) {
        if (!text.empty())
            Add(std::make_unique<TextItem>(kLeft, m_right, kCentre | flags, points, text));
    };
    centred(m_values.companyName, kBold, 14);
    centred(m_values.contactLine, 0, size);
    centred(m_values.address1, 0, size);
    centred(m_values.address2, 0, size);
    centred(m_values.cityLine, 0, size);
    if (!m_values.workPhone.empty() || !m_values.faxNumber.empty())
        centred(m_values.faxNumber.empty() ? m_values.workPhone
                                           : m_values.workPhone + " Fax #:" + m_values.faxNumber,
                0, size);
}

void CInspectionPrint::BuildTitlePage()
{
    const std::size_t start = m_items.size();
    if (ShowsLogo()) {
        const std::string logo = reports::rtf::LogoFile("logo1.jpg");
        if (!logo.empty() && std::filesystem::exists(logo))
            Add(std::make_unique<PictureItem>(logo, kLeft, 3.0, 1.5));
    }
    if (!TitleLine().empty())
        Add(std::make_unique<TextItem>(kLeft, m_right, kCentre | kBold, 14, TitleLine()));
    AddCompanyBlock(m_size);
    Add(std::make_unique<SpaceItem>(0.3));
    Add(std::make_unique<TextItem>(kLeft, m_right, kCentre | kBold, 18, HeaderTitle()));
    Add(std::make_unique<SpaceItem>(0.3));

    const auto& v = m_values;
    const double labelAt = 1.0, valueAt = 2.8, secondLabel = 5.0, secondValue = 6.1;
    auto pair = [&](const std::string& label, const std::string& value, const std::string& label2 = {},
                    const std::string& value2 = {}) {
        std::vector<Cell> cells;
        cells.push_back({labelAt, valueAt - 0.1, label.empty() ? "" : label + ":", kBold, m_size});
        cells.push_back({valueAt, label2.empty() ? m_right : secondLabel - 0.1, value, 0, m_size});
        if (!label2.empty()) {
            cells.push_back({secondLabel, secondValue - 0.05, label2, kBold, m_size});
            cells.push_back({secondValue, m_right, value2, 0, m_size});
        }
        Add(std::make_unique<RowItem>(std::move(cells)));
    };
    pair(v.labels[5], v.docNumber, m_french ? "Inspecteur:" : "Inspector:", v.inspectorName);
    pair(v.labels[7], v.date);
    pair(m_french ? "Adresse" : v.labels[0], v.dwellingAddress1 + "\n" + v.dwellingAddress2);
    std::string client = v.clientName;
    for (const std::string* line : {&v.clientAddress1, &v.clientAddress2})
        if (!line->empty())
            client += "\n" + *line;
    pair(v.labels[6], client);
    if (!v.agent.empty())
        pair(v.labels[2], v.agent);
    if (!v.realEstateCompany.empty())
        pair(v.labels[4], v.realEstateCompany);
    Add(std::make_unique<SpaceItem>(0.2));

    if (ShowsHousePhoto() && !v.pictureFolder.empty()) {
        const std::string photo = (std::filesystem::path(v.pictureFolder) / "HousePhoto.jpg").string();
        if (std::filesystem::exists(photo))
            Add(std::make_unique<PictureItem>(photo, kLeft, m_right - kLeft, 4.0, 100, true));
    }
    for (const auto& [file, scale] : TaggedPictures(v.generalInfo))
        Add(std::make_unique<PictureItem>(file, kLeft, m_right - kLeft, 4.0, scale, true));
    if (!v.legalText.empty())
        Add(std::make_unique<TextItem>(kLeft, m_right, 0, std::min(m_size, 10.0), v.legalText));

    for (std::size_t i = start; i < m_items.size(); ++i)
        m_items[i]->entry.furniture = false;
    if (start < m_items.size())
        m_items[start]->entry.newPage = true;
}

void CInspectionPrint::BuildTextPage()
{
    const std::size_t start = m_items.size();
    const auto& v = m_values;
    Add(std::make_unique<TextItem>(kLeft, m_right, kBold | kCentre, m_size + 2, "DEFINITION OF TERMS"));
    if (v.definitionsText.empty()) {
        for (const auto& [term, meaning] : reports::rtf::StandardDefinitions())
            Add(std::make_unique<RowItem>(
                std::vector<Cell>{{kLeft, 2.4, term, kBold, m_size}, {2.5, m_right, meaning, 0, m_size}}));
    } else {
        Add(std::make_unique<TextItem>(kLeft, m_right, 0, m_size, v.definitionsText));
    }
    if (v.generalInfo.size() > 2) {
        Add(std::make_unique<SpaceItem>(0.2));
        Add(std::make_unique<TextItem>(kLeft, m_right, kBold | kCentre, m_size + 2,
                                       m_french ? "INFORMATION GENERALE" : "GENERAL INFORMATION"))
            .entry.keepWithNext = true;
        Add(std::make_unique<TextItem>(kLeft, m_right, 0, m_size, editing::StripAllTags(v.generalInfo)));
    }
    for (std::size_t i = start; i < m_items.size(); ++i)
        m_items[i]->entry.furniture = false;
    m_items[start]->entry.newPage = true;
}

void CInspectionPrint::BuildBody()
{
    store::Category categories;
    categories.OpenByInspection(m_inspection.m_InspectionID);
    bool first = true;
    for (int i = 0; i < categories.GetCount() && !Cancelled(); ++i) {
        categories.Read(i);
        if (categories.m_CategoryNotPresent || !Included(categories.m_CategoryTitle))
            continue;
        BuildCategory(categories.m_CategoryID, categories.m_CategoryTitle, categories.m_CategoryComments, first);
        first = false;
    }
}

void CInspectionPrint::AddHeading(const std::string& name, const std::string& note, bool newPage)
{
    PrintItem& heading = Add(std::make_unique<TextItem>(kLeft, m_right, kBold | kCentre, 14, name), name);
    heading.entry.opensCategory = true;
    heading.entry.keepWithNext = true;
    heading.entry.newPage = newPage;
    if (!note.empty())
        Add(std::make_unique<TextItem>(kLeft, m_right, 0, m_size, note), name).entry.keepWithNext = true;
}

void CInspectionPrint::AddHeaderRow(const std::string& category)
{
    const auto& e = m_edges;
    std::vector<Cell> cells;
    const int b = kBold;
    if (m_columns == 4) {
        cells = {{kLeft, e[1], "Component", b, m_size},
                 {e[1], e[2], "Material Type", b, m_size},
                 {e[2], e[3], "Rating", b, m_size},
                 {e[3], m_right, "Comments", b, m_size}};
    } else if (m_columns == 3) {
        cells = {{kLeft, e[1], "Component", b, m_size},
                 {e[1], e[2], "Rating", b, m_size},
                 {e[2], m_right, "Comment", b, m_size}};
    } else {
        cells = {{kLeft, e[0], m_french ? "Etape" : "Step#", b, m_size},
                 {e[0], e[1], m_french ? "Composante" : "Component", b, m_size},
                 {e[1], m_right, m_french ? "Commentaires" : "Comments", b, m_size}};
    }
    Add(std::make_unique<RowItem>(std::move(cells), 0, m_settings.borders), category).entry.keepWithNext = true;
}

void CInspectionPrint::BuildCategory(int categoryID, const std::string& name, const std::string& note,
                                     bool firstCategory)
{
    store::Step steps;
    steps.OpenByCategory(categoryID);
    const int count = steps.GetCount();
    if (count == 0)
        return;
    const bool newPage = firstCategory || !m_settings.continuous;

    if (FullNarrative()) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            steps.Read(i);
            if (steps.m_InspectResult != "Omit" && !steps.m_Comments.empty())
                text += (text.empty() ? "" : " ") + steps.m_Comments;
        }
        AddHeading(name, {}, newPage);
        Cell cell{kLeft, m_right, editing::StripAllTags(text), 0, m_size};
        cell.pictures = TaggedPictures(text);
        Add(std::make_unique<RowItem>(std::vector<Cell>{cell}), name);
        return;
    }

    AddHeading(name, note, newPage);
    if (m_columns > 1)
        AddHeaderRow(name);
    for (int i = 0; i < count && !Cancelled(); ++i) {
        steps.Read(i);
        if (steps.m_InspectResult == "Omit")
            continue;
        AddStep(steps, name);
    }
}

void CInspectionPrint::AddStep(const store::Step& step, const std::string& category)
{
    const bool bold = m_marks.IsBold(step.m_InspectResult, step.m_StepRatingType);
    const QColor colour = m_marks.IsRed(step.m_InspectResult, step.m_StepRatingType) ? kRed : QColor(Qt::black);
    const int style = bold ? kBold : 0;
    const std::string rating = m_values.hideRatings ? std::string() : step.m_InspectResult;
    const std::string materials = reports::rtf::MaterialsDisplay(step.m_Materials, m_values.materialsDelimiter);
    const std::string comments = editing::StripAllTags(step.m_Comments);
    const auto pictures = TaggedPictures(step.m_Comments);
    const double extra = m_values.doubleSpacing ? kRowSpacing : 0.0;
    auto stepPicture = [&] {
        if (!step.m_BitmapPath.empty())
            Add(std::make_unique<PictureItem>(step.m_BitmapPath, kLeft,
                                              reports::rtf::CRTFReportFile::kStepPictureWidth / 1440.0,
                                              reports::rtf::CRTFReportFile::kStepPictureHeight / 1440.0),
                category);
    };
    if (step.m_PictureBefore)
        stepPicture();

    if (m_columns == 1) {
        Items parts;
        parts.push_back(std::make_unique<TextItem>(kLeft, m_right, kBold, m_size, step.m_StepTitle));
        if (!rating.empty())
            parts.push_back(std::make_unique<TextItem>(kLeft, m_right, kItalic, m_size, rating));
        Cell body{kLeft, m_right, materials.empty() ? comments : materials + " " + comments, style, m_size, colour};
        body.pictures = pictures;
        parts.push_back(std::make_unique<RowItem>(std::vector<Cell>{body}, extra));
        Add(std::make_unique<StackItem>(std::move(parts)), category);
    } else {
        const auto& e = m_edges;
        const std::string first = m_numbered ? step.m_StepNumber + " " + step.m_StepTitle : step.m_StepTitle;
        std::string lead = materials;
        if (!lead.empty() && !comments.empty())
            lead += lead.back() == '.' ? " " : ". ";
        std::vector<Cell> cells;
        cells.push_back({kLeft, e[1], first, 0, m_size});
        if (m_columns == 4) {
            cells.push_back({e[1], e[2], materials, 0, m_size});
            cells.push_back({e[2], e[3], rating, style, m_size, colour});
            cells.push_back({e[3], m_right, comments, style, m_size, colour});
        } else if (m_columns == 3) {
            cells.push_back({e[1], e[2], rating, style, m_size, colour});
            cells.push_back({e[2], m_right, lead + comments, style, m_size, colour});
        } else {
            const std::string prefix = PlainRating(rating) ? std::string() : rating + ". ";
            cells.push_back({e[1], m_right, prefix + lead + comments, style, m_size, colour});
        }
        cells.back().pictures = pictures;
        Add(std::make_unique<RowItem>(std::move(cells), extra, m_settings.borders), category);
    }
    if (!step.m_PictureBefore)
        stepPicture();
}

// -------------------------------------------------------------- summaries

void CInspectionPrint::AddSummaryRow(const store::Step& step, const std::string& category)
{
    const bool major = m_settings.reportKind == PrintReport::MajorSystems;
    const bool bold = m_marks.IsBold(step.m_InspectResult, step.m_StepRatingType);
    const QColor colour = m_marks.IsRed(step.m_InspectResult, step.m_StepRatingType) ? kRed : QColor(Qt::black);
    std::string title = step.m_StepTitle;
    if (major || m_values.columnWidths[0] > 0.05)
        title = step.m_StepNumber + ". " + title;
    std::string shown = editing::StripAllTags(step.m_Comments);
    if (!major)
        if (const auto rule = shown.find("---"); rule != std::string::npos)
            shown = shown.substr(rule + 3);
    const std::string& rating = step.m_InspectResult;
    std::string prefix;
    if (!PlainRating(rating) && (major || !m_values.hideRatings))
        prefix = rating + (major ? ". " : ".  ");
    const double split = kLeft + 1.75;
    std::vector<Cell> cells{{kLeft, split - 0.1, title, 0, m_size},
                            {split, m_right, prefix + shown, bold ? kBold : 0, m_size, colour}};
    const double extra = m_values.doubleSpacing ? kRowSpacing : 0.0;
    Add(std::make_unique<RowItem>(std::move(cells), extra, m_settings.borders), category);
}

void CSummaryPrint::BuildTitlePage()
{
    const std::size_t start = m_items.size();
    const auto& v = m_values;
    AddCompanyBlock(12);
    Add(std::make_unique<SpaceItem>(0.15));
    const bool french = m_french;
    const std::string docLabel = french ? "No d'inspection" : v.labels[5];
    std::vector<Cell> first{{0.5, 4.4, docLabel + ": " + v.docNumber, 0, 12}};
    if (!v.clientName.empty())
        first.push_back({4.5, m_right, v.labels[6] + ": " + v.clientName, 0, 12});
    Add(std::make_unique<RowItem>(std::move(first)));
    Add(std::make_unique<RowItem>(std::vector<Cell>{
        {0.5, 4.4, v.labels[0] + ":  " + v.dwellingAddress1 + "\n" + v.dwellingAddress2, 0, 12},
        {4.5, m_right, (french ? "Inspecteur:  " : "Inspector:  ") + v.inspectorName, 0, 12}}));
    if (!v.legalText.empty())
        Add(std::make_unique<TextItem>(0.5, m_right, 0, 10, v.legalText));
    Add(std::make_unique<SpaceItem>(0.1));
    if (start < m_items.size())
        m_items[start]->entry.newPage = true;
}

void CSummaryPrint::BuildBody()
{
    store::Category categories;
    categories.OpenByInspection(m_inspection.m_InspectionID);
    bool any = false;
    for (int i = 0; i < categories.GetCount() && !Cancelled(); ++i) {
        categories.Read(i);
        if (categories.m_CategoryNotPresent || !Included(categories.m_CategoryTitle))
            continue;
        store::Step steps;
        steps.OpenByCategory(categories.m_CategoryID);
        bool headed = false;
        for (int s = 0; s < steps.GetCount(); ++s) {
            steps.Read(s);
            if (!QualifiesForSummary(steps))
                continue;
            if (!headed)
                AddHeading(categories.m_CategoryTitle, {}, false);
            headed = any = true;
            AddSummaryRow(steps, categories.m_CategoryTitle);
        }
    }
    if (!any)
        Add(std::make_unique<TextItem>(0.5, m_right, kBold | kUnderline, 12, reports::rtf::kNoSummaryItems));
}

void CMajorSystemsPrint::BuildBody()
{
    // Every step of the inspection by system and number, of a summary rating.
    store::Step steps;
    steps.OpenByInspectionMajorSystem(m_inspection.m_InspectionID);
    bool any = false, groupStarted = false, headed = false;
    std::string previous;
    for (int i = 0; i < steps.GetCount() && !Cancelled(); ++i) {
        steps.Read(i);
        if (!groupStarted || steps.m_MajorSystem != previous) {
            groupStarted = true;
            previous = steps.m_MajorSystem;
            headed = false;
        }
        if (steps.m_InspectResult == "Omit" || !m_marks.IsSummary(steps.m_InspectResult, steps.m_StepRatingType))
            continue;
        if (!headed)
            AddHeading(steps.m_MajorSystem, {}, false);
        headed = any = true;
        AddSummaryRow(steps, steps.m_MajorSystem);
    }
    if (!any)
        Add(std::make_unique<TextItem>(0.5, m_right, kBold | kUnderline, 12, reports::rtf::kNoSummaryItems));
}

std::string CAffiliatePrint::TitleLine() const
{
    return reports::rtf::CFullNarrativeRTFFile::kAffiliateTitle;
}

// ---------------------------------------------------------------- drawing

void CInspectionPrint::DrawHeader(CReportPage& page, int index)
{
    const double right = m_right;
    const std::string number = Format("Page: %d of %d", m_bodyNumbers[static_cast<std::size_t>(index)],
                                      m_settings.startingPageNumber + PageCount() - 1);
    const QDate today = QDate::currentDate();
    const std::string date = Format("%d/%d/%d", today.month(), today.day(), today.year());
    double y = page.DrawTextBox(0, kLeft, right, kRight | kBold | kSingleLine, 10, number);
    page.DrawTextBox(0, kLeft, right, kItalic | kSingleLine, 10, date);
    if (!m_values.clientName.empty())
        y = std::max(y, page.DrawTextBox(0, 2.0, right - 1.5, kCentre | kItalic | kSingleLine, 10,
                                         m_values.labels[6] + ": " + m_values.clientName));
    y = page.DrawTextBox(y, kLeft, right, kCentre | kBold | kSingleLine, 14, HeaderTitle());
    const std::string& title = m_pages[static_cast<std::size_t>(index)].title;
    if (!title.empty())
        y = page.DrawTextBox(y, kLeft, right, kCentre | kBold | kUnderline | kSingleLine, 14, title);
    page.DrawLine(y + 0.1, 0, y + 0.1, std::min(8.0, page.Width()), 1.5);
}

void CInspectionPrint::DrawFooter(CReportPage& page)
{
    const double bottom = page.Height();
    const double lineAt = bottom - 0.4;
    page.DrawLine(lineAt, 0, lineAt, std::min(8.0, page.Width()), 0.75);
    if (!m_values.footerText.empty())
        page.DrawTextBox(lineAt + 0.06, 0, std::min(8.0, page.Width()), kCentre | kSingleLine, 10,
                         m_values.footerText);
}

void CInspectionPrint::DrawPage(CReportPage& page, int index)
{
    const Page& p = m_pages[static_cast<std::size_t>(index)];
    double y = kPageTop;
    if (p.furniture) {
        DrawHeader(page, index);
        DrawFooter(page);
        y = kBodyTop;
    }
    for (int i = p.first; i < p.first + p.count; ++i) {
        if (Cancelled())
            return;
        y = m_items[static_cast<std::size_t>(i)]->Print(page, y) + kItemGap;
    }
}

PrintResult CInspectionPrint::Print(QPagedPaintDevice& device, int first, int last, int copies,
                                    const std::function<void()>& abort)
{
    QPainter painter;
    if (!painter.begin(&device))
        return PrintResult::Failed;
    m_progress = ui::CurrentPort().progress();
    m_progress->setTitle(Caption());
    if (m_settings.reportKind == PrintReport::MajorSystems)
        m_progress->setStatus("Finding Major Systems...");
    m_progress->setStatus("Building Pages...");
    BuildPages(device);

    const std::vector<int> sequence = PrintSequence(PageCount(), first, last, copies);
    m_progress->setRange(0, static_cast<int>(sequence.size()));
    m_progress->setPosition(0);
    CReportPage page(device, &painter);
    page.SetFace(m_values.fontName);
    const bool range = first != -1;
    const int perCopy = copies > 0 ? static_cast<int>(sequence.size()) / copies : 0;
    bool cancelled = false;
    for (std::size_t k = 0; k < sequence.size(); ++k) {
        if (Cancelled()) {
            cancelled = true;
            break;
        }
        const int index = sequence[k];
        const int number = index + 1;
        const int copy = perCopy > 0 ? static_cast<int>(k) / perCopy + 1 : 1;
        if (copies > 1)
            m_progress->setStatus(range ? Format("Printing page: %d for copy: %d\n", number, copy)
                                        : Format("Printing page: %d of %d for copy: %d\n", number, PageCount(), copy));
        else
            m_progress->setStatus(range ? Format("Printing page: %d\n", number)
                                        : Format("Printing page: %d of %d\n", number, PageCount()));
        if (k > 0 && !device.newPage()) {
            painter.end();
            m_progress.reset();
            return PrintResult::Failed;
        }
        DrawPage(page, index);
        m_progress->setStatus(Format("Page: %d printed.\n", number));
        m_progress->setPosition(static_cast<int>(k) + 1);
    }
    cancelled = cancelled || Cancelled();
    if (cancelled && abort)
        abort();
    painter.end();
    m_progress.reset();
    return cancelled ? PrintResult::Cancelled : PrintResult::Printed;
}

// -------------------------------------------------------------- dispatch

std::unique_ptr<CInspectionPrint> MakePrint(store::Inspection& inspection, const PrintSettings& settings)
{
    const std::string reportLayout = reports::rtf::ReportLayoutOf(inspection);
    switch (PrintClassOf(ChoosePrinter(settings.reportKind, reportLayout))) {
    case PrintClass::Affiliate:
        return std::make_unique<CAffiliatePrint>(inspection, settings, "Full Narrative");
    case PrintClass::FullNarrative:
        return std::make_unique<CFullNarrativePrint>(inspection, settings, "Full Narrative");
    case PrintClass::Summary:
        return std::make_unique<CSummaryPrint>(inspection, settings, reportLayout);
    case PrintClass::MajorSystems:
        return std::make_unique<CMajorSystemsPrint>(inspection, settings, reportLayout);
    case PrintClass::RatingGrid:
    case PrintClass::Inspection:
        break;
    }
    return std::make_unique<CInspectionPrint>(inspection, settings, reportLayout);
}

} // namespace reports::print
