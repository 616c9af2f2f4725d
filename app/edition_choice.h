#pragma once

#include <QCheckBox>

#include "generators/edition.h"

// The one choice between the designed snippets (unchecked) and their today's editions
// (checked), for Preview and Generate Code of every page. It stands between the two buttons of
// the page, where no page has a control, is toggled with Alt+T, and is kept between runs in the
// user's settings.
class EditionChoice : public QCheckBox
{
    Q_OBJECT

public:
    // Placed on `window` (the main window) over the page area; starts with the remembered choice.
    explicit EditionChoice(QWidget* window);

    gen::Edition edition() const;

    // Where the choice is kept: organisation and program name, and the key.
    static constexpr const char* kSettingsOwner = "Sitewright";
    static constexpr const char* kSettingsKey = "edition";

protected:
    bool event(QEvent* event) override;
};
