#pragma once

#include <string_view>
#include <vector>

// What each of the ten pages of the main window holds besides its two buttons: its labels, and
// where it puts each field of its gadget. What a field is (its control, kind, caption and
// starting text) stands in the gadget table; a page only places it.
namespace pages
{

// How a label's text looks: the page title (13 px bold), the browsers it works in (11 px
// underlined), the word-wrapped description (13 px), or the window's own font (captions).
enum class TextStyle { Plain, Title, Support, Description };

// A control's place on its page. A width or height of 0 leaves it open: a label is then as
// large as its text, an edit or combo box 21 high and a spin box 22.
struct Place {
    int x;
    int y;
    int width;
    int height;
};

struct LabelRow {
    std::string_view name; // member and object name
    Place place;
    std::string_view text;
    TextStyle style = TextStyle::Plain;
};

// A field of the page's gadget, known by its option, and the label with its caption.
struct FieldRow {
    std::string_view option;
    Place place;
    std::string_view captionName; // member and object name of the caption label
    Place captionPlace;
};

struct PageLayout {
    int page;    // 1 ... 10, shown in Panel<page>
    int buttonY; // top of the Preview and Generate Code buttons
    // Built in this order, the labels first, each field after its caption.
    std::vector<LabelRow> labels;
    std::vector<FieldRow> fields;
    // The fields in keyboard order, by option; Tab reaches them after the two buttons. The
    // order of the rows (the reading order) may differ. Empty: the order the rows are built.
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
