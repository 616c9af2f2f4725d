#pragma once

#include <functional>

class QWidget;

// The desktop program once its options are answered: the start-up step, the application, the
// main window shown and the event loop; the program's exit status. `watch`, when given, sees the
// main window before it first shows (a measuring aid hooks in there).
int RunProgram(int& argc, char** argv, const std::function<void(QWidget&)>& watch = {});
