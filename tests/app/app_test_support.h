#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "platform/shell.h"

class TForm2;
class TForm4;

// Records every launch instead of starting anything, while it is in place.
class RecordingShell final : public platform::Shell
{
public:
    RecordingShell();
    ~RecordingShell() override;
    RecordingShell(const RecordingShell&) = delete;
    RecordingShell& operator=(const RecordingShell&) = delete;

    void Execute(const platform::ShellRequest& request) override { requests.push_back(request); }

    std::vector<platform::ShellRequest> requests;

private:
    platform::Shell* previous_;
};

// Collects reported errors instead of showing the message box, while it is in place.
class RecordingReporter
{
public:
    RecordingReporter();
    ~RecordingReporter();
    RecordingReporter(const RecordingReporter&) = delete;
    RecordingReporter& operator=(const RecordingReporter&) = delete;

    QStringList titles;
    QStringList messages;
};

// Both windows as the program creates them, the main window shown and exposed, with a fresh
// folder standing in for the executable's.
struct AppFixture {
    AppFixture();
    ~AppFixture();

    std::string Folder() const; // with a trailing '/'

    QTemporaryDir dir;
    RecordingShell shell;
    RecordingReporter reporter;
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<TForm4> form4;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
