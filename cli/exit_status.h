#pragma once

#include <ostream>
#include <string_view>

namespace cli
{

// Exit statuses of sitewright-gen, alike for all its commands.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1; // the output could not be written
constexpr int kExitUsage = 2;   // the command line or a field value was wrong; nothing written

// kExitOk once `out` has taken all it was given, flushed; otherwise writes why not to `err` and
// returns kExitFailure.
int Delivered(std::ostream& out, std::ostream& err);

} // namespace cli
