#include "reports/print/CReportPage.h"

#include "reports/layout/FormattedText.h"
#include "reports/print/PictureSource.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QTextLayout>

#include <algorithm>
#include <filesystem>

namespace reports::print {

QString PrintFamily(const std::string& face)
{
    const QString f = QString::fromStdString(face).trimmed();
    if (f.isEmpty() || f.compare("Times New Roman", Qt::CaseInsensitive) == 0 ||
        f.compare("Times", Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Serif");
    if (f.compare("Arial", Qt::CaseInsensitive) == 0 || f.compare("Helvetica", Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    if (f.compare("Courier New", Qt::CaseInsensitive) == 0 || f.compare("Courier", Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Mono");
    return f;
}

CReportPage::CReportPage(QPaintDevice& device, QPainter* painter)
    : m_device(device), m_painter(painter), m_measureOnly(painter == nullptr),
      m_dpiX(device.logicalDpiX()), m_dpiY(device.logicalDpiY()), m_width(device.width() / m_dpiX),
      m_height(device.height() / m_dpiY), m_family(PrintFamily({}))
{
}

QFont CReportPage::Font(int flags, double size) const
{
    QFont font(m_family);
    font.setPointSizeF(size > 0 ? size : 10);
    font.setWeight(flags & kBold ? QFont::Bold : QFont::Normal);
    font.setItalic((flags & kItalic) != 0);
    font.setUnderline((flags & kUnderline) != 0);
    font.setStrikeOut((flags & kStrikeOut) != 0);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

double CReportPage::DrawText(double y, double x, int flags, double size, const std::string& text)
{
    return DrawTextBox(y, x, m_width, flags, size, text);
}

double CReportPage::DrawTextBox(double y, double left, double right, int flags, double size,
                                const std::string& text, const QColor& colour)
{
    if (text.empty() || right <= left)
        return y;
    const QFont font = Font(flags, size);
    QString all;
    QList<QTextLayout::FormatRange> ranges;
    for (const layout::TextRun& run : layout::ParseFormattedText(text)) {
        QString part;
        switch (run.kind) {
        case layout::RunKind::Text:
            part = QString::fromStdString(run.text);
            break;
        case layout::RunKind::Tab:
            part = flags & kExpandTabs ? QStringLiteral("\t") : QStringLiteral(" ");
            break;
        case layout::RunKind::LineBreak:
        case layout::RunKind::ParagraphBreak:
            part = QChar::LineSeparator;
            break;
        }
        // Text stays plain where the flags ask for no style of its own.
        QTextLayout::FormatRange range;
        range.start = static_cast<int>(all.size());
        range.length = static_cast<int>(part.size());
        if (run.style.bold)
            range.format.setFontWeight(QFont::Bold);
        if (run.style.italic)
            range.format.setFontItalic(true);
        if (run.style.underline)
            range.format.setFontUnderline(true);
        range.format.setForeground(colour);
        ranges.append(range);
        all += part;
    }
    if (flags & kSingleLine)
        all.replace(QChar::LineSeparator, QLatin1Char(' '));
    while (all.endsWith(QChar::LineSeparator))
        all.chop(1);
    if (all.isEmpty())
        return y;

    QTextLayout layout(all, font, &m_device);
    layout.setFormats(ranges);
    QTextOption option;
    option.setAlignment(flags & kCentre ? Qt::AlignHCenter : flags & kRight ? Qt::AlignRight : Qt::AlignLeft);
    option.setWrapMode(flags & kSingleLine ? QTextOption::NoWrap : QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(0.5 * m_dpiX);
    layout.setTextOption(option);
    const double widthPx = (right - left) * m_dpiX;
    double heightPx = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(widthPx);
        line.setPosition(QPointF(0, heightPx));
        heightPx += line.height();
    }
    layout.endLayout();
    if (!m_measureOnly && !(flags & kMeasureOnly) && m_painter) {
        m_painter->save();
        m_painter->setPen(colour);
        layout.draw(m_painter, QPointF(left * m_dpiX, y * m_dpiY));
        m_painter->restore();
    }
    return y + heightPx / m_dpiY;
}

double CReportPage::DrawLine(double y1, double x1, double y2, double x2, double penWidthPoints)
{
    if (!m_measureOnly && m_painter) {
        m_painter->save();
        m_painter->setPen(QPen(Qt::black, penWidthPoints * m_dpiY / 72.0));
        m_painter->drawLine(QPointF(x1 * m_dpiX, y1 * m_dpiY), QPointF(x2 * m_dpiX, y2 * m_dpiY));
        m_painter->restore();
    }
    return std::max(y1, y2);
}

void CReportPage::DrawFrame(double top, double left, double bottom, double right, double penWidthPoints)
{
    if (m_measureOnly || !m_painter)
        return;
    m_painter->save();
    m_painter->setPen(QPen(Qt::black, penWidthPoints * m_dpiY / 72.0));
    m_painter->setBrush(Qt::NoBrush);
    m_painter->drawRect(QRectF(left * m_dpiX, top * m_dpiY, (right - left) * m_dpiX, (bottom - top) * m_dpiY));
    m_painter->restore();
}

QSizeF CReportPage::PictureSize(const std::string& path, double maxWidth, double maxHeight, int scalePercent) const
{
    const auto size = PictureNaturalSize(path);
    if (!size)
        return {};
    // The natural size, at the resolution of a screen picture, scaled by the tag.
    double w = size->width() / kNaturalDpi * scalePercent / 100.0;
    double h = size->height() / kNaturalDpi * scalePercent / 100.0;
    const double factor = std::min({1.0, maxWidth > 0 ? maxWidth / w : 1.0, maxHeight > 0 ? maxHeight / h : 1.0});
    return {w * factor, h * factor};
}

double CReportPage::DrawPicture(const std::string& path, double y, double x, double maxWidth, double maxHeight,
                                int scalePercent)
{
    const QSizeF size = PictureSize(path, maxWidth, maxHeight, scalePercent);
    if (size.isEmpty()) {
        // The place stays empty; the file's name says what is missing.
        const std::string name = std::filesystem::path(path).filename().string();
        return DrawTextBox(y, x, x + std::max(maxWidth, 1.0), kItalic, 7, name.empty() ? path : name);
    }
    if (!m_measureOnly && m_painter) {
        // One picture at a time, prepared at the size it is drawn.
        const QImage image = PreparedImage(path, size.width(), size.height());
        const QRectF target(x * m_dpiX, y * m_dpiY, size.width() * m_dpiX, size.height() * m_dpiY);
        if (!image.isNull())
            m_painter->drawImage(target, image);
    }
    return y + size.height();
}

} // namespace reports::print
