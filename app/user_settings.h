#pragma once

#include <QSettings>

// The user's settings of this program: the edition choice, the stamp choice, the folder last
// saved to and the recent recipes. Named here, not by the application: branding renames the
// application, and a renamed copy still keeps the user's choices.
QSettings UserSettings();
