#include "reports/html/HtmlElements.h"

namespace reports::html {

std::string EscapeHtml(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string CHTMLElement::Rendered() const
{
    std::string out;
    Render(out);
    return out;
}

void CHTMLContainer::RenderChildren(std::string& out) const
{
    for (const auto& child : m_children)
        child->Render(out);
}

void CHTMLPage::Render(std::string& out) const
{
    // The character set is declared before the title, so that a browser reads
    // the title in it too.
    out += "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n<title>";
    out += EscapeHtml(m_title);
    out += "</title>\n<style type=\"text/css\">\n"
           "body { font-family: Arial, Helvetica, sans-serif; font-size: 10pt; color: #000000; "
           "background-color: #FFFFFF; }\n"
           "td, th { font-size: 10pt; }\n"
           "th { background-color: #E8E8E8; }\n"
           "</style>\n</head><body>\n";
    RenderChildren(out);
    out += "\n</body></html>\n";
}

void CHTMLText::Render(std::string& out) const
{
    std::string run = EscapeHtml(m_text);
    if (m_style.bold)
        run = "<B>" + run + "</B>";
    if (m_style.italic)
        run = "<I>" + run + "</I>";
    if (m_style.underline)
        run = "<U>" + run + "</U>";
    if (m_style.centred)
        run = "<CENTER>" + run + "</CENTER>";
    if (m_style.small)
        run = "<FONT SIZE=2>" + run + "</FONT>";
    out += run;
}

void CHTMLAnchor::Render(std::string& out) const
{
    out += "<a NAME=\"";
    out += EscapeHtml(m_name);
    out += "\">";
    RenderChildren(out);
    out += "</a>";
}

void CHTMLImage::Render(std::string& out) const
{
    out += "<img src=\"";
    out += EscapeHtml(m_source);
    out += "\"";
    if (m_width > 0 && m_height > 0)
        out += " width=\"" + std::to_string(m_width) + "\" height=\"" + std::to_string(m_height) + "\"";
    out += " alt=\"Step Picture\">";
}

namespace {

const char* AlignText(Align a)
{
    switch (a) {
    case Align::Left: return "LEFT";
    case Align::Center: return "CENTER";
    case Align::Right: return "RIGHT";
    case Align::None: break;
    }
    return nullptr;
}

const char* VAlignText(VAlign v)
{
    switch (v) {
    case VAlign::Top: return "TOP";
    case VAlign::Middle: return "MIDDLE";
    case VAlign::Bottom: return "BOTTOM";
    case VAlign::None: break;
    }
    return nullptr;
}

} // namespace

void CHTMLCell::Render(std::string& out) const
{
    out += m_heading ? "<TH" : "<TD";
    if (const char* v = VAlignText(m_valign))
        out += std::string(" VALIGN=") + v;
    if (const char* a = AlignText(m_align))
        out += std::string(" ALIGN=") + a;
    if (m_colSpan > 0)
        out += " COLSPAN =" + std::to_string(m_colSpan);
    if (!m_width.empty())
        out += " WIDTH=\"" + EscapeHtml(m_width) + "\"";
    out += ">";
    const std::size_t start = out.size();
    RenderChildren(out);
    // An empty cell would lose its borders in some browsers.
    if (out.size() == start)
        out += "&nbsp;";
    out += m_heading ? "</TH>" : "</TD>";
}

CHTMLCell& CHTMLRow::AddCell(bool heading)
{
    m_cells.push_back(std::make_unique<CHTMLCell>(heading));
    return *m_cells.back();
}

void CHTMLRow::Render(std::string& out) const
{
    out += "<TR>";
    for (const auto& cell : m_cells)
        cell->Render(out);
    out += "</TR>\n";
}

CHTMLRow& CHTMLTable::AddRow()
{
    auto row = std::make_unique<CHTMLRow>();
    CHTMLRow& added = *row;
    m_rows.push_back(std::move(row));
    return added;
}

void CHTMLTable::AddRawRow(std::string markup)
{
    m_rows.push_back(std::make_unique<CHTMLMarkup>(std::move(markup)));
}

void CHTMLTable::Render(std::string& out) const
{
    out += "<TABLE";
    if (!m_width.empty())
        out += " WIDTH=\"" + EscapeHtml(m_width) + "\"";
    if (m_border >= 0)
        out += " BORDER=" + std::to_string(m_border);
    if (m_cellSpacing >= 0)
        out += " CELLSPACING=" + std::to_string(m_cellSpacing);
    if (m_cellPadding >= 0)
        out += " CELLPADDING=" + std::to_string(m_cellPadding);
    out += ">";
    if (!m_caption.empty())
        out += "\n<CAPTION>" + EscapeHtml(m_caption) + "</CAPTION>\n";
    out += "\n";
    for (const auto& row : m_rows)
        row->Render(out);
    out += "\n</TABLE>\n";
}

} // namespace reports::html
