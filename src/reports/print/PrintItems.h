#pragma once
// Print items: one object per printable block of the report (title block,
// text block, category heading, table header row, step row, narrative block,
// picture). Each measures itself (CalcHeight) and draws itself at a given y
// (Print); measuring is drawing in measure-only mode, so the two agree.
#include "reports/print/CReportPage.h"
#include "reports/print/Pagination.h"

#include <QColor>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace reports::print {

// The tallest a picture prints, so that it fits a page with its row.
inline constexpr double kMaxPictureHeight = 6.5;

class PrintItem {
public:
    virtual ~PrintItem() = default;
    // Draws the item with its top at y; returns the y below it.
    virtual double Print(CReportPage& page, double y) = 0;
    double CalcHeight(CReportPage& page);

    PageEntry entry; // how the item takes part in pagination
};

using Items = std::vector<std::unique_ptr<PrintItem>>;

// One paragraph between two x coordinates.
class TextItem : public PrintItem {
public:
    TextItem(double left, double right, int flags, double size, std::string text, QColor colour = Qt::black)
        : m_left(left), m_right(right), m_flags(flags), m_size(size), m_text(std::move(text)), m_colour(colour)
    {
    }
    double Print(CReportPage& page, double y) override;

private:
    double m_left, m_right;
    int m_flags;
    double m_size;
    std::string m_text;
    QColor m_colour;
};

// A picture with its top at y; unreadable, an empty place with the file's name.
class PictureItem : public PrintItem {
public:
    PictureItem(std::string path, double left, double maxWidth, double maxHeight, int scale = 100,
                bool centred = false)
        : m_path(std::move(path)), m_left(left), m_maxWidth(maxWidth), m_maxHeight(maxHeight), m_scale(scale),
          m_centred(centred)
    {
    }
    double Print(CReportPage& page, double y) override;

private:
    std::string m_path;
    double m_left, m_maxWidth, m_maxHeight;
    int m_scale;
    bool m_centred;
};

// A cell of a row: text between two edges, then its pictures below the text.
struct Cell {
    double left = 0, right = 0;
    std::string text;
    int flags = 0;
    double size = 10;
    QColor colour = Qt::black;
    std::vector<std::pair<std::string, int>> pictures; // file and scale in percent
};

// A table row (step row, header row, label and value line): as tall as its
// tallest cell plus `extra`, with cell borders when asked.
class RowItem : public PrintItem {
public:
    RowItem(std::vector<Cell> cells, double extra = 0, bool borders = false)
        : m_cells(std::move(cells)), m_extra(extra), m_borders(borders)
    {
    }
    double Print(CReportPage& page, double y) override;

private:
    std::vector<Cell> m_cells;
    double m_extra;
    bool m_borders;
};

// Several items drawn one below the other as one block (a narrative step).
class StackItem : public PrintItem {
public:
    explicit StackItem(Items parts, double gap = 0.04) : m_parts(std::move(parts)), m_gap(gap) {}
    double Print(CReportPage& page, double y) override;

private:
    Items m_parts;
    double m_gap;
};

// Empty space.
class SpaceItem : public PrintItem {
public:
    explicit SpaceItem(double height) : m_height(height) {}
    double Print(CReportPage&, double y) override { return y + m_height; }

private:
    double m_height;
};

} // namespace reports::print
