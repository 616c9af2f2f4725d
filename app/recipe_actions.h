#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <string>

#include "recipe/page_merge.h"

class QAction;
class QMenu;
class MainWindow;

// Open Recipe (Ctrl+O) and Save Recipe (Ctrl+S) on the main window, also in the context menu of
// the menu list and of every page, with the recent recipes; a recipe file dropped on the window
// opens. The window title names the open recipe and marks unsaved changes; closing with unsaved
// changes asks first. Owned by the window; adds controls to none of its designed places.
class RecipeActions : public QObject
{
    Q_OBJECT

public:
    explicit RecipeActions(MainWindow& window);

    // Opens the recipe at `path` onto the pages; an .html or .htm page opens as the recipe of its
    // stamped snippets, showing the first one's page, and is saved under a new .json name. A recipe
    // that cannot be read or used is reported in one error box naming the place, and the pages stay
    // as they were. Returns whether it opened.
    bool openRecipe(const QString& path);
    // Saves the pages to `path` as a recipe, keeping what the open recipe holds beyond them.
    // Returns whether it saved; a failure is reported.
    bool saveTo(const QString& path);
    // Asks for a recipe to open, then opens it.
    void openChosen();
    // Saves to the open recipe, or asks where to when none is open.
    bool saveRecipe();
    bool saveAs();

    // Whether the pages differ from the open recipe (or from their defaults when none is open).
    bool hasUnsavedChanges() const;
    // The open recipe's path, empty when none is open or a page was opened.
    QString path() const { return path_; }

    QAction* openAction = nullptr;
    QAction* saveAction = nullptr;
    QAction* saveAsAction = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addActions();
    void addContextMenu(QWidget& widget);
    void fillRecentMenu();
    void refresh();
    // Whether the window may close, asking about unsaved changes.
    bool mayClose();
    bool openDropped(QEvent* event);

    MainWindow& window_;
    QMenu* recentMenu_ = nullptr;
    QString path_;
    QString pagePath_; // a web page opened as the recipe of its stamped snippets
    QString baseTitle_;
    recipe::Recipe recipe_;
    recipe::PageState shown_;
};
