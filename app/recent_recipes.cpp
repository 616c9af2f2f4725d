#include "app/recent_recipes.h"

#include <QSettings>

#include "app/edition_choice.h"

namespace
{

constexpr const char* kKey = "recentRecipes";

QSettings Settings()
{
    return QSettings(QString::fromLatin1(EditionChoice::kSettingsOwner),
                     QString::fromLatin1(EditionChoice::kSettingsOwner));
}

void Store(const QStringList& list)
{
    Settings().setValue(QString::fromLatin1(kKey), list);
}

} // namespace

QStringList RecentRecipes::List()
{
    return Settings().value(QString::fromLatin1(kKey)).toStringList().mid(0, kMaxCount);
}

void RecentRecipes::Add(const QString& path)
{
    QStringList list = List();
    list.removeAll(path);
    list.prepend(path);
    Store(list.mid(0, kMaxCount));
}

void RecentRecipes::Remove(const QString& path)
{
    QStringList list = List();
    list.removeAll(path);
    Store(list);
}
