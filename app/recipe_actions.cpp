#include "app/recipe_actions.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QMenu>
#include <QMimeData>

#include "app/edition_choice.h"
#include "app/error_reporting.h"
#include "app/main_window.h"
#include "app/recent_recipes.h"
#include "app/recipe_dialogs.h"
#include "app/recipe_pages.h"
#include "platform/read_only_file.h"
#include "platform/staged_file.h"
#include "recipe/recipe_check.h"
#include "sitecheck/stamped_recipe.h"

namespace
{

std::string LocalPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString FileName(const QString& path)
{
    return QFileInfo(path).fileName();
}

// A web page opens as the recipe of its stamped snippets; it is never saved over as one.
bool IsPage(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QStringLiteral("html") || suffix == QStringLiteral("htm");
}

recipe::Recipe RecipeOfPage(const std::string& bytes)
{
    recipe::Recipe r = sitecheck::StampedRecipe(bytes);
    if (r.snippets.empty())
        throw recipe::RecipeError("", "the page holds no stamped snippet of Sitewright");
    return r;
}

// Refused by its size before a byte is read, so a huge file never fills memory.
recipe::Recipe ReadRecipe(const QString& path)
{
    const platform::ReadOnlyFile input(LocalPath(path));
    if (input.Size() > static_cast<std::int64_t>(recipe::kMaxRecipeBytes))
        throw recipe::RecipeError("", IsPage(path) ? "the page is larger than 16 MB"
                                                   : "the recipe is larger than 16 MB");
    recipe::Recipe r =
        IsPage(path) ? RecipeOfPage(input.ReadAll()) : recipe::ParseRecipe(input.ReadAll());
    recipe::CheckRecipe(r);
    return r;
}

// The recipe name offered for a page's snippets: the page's name with .json, beside it.
QString RecipeNameFor(const QString& page)
{
    const QFileInfo info(page);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".json"));
}

QString DroppedRecipe(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().isEmpty() || !data->urls().front().isLocalFile())
        return {};
    return data->urls().front().toLocalFile();
}

} // namespace

RecipeActions::RecipeActions(MainWindow& window) : QObject(&window), window_(window)
{
    setObjectName(QStringLiteral("recipeActions"));
    addActions();
    for (int page = 1; page <= static_cast<int>(gen::GadgetTable().size()); ++page)
        WatchPageFields(window_, page, [this] { refresh(); });
    connect(&window_, &MainWindow::pageBuilt, this,
            [this](int page) { WatchPageFields(window_, page, [this] { refresh(); }); });
    connect(window_.editionChoice, &QCheckBox::toggled, this, [this] { refresh(); });
    shown_ = ReadPageState(window_);
    window_.setAcceptDrops(true);
    window_.installEventFilter(this);
}

void RecipeActions::addActions()
{
    const auto make = [this](const char* text, const QKeySequence& keys, const char* tip) {
        auto* action = new QAction(QString::fromUtf8(text), &window_);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setToolTip(QString::fromUtf8(tip));
        window_.addAction(action);
        return action;
    };
    openAction = make("&Open Recipe...", QKeySequence(Qt::CTRL | Qt::Key_O),
                      "Open a recipe: fills every page from it (Ctrl+O)");
    saveAction = make("&Save Recipe", QKeySequence(Qt::CTRL | Qt::Key_S),
                      "Save every page to the open recipe (Ctrl+S)");
    saveAsAction = make("Save Recipe &As...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                        "Save every page to a new recipe (Ctrl+Shift+S)");
    connect(openAction, &QAction::triggered, this, ReportingErrors([this] { openChosen(); }));
    connect(saveAction, &QAction::triggered, this, ReportingErrors([this] { saveRecipe(); }));
    connect(saveAsAction, &QAction::triggered, this, ReportingErrors([this] { saveAs(); }));
    recentMenu_ = new QMenu(QStringLiteral("&Recent Recipes"), &window_);
    connect(recentMenu_, &QMenu::aboutToShow, this, &RecipeActions::fillRecentMenu);
    addContextMenu(*window_.menuPanel);
    for (int page = 1; page <= static_cast<int>(gen::GadgetTable().size()); ++page)
        addContextMenu(*window_.pagePanel(page));
    window_.menuPanel->setToolTip(
        QStringLiteral("Right-click for Open Recipe (Ctrl+O) and Save Recipe (Ctrl+S)"));
}

void RecipeActions::addContextMenu(QWidget& widget)
{
    widget.setContextMenuPolicy(Qt::ActionsContextMenu);
    widget.addActions({openAction, saveAction, saveAsAction, recentMenu_->menuAction()});
}

void RecipeActions::fillRecentMenu()
{
    recentMenu_->clear();
    for (const QString& path : RecentRecipes::list()) {
        QAction* action = recentMenu_->addAction(path);
        connect(action, &QAction::triggered, this, [this, path] {
            if (mayClose() && !openRecipe(path) && !QFileInfo::exists(path))
                RecentRecipes::remove(path);
        });
    }
    if (recentMenu_->isEmpty())
        recentMenu_->addAction(QStringLiteral("(none)"))->setEnabled(false);
}

bool RecipeActions::openRecipe(const QString& path)
{
    recipe::Recipe r;
    try {
        r = ReadRecipe(path);
    } catch (const recipe::RecipeError& e) {
        ReportError(FileName(path) + QStringLiteral(": ") + QString::fromStdString(e.what()));
        return false;
    } catch (const std::exception& e) {
        ReportError(QString::fromStdString(e.what()));
        return false;
    }
    ShowPageState(window_, recipe::PagesOf(r, window_.editionChoice->edition()));
    const bool page = IsPage(path);
    if (page)
        window_.showPage(recipe::GadgetOf(r.snippets.front()).page);
    recipe_ = std::move(r);
    path_ = page ? QString() : path;
    pagePath_ = page ? path : QString();
    shown_ = ReadPageState(window_);
    RecentRecipes::add(path);
    refresh();
    return true;
}

bool RecipeActions::saveTo(const QString& path)
{
    if (IsPage(path)) {
        ReportError(FileName(path) + QStringLiteral(": a recipe is saved as a .json file, never "
                                                    "over a web page"));
        return false;
    }
    const recipe::PageState current = ReadPageState(window_);
    recipe::Recipe merged =
        recipe::MergePages(recipe_, shown_, current, path_.isEmpty() && pagePath_.isEmpty());
    try {
        // A value the program would refuse on opening is refused here, before the file holds
        // it: saved, it would keep the whole recipe from opening again.
        recipe::CheckRecipe(merged);
    } catch (const recipe::RecipeError& e) {
        ReportError(FileName(path) + QStringLiteral(": not saved: ") +
                    QString::fromStdString(e.what()));
        return false;
    }
    try {
        platform::ReplaceFile(LocalPath(path), recipe::WriteRecipe(merged),
                              platform::NewFileMode::Data);
    } catch (const std::exception& e) {
        ReportError(QString::fromStdString(e.what()));
        return false;
    }
    recipe_ = std::move(merged);
    path_ = path;
    pagePath_.clear();
    shown_ = current;
    RecentRecipes::add(path);
    refresh();
    return true;
}

void RecipeActions::openChosen()
{
    if (!mayClose())
        return;
    const QString path = ChooseRecipeToOpen(&window_);
    if (!path.isEmpty())
        openRecipe(path);
}

bool RecipeActions::saveRecipe()
{
    return path_.isEmpty() ? saveAs() : saveTo(path_);
}

bool RecipeActions::saveAs()
{
    const QString suggested = !path_.isEmpty()       ? path_
                              : !pagePath_.isEmpty() ? RecipeNameFor(pagePath_)
                                                     : QStringLiteral("site.json");
    const QString path = ChooseRecipeToSave(&window_, suggested);
    return !path.isEmpty() && saveTo(path);
}

bool RecipeActions::hasUnsavedChanges() const
{
    const recipe::PageState current = ReadPageState(window_);
    const bool opened = !path_.isEmpty() || !pagePath_.isEmpty();
    return current.values != shown_.values || (opened && current.edition != shown_.edition);
}

void RecipeActions::refresh()
{
    const bool modified = hasUnsavedChanges();
    if (baseTitle_.isNull())
        baseTitle_ = window_.windowTitle();
    const QString& opened = path_.isEmpty() ? pagePath_ : path_;
    if (!opened.isEmpty())
        window_.setWindowTitle(FileName(opened) + QStringLiteral("[*] - ") + baseTitle_);
    else
        window_.setWindowTitle(modified ? baseTitle_ + QStringLiteral("[*]") : baseTitle_);
    window_.setWindowModified(modified);
}

bool RecipeActions::mayClose()
{
    if (!hasUnsavedChanges())
        return true;
    const QString name = !path_.isEmpty()       ? FileName(path_)
                         : !pagePath_.isEmpty() ? FileName(RecipeNameFor(pagePath_))
                                                : QStringLiteral("a new recipe");
    switch (AskAboutUnsavedChanges(&window_, name)) {
    case UnsavedAnswer::Save:
        return saveRecipe();
    case UnsavedAnswer::Discard:
        return true;
    case UnsavedAnswer::Cancel:
        break;
    }
    return false;
}

bool RecipeActions::openDropped(QEvent* event)
{
    auto* drop = static_cast<QDropEvent*>(event);
    const QString path = DroppedRecipe(drop->mimeData());
    if (path.isEmpty())
        return false;
    drop->acceptProposedAction();
    if (event->type() == QEvent::Drop && mayClose())
        openRecipe(path);
    return true;
}

bool RecipeActions::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &window_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Close:
        if (mayClose())
            return false;
        event->ignore();
        return true;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return openDropped(event);
    default:
        return QObject::eventFilter(watched, event);
    }
}
