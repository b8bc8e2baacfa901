#pragma once
// The page canvas of the print engine: one printable page surface measured in
// inches from the top left of the printable area. Text is laid out with the
// font metrics of the device it is drawn on (printer or PDF writer), so what
// is measured is what prints. In measure-only mode nothing is drawn and every
// operation still returns the y coordinate below what it would draw.
#include <QColor>
#include <QFont>
#include <QSizeF>

#include <string>

class QPainter;
class QPaintDevice;

namespace reports::print {

// Style and alignment flags of a text box.
enum TextFlags : int {
    kBold = 0x01,
    kItalic = 0x02,
    kUnderline = 0x04,
    kStrikeOut = 0x08,
    kRight = 0x40,
    kCentre = 0x80,
    kExpandTabs = 0x100,
    kSingleLine = 0x200,
    kMeasureOnly = 0x400,
    kVCentre = 0x800,
};

// The family a face name prints in: the Liberation faces stand in for the
// Windows faces they share their metrics with, so pages measure the same on
// every machine.
QString PrintFamily(const std::string& face);

class CReportPage {
public:
    // `painter` may be null: then the page only measures.
    CReportPage(QPaintDevice& device, QPainter* painter);

    double Width() const { return m_width; }
    double Height() const { return m_height; }
    double DpiX() const { return m_dpiX; }
    double DpiY() const { return m_dpiY; }

    void SetFace(const std::string& face) { m_family = PrintFamily(face); }
    void SetMeasureOnly(bool on) { m_measureOnly = on; }
    bool MeasureOnly() const { return m_measureOnly; }
    QPainter* Painter() const { return m_painter; }

    // One paragraph from x to the right edge of the page, word-wrapped.
    double DrawText(double y, double x, int flags, double size, const std::string& text);
    // One paragraph between two x coordinates. The inspector's formatting
    // words are rendered, other codes dropped.
    double DrawTextBox(double y, double left, double right, int flags, double size, const std::string& text,
                       const QColor& colour = Qt::black);
    // Returns the larger y of the two ends.
    double DrawLine(double y1, double x1, double y2, double x2, double penWidthPoints);
    // A rectangle outline (cell borders).
    void DrawFrame(double top, double left, double bottom, double right, double penWidthPoints);

    // The picture of `path` scaled by `scalePercent` and fitted into
    // maxWidth x maxHeight inches, its top at y; returns the y below it. A
    // file that cannot be read leaves its place empty with its name in small type.
    double DrawPicture(const std::string& path, double y, double x, double maxWidth, double maxHeight,
                       int scalePercent = 100);
    // The size in inches the picture would print at (0 x 0 when unreadable).
    QSizeF PictureSize(const std::string& path, double maxWidth, double maxHeight, int scalePercent = 100) const;

    QFont Font(int flags, double size) const;

private:
    QPaintDevice& m_device;
    QPainter* m_painter;
    bool m_measureOnly;
    double m_dpiX, m_dpiY, m_width, m_height;
    QString m_family;
};

} // namespace reports::print
