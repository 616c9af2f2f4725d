#pragma once

#include <functional>
#include <string>

#include "recipe/page_merge.h"

class QWidget;
class MainWindow;

// The pages of the main window as a recipe sees them.

// What every page holds and the edition choice; a page not built yet holds its defaults.
recipe::PageState ReadPageState(const MainWindow& mainWindow);

// Shows `state` on the pages, building them, and sets the edition choice.
void ShowPageState(MainWindow& mainWindow, const recipe::PageState& state);

// Puts `text` (UTF-8) into a field control: an edit, a spin box or a combo box.
void SetFieldText(QWidget& control, const std::string& text);

// Calls `changed` whenever the text of a field control of the built `page` changes.
void WatchPageFields(MainWindow& mainWindow, int page, const std::function<void()>& changed);
