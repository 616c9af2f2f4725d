#include "app/recipe_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace
{

RecipeDialogAnswers& Answers()
{
    static RecipeDialogAnswers answers;
    return answers;
}

const QString kFilter = QStringLiteral("Recipes (*.json);;All files (*)");

} // namespace

QString ChooseRecipeToOpen(QWidget* parent)
{
    if (Answers().open)
        return Answers().open();
    return QFileDialog::getOpenFileName(
        parent, QStringLiteral("Open Recipe"), QString(),
        QStringLiteral("Recipes and pages with stamped snippets (*.json *.html *.htm);;"
                       "Recipes (*.json);;All files (*)"));
}

QString ChooseRecipeToSave(QWidget* parent, const QString& suggested)
{
    if (Answers().save)
        return Answers().save();
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Save Recipe"), suggested, kFilter);
}

UnsavedAnswer AskAboutUnsavedChanges(QWidget* parent, const QString& recipeName)
{
    if (Answers().unsaved)
        return Answers().unsaved();
    const QMessageBox::StandardButton button = QMessageBox::question(
        parent, QStringLiteral("Save Recipe"),
        QStringLiteral("Save the changes to %1 before closing?").arg(recipeName),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (button == QMessageBox::Save)
        return UnsavedAnswer::Save;
    return button == QMessageBox::Discard ? UnsavedAnswer::Discard : UnsavedAnswer::Cancel;
}

ScopedRecipeDialogs::ScopedRecipeDialogs(RecipeDialogAnswers answers) : previous_(Answers())
{
    Answers() = std::move(answers);
}

ScopedRecipeDialogs::~ScopedRecipeDialogs()
{
    Answers() = std::move(previous_);
}
