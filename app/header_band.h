#pragma once

#include <QPixmap>

// The picture of the main window's title band, assets/header-band.png, 537 x 33. Its pixels
// were taken from the picture by the build, so nothing is decoded at start-up.
QPixmap HeaderBandPixmap();
