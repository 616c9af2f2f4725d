#include "app/page_actions.h"

#include <QComboBox>
#include <QLineEdit>
#include <stdexcept>

#include "app/code_window.h"
#include "app/edition_choice.h"
#include "app/main_window.h"
#include "app/stamp_choice.h"
#include "generators/stamp.h"
#include "platform/executable_path.h"
#include "platform/shell.h"
#include "platform/staged_file.h"
#include "platform/user_folders.h"
#include "widgets/spin_edit.h"

std::string FieldText(const QWidget& control)
{
    // A spin box is an edit too; its field is its value, not its text.
    if (const auto* spin = qobject_cast<const TSpinEdit*>(&control))
        return std::to_string(spin->Value());
    if (const auto* edit = qobject_cast<const QLineEdit*>(&control))
        return edit->text().toStdString();
    if (const auto* combo = qobject_cast<const QComboBox*>(&control))
        return combo->currentText().toStdString();
    throw std::runtime_error("The control \"" + control.objectName().toStdString() +
                             "\" holds no field text.");
}

gen::FieldValues ReadPageFields(const gen::GadgetEntry& gadget)
{
    gen::FieldValues values;
    for (const gen::FieldEntry& field : gadget.fields) {
        const QString name = QString::fromUtf8(QByteArrayView(field.component));
        const QWidget* control = Form2->findChild<QWidget*>(name);
        if (!control)
            throw std::runtime_error("The page has no field named \"" + name.toStdString() + "\".");
        values.push_back(FieldText(*control));
    }
    return values;
}

void GenPage(int page)
{
    gen::CodeBuffer code;
    const gen::GadgetEntry* gadget = gen::GadgetOfPage(page);
    const gen::Edition edition = ChosenEdition();
    if (gadget && gadget->generate) {
        // A page not shown yet holds its fields as they start.
        Form2->EnsurePageBuilt(page);
        const gen::FieldValues values = ReadPageFields(*gadget);
        code = StampChosen() ? gen::StampedEdition(*gadget, values, edition)
                             : gen::GenerateEdition(*gadget, values, edition);
    }
    if (gadget && gadget->generate)
        CodeWindow().SetSnippet(code, *gadget, edition);
    else
        CodeWindow().SetCode(code);
}

std::string PreviewPath()
{
    // A copy the user owns keeps its preview beside it; an installed one must not write among
    // the system's files, where the user cannot and root should not.
    const std::string folder = platform::ExecutableFolder();
    return (platform::FolderIsUsersToWrite(folder) ? folder : platform::UserRuntimeFolder()) +
           "preview.html";
}

void PreviewCodeBuffer()
{
    const std::string path = PreviewPath();
    platform::ReplaceFile(path, CodeWindow().TextForm(), platform::NewFileMode::Data);
    CodeWindow().ClearCode();
    platform::OpenInBrowser(Form2, path);
}

void ShowCodeWindow()
{
    // A minimised code window would stay out of sight; it comes back at its size.
    TForm4& window = CodeWindow();
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

void TForm2::PreviewClick(int page)
{
    GenPage(page);
    PreviewCodeBuffer();
}

void TForm2::GenerateCodeClick(int page)
{
    GenPage(page);
    ShowCodeWindow();
}
