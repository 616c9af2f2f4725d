#pragma once

#include <string>
#include <string_view>

namespace platform
{

// The show state the program asks for; the only one it uses.
constexpr int kShowNormal = 1;

// One request to the shell's launch service, with what the Windows call takes.
struct ShellRequest {
    const void* owner = nullptr; // the window on whose behalf the launch happens
    std::string verb;            // "open"
    std::string file;            // program to start, e.g. "iexplore.exe" or a full path
    std::string parameters;      // parameter text, passed on as it is
    std::string directory;       // working folder; empty for the caller's
    int showCommand = kShowNormal;
};

// Starts programs on behalf of the application. Launch results are never looked at, so
// Execute reports nothing and must not throw.
class Shell
{
public:
    virtual ~Shell() = default;
    virtual void Execute(const ShellRequest& request) = 0;
};

// The shell of this platform:
// - "iexplore.exe" (any case) stands for the web browser. Its parameter text is "-new " + address
//   + " "; the address is opened in the desktop's default browser (xdg-open). An empty address
//   opens nothing.
// - Any other file is started as a program, detached, with the parameter text as its single
//   argument (no argument when the text is empty).
class PosixShell final : public Shell
{
public:
    void Execute(const ShellRequest& request) override;
};

// The shell every launch goes through; the platform's own unless replaced.
Shell& CurrentShell();

// Puts `shell` in place of the current one for every launch while it lives, and puts the one
// it replaced back when it ends. Scopes nest. Meant for tests.
class ScopedShell
{
public:
    explicit ScopedShell(Shell& shell);
    ~ScopedShell();
    ScopedShell(const ScopedShell&) = delete;
    ScopedShell& operator=(const ScopedShell&) = delete;

private:
    Shell* previous_;
};

// The one entry point every launch of the program goes through.
void ShellExecute(const void* owner, std::string_view verb, std::string_view file,
                  std::string_view parameters, std::string_view directory,
                  int showCommand = kShowNormal);

// Opens `address` in the web browser on behalf of `owner`: the browser launch every part of the
// program makes, "iexplore.exe" with the parameter text "-new " + address + " ".
void OpenInBrowser(const void* owner, std::string_view address);

// The address inside a browser parameter text: "-new " + address + " " gives the address back;
// any other text is returned without surrounding blanks.
std::string BrowserAddress(std::string_view parameters);

} // namespace platform
