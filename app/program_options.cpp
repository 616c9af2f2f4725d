#include "app/program_options.h"

#include <iostream>
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
    return options::AnswerStandardOption(args, "sitewright", ProgramUsage(), std::cout, std::cerr);
}
