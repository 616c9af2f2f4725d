#include "app/program_options.h"

#include <cstdio>
#include <ext/stdio_sync_filebuf.h>
#include <ostream>
#include <vector>

#include "generators/gadget_table.h"
#include "options/standard_options.h"

std::string ProgramUsage()
{
    std::string gadgets;
    for (const gen::GadgetEntry& g : gen::GadgetTable())
        gadgets.append(gadgets.empty() ? "" : ", ").append(g.title);
    return "Usage: sitewright [--help | --version]\n"
           "Opens a window with a menu of ready-made web-page gadgets: " +
           gadgets +
           ". Pick a gadget from the menu, fill in its fields, and click Generate Code to see its "
           "HTML and JavaScript in the code window, where it can be selected, copied or saved to "
           "a file, or Preview to write it to preview.html and open it in the web browser.\n"
           "\n"
           "The window's title, link and picture are appended to the program file.\n"
           "\n"
           "Options:\n"
           "  -h, --help     show this help and exit\n"
           "  --version      show the version and exit\n";
}

std::optional<int> AnswerProgramOptions(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    // Streams onto standard output and error made as the standard ones are, over C's own, so
    // that what they write and how a failed write shows are the same. Including <iostream> for
    // them would have every start-up set up all eight standard streams, for two options.
    __gnu_cxx::stdio_sync_filebuf<char> outBuffer(stdout);
    __gnu_cxx::stdio_sync_filebuf<char> errBuffer(stderr);
    std::ostream out(&outBuffer);
    std::ostream err(&errBuffer);
    return options::AnswerStandardOption(args, "sitewright", ProgramUsage(), out, err);
}
