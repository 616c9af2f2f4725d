#include <optional>

#include "app/program_options.h"
#include "app/program_run.h"

int main(int argc, char* argv[])
{
    // Answered before the application object, which would need a display.
    if (const std::optional<int> status = AnswerProgramOptions(argc, argv))
        return *status;
    return RunProgram(argc, argv);
}
