#pragma once

#include <QByteArrayView>
#include <QString>
#include <string_view>

// The core keeps its texts as UTF-8 in std::string; Qt wants QString. One conversion for both
// directions' callers, so that no file carries a copy of it.
inline QString ToQString(std::string_view text)
{
    return QString::fromUtf8(QByteArrayView(text));
}
