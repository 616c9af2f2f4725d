#pragma once

#include <QLabel>
#include <string_view>

#include "generators/edition.h"

// The code window's note of what the snippet it holds does in today's browsers: its edition and
// status, with the whole sentence as tooltip. It sits left of the button row, where the window
// has no control.
class SnippetStatus : public QLabel
{
    Q_OBJECT

public:
    explicit SnippetStatus(QWidget* codeWindow);

    // For the gadget's snippet in this edition, from the gadget's compatibility record.
    void ShowFor(const gen::GadgetSpec& gadget, gen::Edition edition);
    // For no snippet, or one that is gone.
    void Clear();
};
