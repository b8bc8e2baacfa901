#include "reports/print/PictureSource.h"

#include "reports/pictures/PicturePrep.h"

#include <QByteArray>

#include <algorithm>

namespace reports::print {

std::optional<QSize> PictureNaturalSize(const std::string& path)
{
    if (path.empty())
        return std::nullopt;
    const auto size = pictures::ReadPictureSize(path);
    if (!size || size->width <= 0 || size->height <= 0)
        return std::nullopt;
    return QSize(size->width, size->height);
}

QImage PreparedImage(const std::string& path, double widthInches, double heightInches)
{
    const auto prepared = pictures::PreparePicture(path, std::max(1, pictures::PixelsFor(widthInches)),
                                                   std::max(1, pictures::PixelsFor(heightInches)));
    if (!prepared)
        return {};
    return QImage::fromData(QByteArray::fromRawData(prepared->bytes.data(), static_cast<qsizetype>(prepared->bytes.size())));
}

} // namespace reports::print
