#include "app/header_band.h"

#include <QImage>

#include "header_band_pixels.h"

QPixmap HeaderBandPixmap()
{
    // The image only lends its pixels from the program's read-only data; the pixmap copies them.
    const QImage image(
        header_band::kPixels, header_band::kWidth, header_band::kHeight, header_band::kWidth * 4,
        header_band::kOpaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    return QPixmap::fromImage(image);
}
