#pragma once

#include <string>

#include "generators/gadget_table.h"

class QWidget;

// What the two buttons of a page do. The procedures reach the pages through the single main
// window Form2, which must exist, and the code buffer through CodeWindow(), made on first use.

// The page generator: reads the page's fields, runs the gadget's generator for the chosen
// edition and replaces the code buffer (the lines of Form4's Memo1) with the result; a page not
// shown yet is built first, so its fields read as they start. A gadget without a generator
// leaves the buffer empty.
// Runs the generator of page 1 ... the last.
void GenPage(int page);

// Writes the code buffer's text form to the preview file (PreviewPath()), replacing
// an earlier one, empties the buffer and opens the file in the web browser. When the file
// cannot be created the std::runtime_error of ReplaceFile escapes; the buffer is then
// kept and no browser is started.
void PreviewCodeBuffer();

// Shows the code window, modeless, in front of the others and active; a minimised one is
// restored.
void ShowCodeWindow();

// The full path of the preview file: "preview.html" in the executable's folder when that folder
// is the user's to write (platform::FolderIsUsersToWrite), else in platform::UserRuntimeFolder(),
// which is made when missing. Throws std::runtime_error when that folder cannot be made.
std::string PreviewPath();

// The texts of the gadget's fields in the gadget's order, read from the main window's
// controls of the same names. Throws std::runtime_error when a control is missing.
gen::FieldValues ReadPageFields(const gen::GadgetEntry& gadget);

// The text a field control holds: an edit's or a combo box's text, a spin box's value in
// decimal; UTF-8 bytes. Throws std::runtime_error for any other control.
std::string FieldText(const QWidget& control);
