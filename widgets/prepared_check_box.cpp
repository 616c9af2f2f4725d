#include "widgets/prepared_check_box.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "widgets/plain_background.h"

namespace
{

// Passing states of a look that a box is seldom painted in twice the same way.
constexpr QStyle::State kTransient =
    QStyle::State_HasFocus | QStyle::State_MouseOver | QStyle::State_Sunken;

} // namespace

PreparedCheckBox::PreparedCheckBox(QWidget* parent) : QCheckBox(parent) {}

std::optional<PreparedCheckBox::Look>
PreparedCheckBox::LookOf(const QStyleOptionButton& option) const
{
    const std::optional<QColor> background = PlainBackground(*this);
    if (!background || !CopiesExactly(devicePixelRatioF()))
        return std::nullopt;
    // Whether the focus last moved by keyboard shows only on a focused box. The window's
    // first page takes the focus by Tab after the looks are drawn, so keeping the flag would
    // leave every later page change drawing the box again.
    QStyle::State state = option.state;
    if (!(state & QStyle::State_HasFocus))
        state &= ~QStyle::State_KeyboardFocusChange;
    // The colour group follows whether the window is active, which changes no palette's key.
    return Look{size(),
                devicePixelRatioF(),
                int(state),
                option.text,
                font(),
                option.palette.cacheKey(),
                option.palette.currentColorGroup(),
                *background,
                option.icon.cacheKey(),
                option.iconSize,
                option.direction,
                style()};
}

const PreparedCheckBox::Picture* PreparedCheckBox::Current() const
{
    if (kept_.empty())
        return nullptr;
    QStyleOptionButton option;
    initStyleOption(&option);
    const std::optional<Look> look = LookOf(option);
    if (!look)
        return nullptr;
    for (const Picture& picture : kept_)
        if (picture.look == *look)
            return &picture;
    return nullptr;
}

void PreparedCheckBox::Prepare()
{
    kept_.clear();
    if (size().isEmpty())
        return;
    QStyleOptionButton option;
    initStyleOption(&option);
    option.state &= ~(kTransient | QStyle::State_On | QStyle::State_Off | QStyle::State_NoChange);
    for (const QStyle::State checked : {QStyle::State_Off, QStyle::State_On}) {
        QStyleOptionButton atRest = option;
        atRest.state |= checked;
        const std::optional<Look> look = LookOf(atRest);
        if (!look)
            return;
        QPixmap pixels(size() * look->ratio);
        pixels.setDevicePixelRatio(look->ratio);
        pixels.fill(look->background);
        // Painted through the box itself, so that its font meets the screen's resolution.
        drawing_ = &atRest;
        render(&pixels, QPoint(), QRegion(), RenderFlags());
        drawing_ = nullptr;
        kept_.push_back({*look, pixels});
    }
}

bool PreparedCheckBox::IsPrepared() const
{
    return Current() != nullptr;
}

void PreparedCheckBox::paintEvent(QPaintEvent* event)
{
    if (drawing_) {
        QStylePainter painter(this);
        painter.drawControl(QStyle::CE_CheckBox, *drawing_);
        return;
    }
    const Picture* picture = Current();
    if (!picture) {
        QCheckBox::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture->pixels);
}
