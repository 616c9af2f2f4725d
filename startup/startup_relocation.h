#pragma once

#include <string_view>

#include "platform/message_pump.h"
#include "startup/startup_environment.h"

namespace startup
{

// The start-up pass; runs once, after the application object exists and before any window is
// created. In order:
// 1. The executable's folder becomes the current folder, for the rest of the run, when it is
//    the user's to write (platform::FolderIsUsersToWrite); otherwise the current folder stays.
// 2. An executable that is read-only and stays so after its attribute is cleared (read-only
//    media) is copied whole, appended data included, to <Windows drive root>/N/N (N being its
//    file name) unless that file exists already; the copy is started without arguments and the
//    application's end is requested.
// 3. With the first argument "deltemp" (exactly), "temp0a0.exe" in any letter case is removed
//    from the executable's folder, waiting up to 30 seconds while it cannot be; after that
//    start-up simply goes on.
// 4. An executable named "TEMP0A0.EXE" in any letter case replaces the file named by the first
//    argument (a relative name is taken in the executable's folder) with its own freshly read
//    image, starts it with "deltemp" and requests the application's end. A target that is the
//    executable itself (the same file, however it is spelled) is refused.
// A requested end takes effect when the event loop starts; the pass and the window creation
// still run. Throws (StartupError or std::runtime_error) when a copy cannot be written, the
// handover target cannot be replaced, or the handover copy has no usable target; the caller
// then ends the program before any window.
void RelocateAtStartup(StartupEnvironment& env);

// RelocateAtStartup on the real system, for the program entry. `pump` processes the
// application's events and takes the quit request. When the pass fails it writes
//   Sitewright cannot start: <message>
// to standard error and returns false; the program must then end with a non-zero status.
bool RunStartupStep(std::string_view firstArgument, platform::MessagePump& pump);

} // namespace startup
