#pragma once

#include <vector>

#include "app/idle_builder.h"

class TForm2;

// What the main window builds while idle after its first paint, in the order a user is likely
// to need it: the code window first (page 1's Generate Code), then the pages not yet built in
// menu order. Each step builds one of them.
std::vector<IdleBuilder::Step> MainWindowIdleSteps(TForm2& form);
