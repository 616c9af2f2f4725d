#include "widgets/xp_button_look.h"

#include "widgets/caption_text.h"
#include "widgets/xp_canvas.h"
#include "xpgraph/xp_graph_util.h"

#include <QFontMetrics>
#include <QPainter>

#include <cstdint>

namespace
{

using gdi::RgbColor;
using gdi::TColor;

constexpr TColor kOuterFrame = RgbColor(0xD6, 0xD3, 0xD3);
constexpr TColor kBorder = RgbColor(0x00, 0x3C, 0x74);
constexpr TColor kFaceLight = RgbColor(0xFD, 0xFD, 0xFD);
constexpr TColor kFaceDark = RgbColor(0xCD, 0xCC, 0xDF);
constexpr TColor kTopLine = RgbColor(0xCE, 0xE7, 0xFF);
constexpr TColor kBottomLine = RgbColor(0x69, 0x82, 0xEE);
constexpr TColor kInnerFrame = RgbColor(0xBC, 0xD4, 0xF6);
constexpr TColor kWhite = RgbColor(0xFF, 0xFF, 0xFF);
constexpr TColor kHoverRing = RgbColor(0xF8, 0xB3, 0x30);
constexpr TColor kDisabledFace = RgbColor(0xF1, 0xF1, 0xED);
constexpr TColor kDisabledBorder = RgbColor(0xC4, 0xC3, 0xBF);
const QColor kDisabledText(0xA1, 0xA1, 0x92);

// Where the caption went, for the accelerator underline.
struct CaptionPlace {
    int x;
    int y;
    QColor color;
};

void PaintEnabledFrame(gdi::GdiRaster& r, const XpButtonLook& look)
{
    const int w = look.width;
    const int h = look.height;
    r.RoundRect({0, 0, w, h}, 3, 3, kOuterFrame, kOuterFrame);
    r.RoundRect({1, 1, w - 1, h - 1}, 5, 5, kBorder);
    // The face is reversed only while the press is still over the button.
    const bool reversed = look.pressed && look.hovered;
    const auto steps = static_cast<std::uint8_t>(reversed ? h / 2 : h / 3);
    XPGraphUtil::FillGradient(r, {4, 4, w - 4, h - 4}, kFaceLight, kFaceDark,
                              reversed ? XPGraphUtil::gdBottomToTop : XPGraphUtil::gdTopToBottom,
                              steps);
    r.Line(3, 2, w - 3, 2, kTopLine);
    r.Line(3, h - 3, w - 3, h - 3, kBottomLine);
    r.Rectangle({2, 3, w - 2, h - 3}, kInnerFrame);
    r.Line(3, 4, 3, h - 4, kWhite);
    r.Line(w - 4, 4, w - 4, h - 4, kWhite);
    r.Line(3, h - 1, w - 3, h - 1, kWhite);
    r.Line(w - 1, h - 4, w - 1, 2, kWhite);
    if (look.hovered)
        r.RoundRect({3, 3, w - 3, h - 3}, 2, 2, kHoverRing);
}

void PaintDisabledFrame(gdi::GdiRaster& r, const XpButtonLook& look)
{
    const int w = look.width;
    const int h = look.height;
    r.RoundRect({0, 0, w, h}, 3, 3, kOuterFrame, kDisabledFace);
    const TColor face = gdi::SysColor(ui::SystemColor::ButtonFace);
    r.SetPixel(0, 0, face);
    r.SetPixel(w - 1, 0, face);
    r.SetPixel(w - 1, h - 1, face);
    r.SetPixel(0, h - 1, face);
    r.RoundRect({1, 1, w - 1, h - 1}, 5, 5, kDisabledBorder);
}

// Where the caption goes and in which colour.
CaptionPlace PlaceCaption(const XpButtonLook& look, const QString& text)
{
    const QSize extent = XpCanvas::textExtent(text, look.font);
    const int shift = look.enabled && look.pressed ? 1 : 0;
    return {(look.width - extent.width()) / 2 + shift, (look.height - extent.height()) / 2 + shift,
            look.enabled ? look.fontColor : kDisabledText};
}

CaptionPlace PaintCaption(XpCanvas& canvas, const XpButtonLook& look, const QString& text)
{
    const CaptionPlace place = PlaceCaption(look, text);
    canvas.drawText(place.x, place.y, {4, 4, look.width - 4, look.height - 4}, text, look.font,
                    place.color);
    return place;
}

// The underline sits on the row just below the text cell and, unlike the text, is not clipped.
void PaintAcceleratorUnderline(XpCanvas& canvas, const XpButtonLook& look, const QString& text,
                               const CaptionPlace& place)
{
    const qsizetype at = caption::FirstAmpersand(look.caption);
    if (at < 0 || at >= text.size())
        return;
    const qsizetype through = at + (text.at(at).isHighSurrogate() ? 2 : 1);
    const int from = place.x + XpCanvas::textExtent(text.left(at), look.font).width();
    const int to = place.x + XpCanvas::textExtent(text.left(through), look.font).width();
    const int row = place.y + XpCanvas::textExtent(text, look.font).height();
    canvas.raster().Line(from, row, to, row, place.color.rgb() & 0xFFFFFF);
}

void PaintFrame(XpCanvas& canvas, const XpButtonLook& look)
{
    if (look.enabled)
        PaintEnabledFrame(canvas.raster(), look);
    else
        PaintDisabledFrame(canvas.raster(), look);
}

// Inverts, as scale × scale blocks of `image`, the designed pixels the focus rectangle inverts.
void InvertFocusBlocks(QImage& image, const XpButtonLook& look, int scale)
{
    XpCanvas mask(look.width, look.height, Qt::black);
    mask.raster().InvertFocusRect({4, 4, look.width - 4, look.height - 4});
    const QImage pixels = mask.takeImage();
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x) {
            if ((pixels.pixel(x, y) & 0xFFFFFF) == 0)
                continue;
            for (int dy = 0; dy < scale; ++dy) {
                auto* row = reinterpret_cast<QRgb*>(image.scanLine(y * scale + dy));
                for (int dx = 0; dx < scale; ++dx)
                    row[x * scale + dx] ^= 0xFFFFFF;
            }
        }
}

} // namespace

QImage PaintXpButton(const XpButtonLook& look, int scale)
{
    if (scale <= 1 || look.width <= 0 || look.height <= 0)
        return PaintXpButton(look);
    XpCanvas designed(look.width, look.height, look.background);
    PaintFrame(designed, look);
    // Nearest-neighbour scaling: every designed pixel becomes a solid block, nothing is blended.
    QImage image = designed.takeImage().scaled(look.width * scale, look.height * scale,
                                               Qt::IgnoreAspectRatio, Qt::FastTransformation);
    image.setDevicePixelRatio(scale);
    const QString text = caption::DisplayText(look.caption);
    const CaptionPlace place = PlaceCaption(look, text);
    {
        // Painted in designed coordinates on the ratio-`scale` image: at the device resolution.
        QPainter painter(&image);
        painter.setClipRect(QRect(4, 4, look.width - 8, look.height - 8));
        QFont font = look.font;
        font.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(font);
        painter.setPen(place.color);
        painter.drawText(place.x, place.y + QFontMetrics(font).ascent(), text);
    }
    if (look.enabled && look.focused)
        InvertFocusBlocks(image, look, scale);
    const qsizetype at = caption::FirstAmpersand(look.caption);
    if (at >= 0 && at < text.size()) {
        const qsizetype through = at + (text.at(at).isHighSurrogate() ? 2 : 1);
        const int from = place.x + XpCanvas::textExtent(text.left(at), look.font).width();
        const int to = place.x + XpCanvas::textExtent(text.left(through), look.font).width();
        const int row = place.y + XpCanvas::textExtent(text, look.font).height();
        QPainter painter(&image);
        painter.fillRect(QRect(from, row, to - from, 1), place.color);
    }
    return image;
}

QImage PaintXpButton(const XpButtonLook& look)
{
    XpCanvas canvas(look.width, look.height, look.background);
    if (look.width <= 0 || look.height <= 0)
        return canvas.takeImage();
    PaintFrame(canvas, look);
    const QString text = caption::DisplayText(look.caption);
    const CaptionPlace place = PaintCaption(canvas, look, text);
    if (look.enabled && look.focused)
        canvas.raster().InvertFocusRect({4, 4, look.width - 4, look.height - 4});
    PaintAcceleratorUnderline(canvas, look, text, place);
    return canvas.takeImage();
}
