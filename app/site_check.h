#pragma once

#include <QObject>
#include <QPointer>

#include "sitecheck/page_finder.h"

class QAction;
class SiteCheckDialog;
class MainWindow;

// The site check on the main window, as two actions of the window that its context menu (a
// right click beside the fields) offers and keys reach: "Check a Page..." (Ctrl+Shift+O) asks for
// an HTML page and lists its findings, and "Paste Stamped Snippet" (Ctrl+V, where no field takes
// the paste) shows the page of a stamped snippet from the clipboard with its values and
// edition. Adds no control to the window. Owned by the window.
class SiteCheck : public QObject
{
    Q_OBJECT

public:
    explicit SiteCheck(MainWindow& window);

    // Lists the findings of the page at `path` in the check dialog.
    void checkPage(const QString& path);
    // Shows the page of the first stamped snippet in `text`; reports when there is none.
    void pasteSnippet(const QString& text);
    // Shows the finding's page with its values, and chooses its edition.
    void showFinding(const sitecheck::Finding& finding);

    // The check dialog last opened, while it is open.
    SiteCheckDialog* dialog() const;

    QAction* checkPageAction = nullptr;
    QAction* pasteSnippetAction = nullptr;

private:
    void askForPage();

    MainWindow& window_;
    QPointer<SiteCheckDialog> dialog_;
};
