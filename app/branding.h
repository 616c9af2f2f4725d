#pragma once

#include <QImage>

#include "branding/jpeg_image.h"

class TForm2;

// The branding the executable carries behind its program image, put on the main window while it
// is created. A copy without appended data keeps the window's design texts and shows no image.

// Reads the trailer of the running executable and puts its items on `form`, in this order: item 0
// as the application title (QCoreApplication::applicationName), the window caption and the
// caption of Label56; item 1 as the caption of lblTextLink; item 2 as LinkUrl. The first missing
// item ends the run and what was set before it stays. Never throws: an executable that cannot be
// read or has no trailer changes nothing; one whose trailer is above a start-up limit changes
// nothing and reports the limit in the error box.
void ApplyBrandingTexts(TForm2& form);

// Decodes the running executable's "JPG2" section and shows it in form.imgSBIMG, centred and
// unscaled. Does nothing when there is no such section. Throws std::runtime_error when the
// executable cannot be read or the section is not a JPEG image; the window is left as it was.
void ApplyBrandingImage(TForm2& form);

// `image` as a QImage of the same size and pixels: Format_RGB888 for Rgb24, Format_RGB32 for
// Xrgb32. The second form takes an Xrgb32 image's pixels over instead of copying them.
QImage ToQImage(const branding::RgbImage& image);
QImage ToQImage(branding::RgbImage&& image);
