#pragma once

#include <QStringList>

// The recipes opened or saved last, newest first, kept between runs in the user's settings.
class RecentRecipes
{
public:
    static constexpr int kMaxCount = 8;

    static QStringList List();
    // Puts `path` first, dropping an older mention of it and the oldest beyond kMaxCount.
    static void Add(const QString& path);
    static void Remove(const QString& path);
};
