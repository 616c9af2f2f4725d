#include "app/recent_recipes.h"

#include "app/user_settings.h"

namespace
{

constexpr const char* kKey = "recentRecipes";

void Store(const QStringList& list)
{
    UserSettings().setValue(QString::fromLatin1(kKey), list);
}

} // namespace

QStringList RecentRecipes::list()
{
    return UserSettings().value(QString::fromLatin1(kKey)).toStringList().mid(0, kMaxCount);
}

void RecentRecipes::add(const QString& path)
{
    QStringList paths = list();
    paths.removeAll(path);
    paths.prepend(path);
    Store(paths.mid(0, kMaxCount));
}

void RecentRecipes::remove(const QString& path)
{
    QStringList paths = list();
    paths.removeAll(path);
    Store(paths);
}
