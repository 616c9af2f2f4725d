#include "widgets/ui_fonts.h"

namespace ui
{

namespace
{
// Metric-compatible with the Windows sans faces and installed by the set-up script.
constexpr const char* kSansFamily = "Liberation Sans";
} // namespace

QFont DialogFont(int pixelHeight, bool bold, bool underline)
{
    QFont font(kSansFamily);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    font.setUnderline(underline);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont BandFont(int pixelHeight)
{
    QFont font(kSansFamily);
    font.setPixelSize(pixelHeight);
    font.setWeight(QFont::Black);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace ui
