#pragma once

#include <QColor>
#include <QtGlobal>
#include <optional>

class QWidget;

// The one colour every pixel under `widget` has before the widget paints, when there is one: the
// widget fills no background of its own, and between it and the nearest parent that fills its
// background with a solid opaque colour there are only plain frames and stacks, each holding the
// widget inside its frame, and no sibling painted before it draws where it stands (the other
// pages of a stack or page area never show with it; a frame or stack that it stands inside, whose
// children there are just as clear, draws nothing there). Anything else gives nothing.
std::optional<QColor> PlainBackground(const QWidget& widget);

// Whether a picture of a widget's drawing, made at `ratio` device pixels to a pixel and copied,
// gives exactly the pixels drawing it again would: only at a whole ratio. At 1.25 or 1.5 which
// device pixels a line or glyph covers depends on where on the screen it starts, which a
// picture drawn at its own origin does not share.
bool CopiesExactly(qreal ratio);
