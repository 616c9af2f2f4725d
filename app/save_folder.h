#pragma once

#include <QString>

// Where the code window's Save to File dialog opens: the folder of the file saved last, kept in
// the program's settings across runs, while it still exists; else the user's documents folder,
// or the home folder when there is none.
QString SaveDialogFolder();

// Remembers the folder of `file`, which was just saved, for the next SaveDialogFolder().
void RememberSavedFile(const QString& file);
