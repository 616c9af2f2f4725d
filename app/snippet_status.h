#pragma once

#include <QLabel>
#include <string_view>

#include "generators/edition.h"

// The code window's note of what the snippet it holds does in today's browsers: one line with
// its edition and status, the whole sentence as tooltip. Hidden while there is no snippet, so
// the line it sits in (CodeTextEdit's header) closes.
class SnippetStatus : public QLabel
{
    Q_OBJECT

public:
    explicit SnippetStatus(QWidget* parent = nullptr);

    // For the gadget's snippet in this edition, from the gadget's compatibility record.
    void showFor(const gen::GadgetEntry& gadget, gen::Edition edition);
    // For no snippet, or one that is gone.
    void clearStatus();
};
