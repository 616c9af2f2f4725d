// Writes the pixels of a PNG picture as a C++ header, so that the program shows the picture
// without decoding it at start-up. The pixels are those Qt's own PNG reader gives, in the
// layout a pixmap holds on the raster paint engine, so the picture on screen stays the same.
// Run by the build; not installed.
#include <QImage>
#include <QImageReader>
#include <cstdio>
#include <exception>
#include <string>

#include "platform/staged_file.h"

namespace
{

std::string Hex(unsigned char byte)
{
    static const char digits[] = "0123456789abcdef";
    return {'0', 'x', digits[byte >> 4], digits[byte & 0xF], ','};
}

std::string Header(const QImage& image, const std::string& source, const std::string& space)
{
    std::string text = "// Written by the build from " + source +
                       "; change the picture, not this file.\n#pragma once\n\nnamespace " + space +
                       "\n{\ninline constexpr int kWidth = " + std::to_string(image.width()) +
                       ";\ninline constexpr int kHeight = " + std::to_string(image.height()) +
                       ";\n// Rows of 32-bit pixels in the machine's byte order, 0xffRRGGBB when "
                       "opaque, premultiplied otherwise.\ninline constexpr bool kOpaque = " +
                       (image.hasAlphaChannel() ? "false" : "true") +
                       ";\nalignas(4) inline constexpr unsigned char kPixels[] = {\n";
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        for (int x = 0; x < image.width() * 4; ++x)
            text += Hex(row[x]);
        text += '\n';
    }
    return text + "};\n} // namespace " + space + "\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fputs("Usage: sitewright-picture-pixels PICTURE.png OUTPUT.h NAMESPACE\n", stderr);
        return 2;
    }
    QImageReader reader(QString::fromLocal8Bit(argv[1]), "png");
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (image.isNull()) {
        std::fprintf(stderr, "sitewright-picture-pixels: cannot read the PNG picture \"%s\": %s\n",
                     argv[1], reader.errorString().toLocal8Bit().constData());
        return 1;
    }
    // The formats a pixmap keeps an image in on the raster engine, so no conversion is left for
    // start-up.
    image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                          : QImage::Format_RGB32);
    try {
        const std::string source = QString::fromLocal8Bit(argv[1]).section('/', -1).toStdString();
        platform::ReplaceFile(argv[2], Header(image, source, argv[3]), platform::NewFileMode::Data);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "sitewright-picture-pixels: %s\n", error.what());
        return 1;
    }
    return 0;
}
