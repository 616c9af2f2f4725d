#include "app/user_settings.h"

#include "app/edition_choice.h"

QSettings UserSettings()
{
    return QSettings(QString::fromLatin1(EditionChoice::kSettingsOwner),
                     QString::fromLatin1(EditionChoice::kSettingsOwner));
}
