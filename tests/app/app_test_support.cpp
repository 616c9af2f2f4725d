#include "app_test_support.h"

#include <QSettings>
#include <QTest>

#include "app/code_window.h"
#include "app/main_window.h"

AppFixture::AppFixture()
{
    // The user's own settings (the remembered edition) neither reach the test nor change.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(dir.path().string()));
    Restart();
    mainWindow->show();
    if (!QTest::qWaitForWindowExposed(mainWindow.get()))
        qWarning("main window not exposed");
}

AppFixture::~AppFixture() = default;

void AppFixture::Restart()
{
    codeWindow = nullptr;
    mainWindow.reset();
    mainWindow = std::make_unique<MainWindow>();
    codeWindow = &mainWindow->codeWindow();
}

std::string AppFixture::Folder() const
{
    return dir.path().string() + "/";
}
