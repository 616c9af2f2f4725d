#pragma once

#include <QColor>
#include <optional>

class QWidget;

// The one colour every pixel under `widget` has before the widget paints, when there is one: the
// widget fills no background of its own, and between it and the nearest parent that fills its
// background with a solid opaque colour there are only plain frames and stacks, each holding the
// widget inside its frame, and no sibling painted before it draws where it stands (the other
// pages of a stack or page area never show with it; a frame or stack that it stands inside, whose
// children there are just as clear, draws nothing there). Anything else gives nothing.
std::optional<QColor> PlainBackground(const QWidget& widget);
