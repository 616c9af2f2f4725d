#include "app_test_support.h"

#include <QSettings>
#include <QTest>
#include <fstream>
#include <iterator>
#include <sstream>

#include "app/code_window.h"
#include "app/error_reporting.h"
#include "app/main_window.h"
#include "platform/exe_image.h"
#include "platform/executable_path.h"

RecordingShell::RecordingShell() : previous_(platform::ReplaceShell(this)) {}

RecordingShell::~RecordingShell()
{
    platform::ReplaceShell(previous_);
}

RecordingReporter::RecordingReporter()
{
    SetErrorReporter([this](const QString& title, const QString& message) {
        titles.append(title);
        messages.append(message);
    });
}

RecordingReporter::~RecordingReporter()
{
    SetErrorReporter({});
}

AppFixture::AppFixture()
{
    platform::OverrideExecutablePath(Folder() + "sitewright");
    // The program image in memory has no appended data and no file stands behind it, so the
    // window starts as designed and the folder holds only what the tests write.
    platform::ExeImage() = "plain program image";
    LinkUrl.clear();
    // The user's own settings (the remembered edition) neither reach the test nor change.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    form2 = std::make_unique<TForm2>();
    form4 = std::make_unique<TForm4>();
    form2->show();
    if (!QTest::qWaitForWindowExposed(form2.get()))
        qWarning("main window not exposed");
}

AppFixture::~AppFixture()
{
    form4.reset();
    form2.reset();
    platform::OverrideExecutablePath("");
    platform::ExeImage().clear();
}

std::string AppFixture::Folder() const
{
    return dir.path().toStdString() + "/";
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}
