#pragma once

#include <vector>

#include "app/idle_builder.h"

class TForm2;

// What the main window prepares while idle after its first paint, in the order a user is likely to
// need it: the code window first (page 1's Generate Code), the looks of the edition choice that
// every page change paints, then the pages not yet built, in page order. Each page is built in one
// step, its texts and edge drawn ahead in the next and the whole page painted once off screen in
// the third, so that the click that shows it only has to paint it again, copying those. The code
// window is built and painted the same way, gets its native window in a step of its own, and keeps
// page 1's code laid out (TForm4::KeepAsPrepared) and its scroll bars' pictures.
std::vector<IdleBuilder::Step> MainWindowIdleSteps(TForm2& form);
