#include "app/save_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/user_settings.h"

namespace
{

constexpr const char* kKey = "SaveFolder";

} // namespace

QString SaveDialogFolder()
{
    const QString remembered = UserSettings().value(QLatin1String(kKey)).toString();
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir())
        return remembered;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void RememberSavedFile(const QString& file)
{
    UserSettings().setValue(QLatin1String(kKey), QFileInfo(file).absolutePath());
}
