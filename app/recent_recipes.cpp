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

QStringList RecentRecipes::List()
{
    return UserSettings().value(QString::fromLatin1(kKey)).toStringList().mid(0, kMaxCount);
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
