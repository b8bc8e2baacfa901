#include "reports/print/PictureSource.h"

#include "reports/pictures/PicturePrep.h"

#include <QImageIOHandler>
#include <QImageReader>

#include <algorithm>

namespace reports::print {

std::optional<QSize> PictureNaturalSize(const std::string& path)
{
    if (path.empty())
        return std::nullopt;
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(true);
    QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return std::nullopt;
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        size.transpose();
    return size;
}

QImage PreparedImage(const std::string& path, double widthInches, double heightInches)
{
    const int w = std::max(1, pictures::PixelsFor(widthInches));
    const int h = std::max(1, pictures::PixelsFor(heightInches));
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(true);
    QSize natural = reader.size();
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        natural.transpose();
    if (natural.isValid() && (natural.width() > w || natural.height() > h)) {
        // The reader scales while decoding (before the orientation is applied).
        QSize scaled = natural.scaled(w, h, Qt::KeepAspectRatio);
        if (reader.transformation() & QImageIOHandler::TransformationRotate90)
            scaled.transpose();
        reader.setScaledSize(scaled);
    }
    return reader.read();
}

} // namespace reports::print
