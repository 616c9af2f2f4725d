#include "app_test_support.h"

#include <QSettings>
#include <QTest>

#include "app/code_window.h"
#include "app/main_window.h"

AppFixture::AppFixture()
{
    LinkUrl.clear();
    // The user's own settings (the remembered edition) neither reach the test nor change.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(dir.path().string()));
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
}

std::string AppFixture::Folder() const
{
    return dir.path().string() + "/";
}
