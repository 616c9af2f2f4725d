#pragma once

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/error_reporting.h"
#include "app/main_window.h"
#include "platform/exe_image.h"
#include "platform/executable_path.h"
#include "platform/shell.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_dir.h"

class MainWindow;
class CodeWindow;

// Records every launch instead of starting anything, while it is in place.
class RecordingShell final : public platform::Shell
{
public:
    void Execute(const platform::ShellRequest& request) override { requests.push_back(request); }

    std::vector<platform::ShellRequest> requests;

private:
    platform::ScopedShell inPlace_{*this};
};

// Collects reported errors instead of showing the message box, while it is in place.
class RecordingReporter
{
public:
    QStringList titles;
    QStringList messages;

private:
    ScopedErrorReporter inPlace_{[this](const QString& title, const QString& message) {
        titles.append(title);
        messages.append(message);
    }};
};

// Both windows as the program creates them, the main window shown and exposed, with a fresh
// folder standing in for the executable's.
struct AppFixture {
    AppFixture();
    ~AppFixture();

    std::string Folder() const; // with a trailing '/'
    // The main window's control of this object name; nullptr when it has none.
    template <typename T = QWidget> T* Control(const char* name) const
    {
        return mainWindow->template findChild<T*>(QString::fromLatin1(name));
    }

    TempDir dir;
    // The image in memory has no appended data and no file stands behind it, so the window
    // starts unbranded and the folder holds only what the tests write.
    platform::ScopedExecutablePath executable{Folder() + "sitewright"};
    platform::ScopedExeImage image{"plain program image"};
    RecordingShell shell;
    RecordingReporter reporter;
    // Ends the main window, its code window with it, and makes both again, as a new run would.
    void Restart();

    std::unique_ptr<MainWindow> mainWindow;
    CodeWindow* codeWindow = nullptr; // the main window's
};

// The main() of a test program over the application's windows: the application object as the
// program makes it, then the test class run by Qt Test.
template <class TestClass> int RunAppTest(int argc, char* argv[])
{
    SitewrightApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sitewright"));
    TestClass test;
    return QTest::qExec(&test, argc, argv);
}
