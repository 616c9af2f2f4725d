#include "widgets/plain_background.h"

#include <QFrame>
#include <QStackedWidget>

#include "widgets/page_area.h"

namespace
{

// Widgets that paint nothing inside their contents besides what their children draw, so a
// child placed there stands on whatever lies below them.
bool PaintsOnlyItsFrame(const QWidget& widget)
{
    const QMetaObject* kind = widget.metaObject();
    return kind == &QWidget::staticMetaObject || kind == &QFrame::staticMetaObject ||
           kind == &QStackedWidget::staticMetaObject || kind == &PageArea::staticMetaObject;
}

QRect ContentsOf(const QWidget& widget)
{
    if (const auto* frame = qobject_cast<const QFrame*>(&widget))
        return frame->contentsRect();
    return widget.rect();
}

bool DrawsInto(const QObject* child, const QRect& area);

// Whether `widget` paints nothing in `area` (in its own coordinates), itself or through its
// children: it only draws a frame, outside `area`, and any child there is just as clear.
bool ClearOver(const QWidget& widget, const QRect& area)
{
    if (widget.autoFillBackground() || !PaintsOnlyItsFrame(widget) ||
        !ContentsOf(widget).contains(area))
        return false;
    for (const QObject* child : widget.children())
        if (DrawsInto(child, area))
            return false;
    return true;
}

// Whether `child`, when it is a widget painted with its parent, draws into `area` (in the
// parent's coordinates).
bool DrawsInto(const QObject* child, const QRect& area)
{
    const auto* widget = qobject_cast<const QWidget*>(child);
    return widget && !widget->isWindow() && !widget->isHidden() &&
           widget->geometry().intersects(area) &&
           !ClearOver(*widget, area.translated(-widget->pos()));
}

// Whether a sibling painted before `widget` draws into `area` (in the parent's coordinates).
bool CoveredByEarlierSibling(const QWidget& widget, const QRect& area)
{
    // A stack or a page area shows one of its pages at a time, whatever the others hold.
    if (qobject_cast<const QStackedWidget*>(widget.parentWidget()) ||
        qobject_cast<const PageArea*>(widget.parentWidget()))
        return false;
    for (const QObject* child : widget.parentWidget()->children()) {
        if (child == &widget)
            return false;
        if (DrawsInto(child, area))
            return true;
    }
    return false;
}

std::optional<QColor> SolidColor(const QBrush& brush)
{
    if (brush.style() != Qt::SolidPattern || !brush.color().isValid() ||
        brush.color().alpha() != 255)
        return std::nullopt;
    return brush.color();
}

} // namespace

std::optional<QColor> PlainBackground(const QWidget& widget)
{
    if (widget.autoFillBackground() || widget.isWindow())
        return std::nullopt;
    const QWidget* child = &widget;
    QRect area = widget.geometry();
    for (const QWidget* parent = widget.parentWidget(); parent; parent = parent->parentWidget()) {
        if (CoveredByEarlierSibling(*child, area) || !ContentsOf(*parent).contains(area))
            return std::nullopt;
        // Whatever fills its background is the last thing painted under the widget; such a
        // parent is trusted to paint nothing else there.
        if (parent->autoFillBackground() || parent->isWindow())
            return SolidColor(parent->palette().brush(parent->backgroundRole()));
        if (!PaintsOnlyItsFrame(*parent))
            return std::nullopt;
        area.translate(parent->pos());
        child = parent;
    }
    return std::nullopt;
}

bool CopiesExactly(qreal ratio)
{
    return ratio >= 1 && qFuzzyCompare(ratio, qreal(qRound(ratio)));
}
