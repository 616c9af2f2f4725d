// Writes the bash completion script of sitewright-gen, made from the gadget table, to the file
// named by its one argument. Run by the build; not installed.
#include <cstdio>
#include <exception>

#include "platform/staged_file.h"
#include "tools/completion_script.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("Usage: sitewright-completion OUTPUT\n", stderr);
        return 2;
    }
    try {
        platform::ReplaceFile(argv[1], tools::BashCompletionScript(gen::GadgetTable()),
                              platform::NewFileMode::Data);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "sitewright-completion: %s\n", error.what());
        return 1;
    }
    return 0;
}
