#include "widgets/prepared_frame_style.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>

#include "widgets/plain_background.h"

namespace
{

// Far more than every size of box on every page in both looks (with and without the focus).
constexpr int kMaxKept = 64;

// A line edit that draws its own box; inside a combo or spin box the outer control draws it.
bool OwnBox(const QWidget* widget)
{
    return qobject_cast<const QLineEdit*>(widget) &&
           !qobject_cast<const QComboBox*>(widget->parentWidget()) &&
           !qobject_cast<const QAbstractSpinBox*>(widget->parentWidget());
}

} // namespace

PreparedFrameStyle& PreparedFrameStyle::Instance()
{
    static QPointer<PreparedFrameStyle> instance;
    if (!instance || instance->baseStyle()->name() != QApplication::style()->name()) {
        instance = new PreparedFrameStyle(QStyleFactory::create(QApplication::style()->name()));
        instance->setParent(qApp);
    }
    return *instance;
}

PreparedFrameStyle::PreparedFrameStyle(QStyle* base) : QProxyStyle(base) {}

void PreparedFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                       QPainter* painter, const QWidget* widget) const
{
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    const bool copyable = element == PE_PanelLineEdit && frame && OwnBox(widget) &&
                          frame->rect == widget->rect() && painter->transform().isIdentity();
    const std::optional<QColor> background =
        copyable ? PlainBackground(*widget) : std::optional<QColor>();
    if (!background) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const qreal ratio = painter->device()->devicePixelRatio();
    painter->drawPixmap(frame->rect.topLeft(), Kept(*frame, widget, ratio, *background));
}

const QPixmap& PreparedFrameStyle::Kept(const QStyleOptionFrame& box, const QWidget* widget,
                                        qreal ratio, const QColor& background) const
{
    const auto keyOf = [&](State state) {
        return Key{box.rect.width(),   box.rect.height(),      ratio,
                   int(state),         box.palette.cacheKey(), box.lineWidth,
                   int(box.direction), background.rgba()};
    };
    auto kept = kept_.find(keyOf(box.state));
    if (kept != kept_.end())
        return *kept;
    if (kept_.size() + 2 > kMaxKept)
        kept_.clear();
    // The box is first drawn while nothing has the focus, and next when a click gives it the
    // focus: that look is drawn now as well, while there is time.
    QStyleOptionFrame other = box;
    other.state ^= State_HasFocus;
    kept_.insert(keyOf(other.state), Draw(other, widget, ratio, background));
    return *kept_.insert(keyOf(box.state), Draw(box, widget, ratio, background));
}

QPixmap PreparedFrameStyle::Draw(const QStyleOptionFrame& option, const QWidget* widget,
                                 qreal ratio, const QColor& background) const
{
    QPixmap picture(option.rect.size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(background);
    QPainter painter(&picture);
    QStyleOptionFrame box = option;
    box.rect.moveTo(0, 0);
    QProxyStyle::drawPrimitive(PE_PanelLineEdit, &box, &painter, widget);
    return picture;
}
