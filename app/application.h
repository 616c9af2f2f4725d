#pragma once

#include <QApplication>

// The application object. An exception that escapes the handling of any event is reported
// (see error_reporting.h) and the event counts as not handled; the program goes on.
class SitewrightApplication : public QApplication
{
    Q_OBJECT

public:
    SitewrightApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
