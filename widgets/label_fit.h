#pragma once

class QLabel;

// Resizes `label` to its size hint, as QWidget::adjustSize() does for a widget without a layout.
// For a one-line plain text, not empty (no frame, margin, indent, access key or minimum width) it
// lays the text out once: QLabel works its hint out with its minimum size, three layouts of the
// same text, of which a label placed by hand needs only the first. Any other label is adjusted as
// usual.
void FitLabelToText(QLabel& label);
