#pragma once
// The HTML report is built in memory as a tree of elements, each of which
// renders itself and its children in order. The family is small and always
// used together, so its classes share this file.
//
// Every text that comes from the data goes through `EscapeHtml`; only the
// element classes write markup of their own, and `CHTMLMarkup` carries
// markup that was made from data by a function that escapes (the formatted
// comments, the contents links).
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace reports::html {

// "&", "<", ">" and '"' as character references; the rest unchanged. Fit for
// element content and for double-quoted attribute values alike.
std::string EscapeHtml(std::string_view text);

class CHTMLElement {
public:
    virtual ~CHTMLElement() = default;
    virtual void Render(std::string& out) const = 0;
    std::string Rendered() const;
};

using ElementPtr = std::unique_ptr<CHTMLElement>;

// An element holding children rendered in order between its own pieces.
class CHTMLContainer : public CHTMLElement {
public:
    template <typename T, typename... A>
    T& Add(A&&... args)
    {
        auto element = std::make_unique<T>(std::forward<A>(args)...);
        T& added = *element;
        m_children.push_back(std::move(element));
        return added;
    }
    void Render(std::string& out) const override { RenderChildren(out); }

protected:
    void RenderChildren(std::string& out) const;

private:
    std::vector<ElementPtr> m_children;
};

// A page: its title, the character set it is written in, the style of the
// body and the children.
class CHTMLPage : public CHTMLContainer {
public:
    explicit CHTMLPage(std::string title) : m_title(std::move(title)) {}
    void Render(std::string& out) const override;

private:
    std::string m_title;
};

struct TextStyle {
    bool bold = false, italic = false, underline = false, centred = false, small = false;
};

// A run of data text with its switches, applied from the inside out.
class CHTMLText : public CHTMLElement {
public:
    using Style = TextStyle;
    explicit CHTMLText(std::string text, Style style = {}) : m_text(std::move(text)), m_style(style) {}
    void Render(std::string& out) const override;

private:
    std::string m_text;
    Style m_style;
};

class CHTMLBreak : public CHTMLElement {
public:
    void Render(std::string& out) const override { out += "<BR>"; }
};

// Markup made elsewhere from escaped data, written as it is.
class CHTMLMarkup : public CHTMLElement {
public:
    explicit CHTMLMarkup(std::string markup) : m_markup(std::move(markup)) {}
    void Render(std::string& out) const override { out += m_markup; }

private:
    std::string m_markup;
};

// A named anchor around its children.
class CHTMLAnchor : public CHTMLContainer {
public:
    explicit CHTMLAnchor(std::string name) : m_name(std::move(name)) {}
    void Render(std::string& out) const override;

private:
    std::string m_name;
};

// A picture; width and height in pixels when known (0: unknown).
class CHTMLImage : public CHTMLElement {
public:
    CHTMLImage(std::string source, int width = 0, int height = 0)
        : m_source(std::move(source)), m_width(width), m_height(height)
    {
    }
    void Render(std::string& out) const override;

private:
    std::string m_source;
    int m_width, m_height;
};

enum class Align { None, Left, Center, Right };
enum class VAlign { None, Top, Middle, Bottom };

class CHTMLCell : public CHTMLContainer {
public:
    explicit CHTMLCell(bool heading = false) : m_heading(heading) {}
    CHTMLCell& SetAlign(Align a) { m_align = a; return *this; }
    CHTMLCell& SetVAlign(VAlign v) { m_valign = v; return *this; }
    CHTMLCell& SetColSpan(int n) { m_colSpan = n; return *this; }
    CHTMLCell& SetWidth(std::string w) { m_width = std::move(w); return *this; }
    void Render(std::string& out) const override;

private:
    bool m_heading;
    Align m_align = Align::None;
    VAlign m_valign = VAlign::None;
    int m_colSpan = 0;
    std::string m_width;
};

class CHTMLRow : public CHTMLElement {
public:
    CHTMLCell& AddCell(bool heading = false);
    void Render(std::string& out) const override;

private:
    std::vector<std::unique_ptr<CHTMLCell>> m_cells;
};

class CHTMLTable : public CHTMLElement {
public:
    CHTMLTable& SetWidth(std::string w) { m_width = std::move(w); return *this; }
    CHTMLTable& SetBorder(int b) { m_border = b; return *this; }
    CHTMLTable& SetCellSpacing(int s) { m_cellSpacing = s; return *this; }
    CHTMLTable& SetCellPadding(int p) { m_cellPadding = p; return *this; }
    CHTMLTable& SetCaption(std::string c) { m_caption = std::move(c); return *this; }
    CHTMLRow& AddRow();
    // A row written as it is (the spacer and picture rows have fixed forms).
    void AddRawRow(std::string markup);
    void Render(std::string& out) const override;

private:
    std::string m_width, m_caption;
    int m_border = -1, m_cellSpacing = -1, m_cellPadding = -1;
    std::vector<ElementPtr> m_rows;
};

} // namespace reports::html
