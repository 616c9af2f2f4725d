#pragma once

class QWidget;

// Marks the menu line of `page` (1 for the first) as the current one and every other line as not
// current. The lines are the menu's LinkLabel children in screen order.
void MarkCurrentMenuLine(const QWidget& menu, int page);
