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
    form2->show();
    if (!QTest::qWaitForWindowExposed(form2.get()))
        qWarning("main window not exposed");
}

AppFixture::~AppFixture() = default;

void AppFixture::Restart()
{
    form4 = nullptr;
    form2.reset();
    form2 = std::make_unique<MainWindow>();
    form4 = &form2->codeWindow();
}

std::string AppFixture::Folder() const
{
    return dir.path().string() + "/";
}
