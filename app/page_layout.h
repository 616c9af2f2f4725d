#pragma once

#include <string_view>
#include <vector>

// What each of the ten pages of the main window holds besides its two buttons. A page is built
// from its rows alone, so a page gains a control by gaining a row (and, for code that needs
// the control by name, a member of TForm2 bound to it).
namespace pages
{

enum class ControlKind { Label, Edit, SpinEdit, ComboBox };

// How a label's text looks: the page title (13 px bold), the browsers it works in (11 px
// underlined), the word-wrapped description (13 px), or the window's own font (captions).
enum class TextStyle { Plain, Title, Support, Description };

struct ControlRow {
    ControlKind kind;
    std::string_view name; // member and object name
    int x;
    int y;
    int width;  // 0: as wide as the label's text
    int height; // 0: a label as high as its text; edits and combo boxes 21, spin boxes 22
    // A label's text; a combo box's list items, separated by '\n'. Fields take their starting
    // text from the gadget table, by name.
    std::string_view caption = {};
    TextStyle style = TextStyle::Plain;
};

struct PageLayout {
    int page;    // 1 ... 10, shown in Panel<page>
    int buttonY; // top of the Preview and Generate Code buttons
    std::vector<ControlRow> controls;
    // The fields in keyboard order, by name; Tab reaches them after the two buttons. The
    // order of the page's rows (its reading order) may differ.
    std::vector<std::string_view> tabOrder = {};
};

// The ten pages in order.
const std::vector<PageLayout>& PageLayouts();

// The layout of page 1 ... 10. Throws std::out_of_range for any other number.
const PageLayout& PageLayoutOf(int page);

// Places of the two buttons every page has.
constexpr int kPreviewX = 16;
constexpr int kPreviewWidth = 89;
constexpr int kGenerateX = 264;
constexpr int kGenerateWidth = 91;
constexpr int kButtonHeight = 25;

} // namespace pages
