#pragma once

#include <QStringList>

// The recipes opened or saved last, newest first, kept between runs in the user's settings.
class RecentRecipes
{
public:
    static constexpr int kMaxCount = 8;

    static QStringList list();
    // Puts `path` first, dropping an older mention of it and the oldest beyond kMaxCount.
    static void add(const QString& path);
    static void remove(const QString& path);
};
