#include "app/save_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "app/edition_choice.h"

namespace
{

constexpr const char* kKey = "SaveFolder";

QSettings Settings()
{
    // Named here, not by the application: branding renames the application.
    return QSettings(QString::fromLatin1(EditionChoice::kSettingsOwner),
                     QString::fromLatin1(EditionChoice::kSettingsOwner));
}

} // namespace

QString SaveDialogFolder()
{
    const QString remembered = Settings().value(QLatin1String(kKey)).toString();
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir())
        return remembered;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void RememberSavedFile(const QString& file)
{
    Settings().setValue(QLatin1String(kKey), QFileInfo(file).absolutePath());
}
