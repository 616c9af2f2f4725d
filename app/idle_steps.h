#pragma once

#include <vector>

#include "app/idle_builder.h"

class MainWindow;

// What the main window prepares while idle after its first paint, in the order a user is likely to
// need it: the code window first (page 1's Generate Code), then the pages not yet built, in page
// order. Each page is built in one step and painted once off screen in the next, so that the
// click that shows it finds its styles polished and its texts laid out. The code window gets its
// native window in a step of its own and is painted off screen holding page 1's code.
std::vector<IdleBuilder::Step> MainWindowIdleSteps(MainWindow& mainWindow);
