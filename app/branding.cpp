#include "app/branding.h"

#include <cstring>
#include <string>
#include <vector>

#include "app/error_reporting.h"
#include "branding/branding_source.h"
#include "branding/start_up_limits.h"
#include "platform/executable_path.h"

std::vector<std::string> ReadBrandingTexts()
{
    try {
        return branding::ReadBrandingItems(platform::ExecutablePath());
    } catch (const branding::LimitExceeded& error) {
        // A trailer larger than start-up reads is no accident of a plain copy: whoever branded
        // the program learns which limit it broke, and the window keeps its design texts.
        ReportError(QString::fromUtf8(error.what()));
    } catch (...) {
        // Branding texts are optional: a program without a readable trailer starts unbranded,
        // and there is nothing the user could do about a message here.
    }
    return {};
}

QImage ReadBrandingPicture(QSize shown)
{
    const std::string jpeg = branding::ReadBrandingImage();
    if (jpeg.empty())
        return QImage();
    // Only what the control shows is decoded, since the picture is centred there unscaled, and
    // straight into the layout the window system paints, handed over without a copy.
    return ToQImage(
        branding::DecodeJpeg(jpeg, {shown.width(), shown.height()}, branding::PixelLayout::Xrgb32));
}

QImage ToQImage(branding::RgbImage&& image)
{
    if (image.layout != branding::PixelLayout::Xrgb32)
        return ToQImage(static_cast<const branding::RgbImage&>(image));
    // Rows of 32-bit pixels need no padding, so the decoded buffer is the image's own.
    auto* pixels = new std::vector<std::uint8_t>(std::move(image.rgb));
    return QImage(
        pixels->data(), image.width, image.height, image.width * 4, QImage::Format_RGB32,
        [](void* owned) { delete static_cast<std::vector<std::uint8_t>*>(owned); }, pixels);
}

QImage ToQImage(const branding::RgbImage& image)
{
    const bool xrgb = image.layout == branding::PixelLayout::Xrgb32;
    QImage result(image.width, image.height, xrgb ? QImage::Format_RGB32 : QImage::Format_RGB888);
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * (xrgb ? 4 : 3);
    // QImage pads its rows to four bytes; the decoded rows have no padding.
    for (int y = 0; y < image.height; ++y)
        std::memcpy(result.scanLine(y), image.rgb.data() + rowBytes * static_cast<std::size_t>(y),
                    rowBytes);
    return result;
}
