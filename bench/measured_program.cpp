// The desktop program as delivered, with the measuring aid of the start-up and click rows
// (first_paint_probe.h) watching its main window; the delivered program carries no such code.
#include <optional>

#include "app/program_options.h"
#include "app/program_run.h"
#include "bench/first_paint_probe.h"

int main(int argc, char* argv[])
{
    if (const std::optional<int> status = AnswerProgramOptions(argc, argv))
        return *status;
    return RunProgram(argc, argv, FirstPaintProbe::InstallIfRequested);
}
