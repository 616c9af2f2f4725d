#include "app/recipe_pages.h"

#include <QComboBox>
#include <QLineEdit>
#include <stdexcept>

#include "app/edition_choice.h"
#include "app/main_window.h"
#include "app/page_actions.h"
#include "app/page_layout.h"
#include "app/qt_text.h"

namespace
{

// A field's control lives on its gadget's page; looking there alone skips the rest of the window,
// and a page not built yet holds nothing to look through.
QWidget* FieldControl(const MainWindow& mainWindow, const gen::GadgetEntry& gadget,
                      const gen::FieldEntry& field)
{
    return mainWindow.pagePanel(gadget.page)
        ->findChild<QWidget*>(ToQString(pages::FieldControlName(gadget.id, field.option)));
}

} // namespace

recipe::PageState ReadPageState(const MainWindow& mainWindow)
{
    recipe::PageState state;
    state.edition =
        mainWindow.editionChoice ? mainWindow.editionChoice->edition() : gen::Edition::Classic;
    for (const gen::GadgetEntry& gadget : gen::GadgetTable()) {
        gen::FieldValues values = gen::DefaultValues(gadget);
        for (std::size_t i = 0; i < gadget.fields.size(); ++i)
            if (const QWidget* control = FieldControl(mainWindow, gadget, gadget.fields[i]))
                values[i] = FieldText(*control);
        state.values.push_back(std::move(values));
    }
    return state;
}

void ShowPageState(MainWindow& mainWindow, const recipe::PageState& state)
{
    const std::vector<gen::GadgetEntry>& table = gen::GadgetTable();
    for (std::size_t g = 0; g < table.size(); ++g) {
        mainWindow.ensurePageBuilt(table[g].page);
        for (std::size_t i = 0; i < table[g].fields.size(); ++i)
            if (QWidget* control = FieldControl(mainWindow, table[g], table[g].fields[i]))
                SetFieldText(*control, state.values[g][i]);
    }
    if (mainWindow.editionChoice)
        mainWindow.editionChoice->setChecked(state.edition == gen::Edition::Today);
}

void SetFieldText(QWidget& control, const std::string& text)
{
    const QString value = QString::fromStdString(text);
    // A spin box is an edit too; it reads its value from the text, as typed.
    if (auto* edit = qobject_cast<QLineEdit*>(&control))
        edit->setText(value);
    else if (auto* combo = qobject_cast<QComboBox*>(&control))
        combo->setEditText(value);
    else
        throw std::runtime_error("The control \"" + control.objectName().toStdString() +
                                 "\" holds no field text.");
}

void WatchPageFields(MainWindow& mainWindow, int page, const std::function<void()>& changed)
{
    const gen::GadgetEntry* gadget = gen::GadgetOfPage(page);
    if (!gadget)
        return;
    for (const gen::FieldEntry& field : gadget->fields) {
        QWidget* control = FieldControl(mainWindow, *gadget, field);
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            QObject::connect(edit, &QLineEdit::textChanged, &mainWindow, changed);
        else if (auto* combo = qobject_cast<QComboBox*>(control))
            QObject::connect(combo, &QComboBox::editTextChanged, &mainWindow, changed);
    }
}
