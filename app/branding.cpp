#include "app/branding.h"

#include <QCoreApplication>
#include <QLabel>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/click_label.h"
#include "app/main_window.h"
#include "appended/branding_source.h"
#include "platform/executable_path.h"

namespace
{

using Assignment = std::function<void(const std::string&)>;

// One step per branded property, each with the trailer item it takes, in the order they are set.
std::vector<std::pair<std::size_t, Assignment>> TextAssignments(TForm2& form)
{
    return {
        {0,
         [](const std::string& item) {
             QCoreApplication::setApplicationName(QString::fromStdString(item));
         }},
        {0,
         [&form](const std::string& item) { form.setWindowTitle(QString::fromStdString(item)); }},
        {0,
         [&form](const std::string& item) { form.Label56->setText(QString::fromStdString(item)); }},
        {1,
         [&form](const std::string& item) {
             form.lblTextLink->setText(QString::fromStdString(item));
         }},
        {2, [](const std::string& item) { LinkUrl = item; }},
    };
}

} // namespace

void ApplyBrandingTexts(TForm2& form)
{
    try {
        const std::vector<std::string> items =
            appended::ReadBrandingItems(platform::ExecutablePath());
        for (const auto& [index, assign] : TextAssignments(form)) {
            // A short trailer brands what it has items for; the rest keeps its design text.
            if (index >= items.size())
                return;
            assign(items[index]);
        }
    } catch (...) {
        // Branding texts are optional: a program without a readable trailer starts as designed,
        // and there is nothing the user could do about a message here.
    }
}

void ApplyBrandingImage(TForm2& form)
{
    const std::string jpeg = appended::ReadBrandingImage();
    if (jpeg.empty())
        return;
    form.ShowBrandImage(ToQImage(appended::DecodeJpeg(jpeg)));
}

QImage ToQImage(const appended::RgbImage& image)
{
    QImage result(image.width, image.height, QImage::Format_RGB888);
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
    // QImage pads its rows to four bytes; the decoded rows have no padding.
    for (int y = 0; y < image.height; ++y)
        std::memcpy(result.scanLine(y), image.rgb.data() + rowBytes * static_cast<std::size_t>(y),
                    rowBytes);
    return result;
}
