#include "app/page_actions.h"

#include <QComboBox>
#include <QLineEdit>
#include <stdexcept>

#include "app/code_window.h"
#include "app/page_layout.h"
#include "app/qt_text.h"
#include "generators/stamp.h"
#include "platform/executable_path.h"
#include "platform/shell.h"
#include "platform/staged_file.h"
#include "platform/user_folders.h"
#include "widgets/spin_edit.h"

std::string FieldText(const QWidget& control)
{
    // A spin box is an edit too; its field is its value, not its text.
    if (const auto* spin = qobject_cast<const SpinEdit*>(&control))
        return std::to_string(spin->value());
    if (const auto* edit = qobject_cast<const QLineEdit*>(&control))
        return edit->text().toStdString();
    if (const auto* combo = qobject_cast<const QComboBox*>(&control))
        return combo->currentText().toStdString();
    throw std::runtime_error("The control \"" + control.objectName().toStdString() +
                             "\" holds no field text.");
}

gen::FieldValues ReadPageFields(const QWidget& page, const gen::GadgetEntry& gadget)
{
    gen::FieldValues values;
    for (const gen::FieldEntry& field : gadget.fields) {
        const QString name = ToQString(pages::FieldControlName(gadget.id, field.option));
        const QWidget* control = page.findChild<QWidget*>(name);
        if (!control)
            throw std::runtime_error("The page has no field named \"" + name.toStdString() + "\".");
        values.push_back(FieldText(*control));
    }
    return values;
}

gen::CodeBuffer PageCode(const QWidget& page, const gen::GadgetEntry& gadget, gen::Edition edition,
                         bool stamped)
{
    const gen::FieldValues values = ReadPageFields(page, gadget);
    return stamped ? gen::StampedEdition(gadget, values, edition)
                   : gen::GenerateEdition(gadget, values, edition);
}

std::string PreviewPath()
{
    // A copy the user owns keeps its preview beside it; an installed one must not write among
    // the system's files, where the user cannot and root should not.
    const std::string folder = platform::ExecutableFolder();
    return (platform::FolderIsUsersToWrite(folder) ? folder : platform::UserRuntimeFolder()) +
           "preview.html";
}

void PreviewCodeWindow(CodeWindow& window, QWidget* parent)
{
    const std::string path = PreviewPath();
    platform::ReplaceFile(path, window.crlfText(), platform::NewFileMode::Data);
    window.clearCode();
    platform::OpenInBrowser(parent, path);
}

void ShowCodeWindow(CodeWindow& window)
{
    // A minimised code window would stay out of sight; it comes back at its size.
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}
