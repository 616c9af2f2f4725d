#pragma once

#include <string>

#include "generators/code_buffer.h"
#include "generators/edition.h"
#include "generators/gadget_table.h"

class QWidget;
class CodeWindow;

// What the two buttons of a page do, given the page and the code window they work on.

// The gadget's snippet in `edition` from the fields `page` holds, with the stamp line before it
// when `stamped`. Throws gen::FieldError for a refused value and std::runtime_error when a
// control is missing.
gen::CodeBuffer PageCode(const QWidget& page, const gen::GadgetEntry& gadget, gen::Edition edition,
                         bool stamped);

// Writes the code window's text form to the preview file (PreviewPath()), replacing an earlier
// one, empties the window and opens the file in the web browser, on behalf of `parent`. When the
// file cannot be created the std::runtime_error of ReplaceFile escapes; the code is then kept and
// no browser is started.
void PreviewCodeWindow(CodeWindow& window, QWidget* parent);

// Shows the code window, modeless, in front of the others and active; a minimised one is
// restored.
void ShowCodeWindow(CodeWindow& window);

// The full path of the preview file: "preview.html" in the executable's folder when that folder
// is the user's to write (platform::FolderIsUsersToWrite), else in platform::UserRuntimeFolder(),
// which is made when missing. Throws std::runtime_error when that folder cannot be made.
std::string PreviewPath();

// The texts of the gadget's fields in the gadget's order, read from the page's controls of the
// same names. Throws std::runtime_error when a control is missing.
gen::FieldValues ReadPageFields(const QWidget& page, const gen::GadgetEntry& gadget);

// The text a field control holds: an edit's or a combo box's text, a spin box's value in
// decimal; UTF-8 bytes. Throws std::runtime_error for any other control.
std::string FieldText(const QWidget& control);
