#pragma once

#include <QPixmap>
#include <QString>

// The PNG picture at `path` (a resource path such as ":/sitewright/header-band.png"), read by
// Qt's built-in PNG reader alone; a null pixmap when it cannot be read. Letting QPixmap guess
// the format loads and asks every image-format plug-in installed first, which costs more of
// the start-up than the picture itself.
QPixmap LoadPngResource(const QString& path);
