#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/dispatch.h"

// One sitewright-gen run in the test's own process: its exit status and both streams.
struct GenRun {
    int status;
    std::string out;
    std::string err;
};

inline GenRun Gen(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = cli::RunSitewrightGen(args, out, err);
    return {status, out.str(), err.str()};
}
