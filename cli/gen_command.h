#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace cli
{

// Exit statuses of sitewright-gen.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1; // the output could not be written
constexpr int kExitUsage = 2;   // the command line or a field value was wrong; nothing written

// Runs sitewright-gen on its arguments (without the program name). The snippet or the help goes
// to `out`, messages to `err`. On a usage error nothing at all goes to `out`.
int RunGen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace cli
