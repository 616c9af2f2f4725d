#include "app/png_resource.h"

#include <QImage>
#include <QImageReader>

QPixmap LoadPngResource(const QString& path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}
