#include "widgets/label_fit.h"

#include <QLabel>
#include <QStyle>

namespace
{

// The width QLabel lays a one-line text out in when it works out its size hint.
constexpr int kLayoutWidth = 2000;

// Whether the label's size hint is its text's bounding box and nothing else.
bool IsBareOneLineText(const QLabel& label)
{
    const bool accessKey = label.buddy() && label.text().contains(QLatin1Char('&'));
    // An empty label is sized as one average letter, not as its text.
    return !label.text().isEmpty() && label.textFormat() == Qt::PlainText && !label.wordWrap() &&
           label.pixmap().isNull() && label.frameWidth() == 0 && label.margin() == 0 &&
           label.indent() <= 0 && !accessKey && label.minimumWidth() == 0;
}

} // namespace

void FitLabelToText(QLabel& label)
{
    if (!IsBareOneLineText(label)) {
        label.adjustSize();
        return;
    }
    // As QLabel measures: its own text direction, and no centring, whose halving would round.
    const Qt::LayoutDirection direction =
        label.text().isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
    const int flags = QStyle::visualAlignment(direction, label.alignment()) &
                      ~(Qt::AlignVCenter | Qt::AlignHCenter);
    const QMargins margins = label.contentsMargins();
    const QSize around(margins.left() + margins.right(), margins.top() + margins.bottom());
    const QRect text = label.fontMetrics().boundingRect(0, 0, kLayoutWidth - around.width(),
                                                        kLayoutWidth, flags, label.text());
    label.resize((text.size() + around).expandedTo(label.minimumSize()));
}
