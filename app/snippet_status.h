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

    // For the snippet of the gadget with this id in this edition.
    void ShowFor(std::string_view gadgetId, gen::Edition edition);
    // For no snippet, or one that is gone.
    void Clear();
};
