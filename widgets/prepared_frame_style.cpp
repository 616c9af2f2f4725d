#include "widgets/prepared_frame_style.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>

#include "widgets/plain_background.h"

namespace
{

// Far more than every size of frame on every page in every look.
constexpr int kMaxKept = 64;

// A line edit that draws its own box; inside a combo or spin box the outer control draws it.
bool OwnBox(const QWidget* widget)
{
    return qobject_cast<const QLineEdit*>(widget) &&
           !qobject_cast<const QComboBox*>(widget->parentWidget()) &&
           !qobject_cast<const QAbstractSpinBox*>(widget->parentWidget());
}

constexpr int kLineEditBox = 1;
constexpr int kFrameEdge = 2;

// A frame of exactly QFrame's kind, which paints nothing but its edge.
const QFrame* PlainFrame(const QWidget* widget)
{
    return widget && widget->metaObject() == &QFrame::staticMetaObject
               ? static_cast<const QFrame*>(widget)
               : nullptr;
}

// The colour under a frame that covers its widget and is drawn without a transformation.
std::optional<QColor> Copyable(const QStyleOptionFrame& frame, const QPainter& painter,
                               const QWidget& widget)
{
    if (frame.rect != widget.rect() || !painter.transform().isIdentity())
        return std::nullopt;
    return PlainBackground(widget);
}

} // namespace

PreparedFrameStyle* PreparedFrameStyle::Instance()
{
    static QPointer<PreparedFrameStyle> instance;
    const QString name = QApplication::style()->name();
    if (!instance || instance->baseStyle()->name() != name) {
        QStyle* base = QStyleFactory::create(name);
        // Without a copy of the application's style the proxy would draw in another one.
        if (!base)
            return nullptr;
        instance = new PreparedFrameStyle(base);
        instance->setParent(qApp);
    }
    return instance;
}

PreparedFrameStyle::PreparedFrameStyle(QStyle* base) : QProxyStyle(base) {}

PreparedFrameStyle::Preparing::Preparing() : style_(Instance())
{
    if (style_)
        ++style_->preparing_;
}

PreparedFrameStyle::Preparing::~Preparing()
{
    if (style_)
        --style_->preparing_;
}

void PreparedFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                       QPainter* painter, const QWidget* widget) const
{
    const QPixmap* picture = element == PE_PanelLineEdit && OwnBox(widget)
                                 ? Copy(kLineEditBox, option, *painter, widget)
                                 : nullptr;
    if (!picture) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    painter->drawPixmap(0, 0, *picture);
}

void PreparedFrameStyle::drawControl(ControlElement element, const QStyleOption* option,
                                     QPainter* painter, const QWidget* widget) const
{
    const QFrame* plain = element == CE_ShapedFrame ? PlainFrame(widget) : nullptr;
    const QPixmap* picture = plain ? Copy(kFrameEdge, option, *painter, widget) : nullptr;
    if (!picture) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const qreal ratio = painter->device()->devicePixelRatio();
    // Only the edge is copied: inside it the frame draws nothing.
    const QRect outer = plain->rect();
    const QRect inner = plain->contentsRect();
    const QRect strips[] = {
        {0, 0, outer.width(), inner.top()},
        {0, inner.bottom() + 1, outer.width(), outer.bottom() - inner.bottom()},
        {0, inner.top(), inner.left(), inner.height()},
        {inner.right() + 1, inner.top(), outer.right() - inner.right(), inner.height()}};
    // Qt hands a copy of more than 95 rows to its thread pool in parts; waking the threads takes
    // longer than copying a strip a few pixels wide, so tall strips go in pieces of fewer rows.
    const int piece = qMax(1, int(95 / ratio));
    for (const QRect& strip : strips)
        for (int y = strip.top(); y <= strip.bottom(); y += piece) {
            const QRect part(strip.left(), y, strip.width(), qMin(piece, strip.bottom() + 1 - y));
            if (!part.isEmpty())
                painter->drawPixmap(
                    part, *picture,
                    QRectF(QPointF(part.topLeft()) * ratio, QSizeF(part.size()) * ratio));
        }
}

const QPixmap* PreparedFrameStyle::Copy(int kind, const QStyleOption* option,
                                        const QPainter& painter, const QWidget* widget) const
{
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    const std::optional<QColor> background =
        frame && widget ? Copyable(*frame, painter, *widget) : std::nullopt;
    const qreal ratio = painter.device()->devicePixelRatio();
    if (!background || !CopiesExactly(ratio))
        return nullptr;
    return Kept(kind, *frame, widget, ratio, *background);
}

const QPixmap* PreparedFrameStyle::Kept(int kind, const QStyleOptionFrame& frame,
                                        const QWidget* widget, qreal ratio,
                                        const QColor& background) const
{
    const auto keyOf = [&](State state) {
        return Key{kind,
                   frame.rect.width(),
                   frame.rect.height(),
                   ratio,
                   int(state),
                   frame.palette.cacheKey(),
                   frame.lineWidth,
                   frame.midLineWidth,
                   int(frame.direction) * 256 + int(frame.frameShape),
                   background.rgba()};
    };
    auto kept = kept_.find(keyOf(frame.state));
    if (kept != kept_.end())
        return &*kept;
    if (preparing_ == 0)
        return nullptr;
    if (kept_.size() + 2 > kMaxKept)
        kept_.clear();
    if (kind == kLineEditBox) {
        // The box is first drawn while nothing has the focus, and next when a click gives it
        // the focus: that look is drawn now as well, while there is time.
        QStyleOptionFrame other = frame;
        other.state ^= State_HasFocus;
        kept_.insert(keyOf(other.state), Draw(kind, other, widget, ratio, background));
    }
    return &*kept_.insert(keyOf(frame.state), Draw(kind, frame, widget, ratio, background));
}

QPixmap PreparedFrameStyle::Draw(int kind, const QStyleOptionFrame& frame, const QWidget* widget,
                                 qreal ratio, const QColor& background) const
{
    QPixmap picture(frame.rect.size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(background);
    QPainter painter(&picture);
    if (kind == kLineEditBox)
        QProxyStyle::drawPrimitive(PE_PanelLineEdit, &frame, &painter, widget);
    else
        QProxyStyle::drawControl(CE_ShapedFrame, &frame, &painter, widget);
    return picture;
}
