#pragma once

#include <QString>
#include <functional>

class QWidget;

// The questions a recipe action asks the user. Each returns the answer; an empty path means the
// user cancelled.

// The recipe file to open, chosen in a file dialog.
QString ChooseRecipeToOpen(QWidget* parent);
// The file to save the recipe in, chosen in a file dialog; `suggested` is offered first.
QString ChooseRecipeToSave(QWidget* parent, const QString& suggested);

// What to do with unsaved changes before the window closes.
enum class UnsavedAnswer { Save, Discard, Cancel };
UnsavedAnswer AskAboutUnsavedChanges(QWidget* parent, const QString& recipeName);

// Answers in place of the dialogs while it lives; an empty function leaves its question to the
// dialog. Scopes nest. Tests use it so that no modal dialog blocks them.
struct RecipeDialogAnswers {
    std::function<QString()> open;
    std::function<QString()> save;
    std::function<UnsavedAnswer()> unsaved;
};

class ScopedRecipeDialogs
{
public:
    explicit ScopedRecipeDialogs(RecipeDialogAnswers answers);
    ~ScopedRecipeDialogs();
    ScopedRecipeDialogs(const ScopedRecipeDialogs&) = delete;
    ScopedRecipeDialogs& operator=(const ScopedRecipeDialogs&) = delete;

private:
    RecipeDialogAnswers previous_;
};
