#pragma once

#include <QImage>
#include <string>
#include <vector>

#include "branding/jpeg_image.h"

// The branding the executable carries behind its program image, which the main window puts on
// itself while it is created. A copy without appended data keeps the window's design texts and
// shows no image.

// The items of the running executable's trailer: the title, the link line's caption, the link's
// web address. Never throws: an executable that cannot be read or has no trailer gives none; one
// whose trailer is above a start-up limit gives none and reports the limit in the error box.
std::vector<std::string> ReadBrandingTexts();

// The running executable's "JPG2" section decoded, only as much of it as an area of `shown`
// centred on it shows; a null image when there is no such section. Throws std::runtime_error
// when the executable cannot be read or the section is not a JPEG image.
QImage ReadBrandingPicture(QSize shown);

// `image` as a QImage of the same size and pixels: Format_RGB888 for Rgb24, Format_RGB32 for
// Xrgb32. The second form takes an Xrgb32 image's pixels over instead of copying them.
QImage ToQImage(const branding::RgbImage& image);
QImage ToQImage(branding::RgbImage&& image);
