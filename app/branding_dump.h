#pragma once

class MainWindow;

// A test aid for starting the real program: with SITEWRIGHT_DUMP_BRANDING=1 in its environment
// the program prints the errors it reports instead of showing them, and once the main window is
// shown prints what branding put on it and ends. Users never set it; without it nothing changes.

// Whether the environment asks for the dump.
bool BrandingDumpRequested();

// From now on each reported error is printed to standard output as the lines
// "errorTitle=[<title>]" and "error=[<message>]" instead of being shown.
void PrintReportedErrors();

// When the event loop starts, prints one "<name>=[<value>]" line each for applicationName,
// windowTitle, visible (0 or 1), titleLabel, linkLine, linkUrl and brandPicture (the image's
// <width>x<height>, or "none"), then ends the program with exit code 0.
void DumpBrandingOnceShown(const MainWindow& mainWindow);
