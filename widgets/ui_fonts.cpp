#include "widgets/ui_fonts.h"

namespace ui
{

namespace
{
// Metric-compatible with the Windows sans faces and installed by the set-up script.
constexpr const char* kSansFamily = "Liberation Sans";
// The band's display face needs a true Black weight, which Liberation lacks (it would fall back to
// an ordinary bold). Lato has one, under the SIL Open Font Licence, packaged by Debian.
constexpr const char* kBlackFamily = "Lato";
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
    QFont font(kBlackFamily);
    font.setPixelSize(pixelHeight);
    font.setWeight(QFont::Black);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace ui
