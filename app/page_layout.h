#pragma once

#include <string>
#include <string_view>
#include <vector>

// Where each page of the main window puts things: its labels, each field of its gadget and the
// caption beside it, and its two buttons. What a field is (its control, kind, caption and
// starting text) and what the menu line says stand in the gadget table; a page only places
// them. The pages are the gadget table's gadgets, in its order.
namespace pages
{

// How a label's text looks: the page title (13 px bold), the browsers it works
// in (11 px underlined), the word-wrapped description (13 px), or the window's
// own font (captions).
enum class TextStyle { Plain, Title, Support, Description };

// A control's place on its page. A width or height of 0 leaves it open: a label
// is then as large as its text, an edit or combo box 21 high and a spin box 22.
struct Place {
    int x;
    int y;
    int width;
    int height;
};

struct LabelRow {
    std::string_view name; // object name
    Place place;
    // The label's text; for the page title only what stands before the gadget's title, which
    // the gadget table holds (the designed pages put a space before two of them).
    std::string_view text;
    TextStyle style = TextStyle::Plain;
};

// A field of the page's gadget, known by its option, its control's object name, and the label
// with its caption.
struct FieldRow {
    std::string_view option;
    std::string_view name; // object name of the control
    Place place;
    std::string_view captionName; // object name of the caption label
    Place captionPlace;
};

struct PageLayout {
    std::string_view gadget;   // the id of the gadget the page shows
    std::string_view menuLine; // object name of the gadget's line in the menu
    int buttonY;               // top of the Preview and Generate Code buttons
    // Built in this order, the labels first, each field after its caption.
    std::vector<LabelRow> labels;
    std::vector<FieldRow> fields;
    // The fields in keyboard order, by option; Tab reaches them after the two
    // buttons. The order of the rows (the reading order) may differ. Empty: the
    // order the rows are built.
    std::vector<std::string_view> tabOrder = {};
};

// Every page's layout.
const std::vector<PageLayout>& PageLayouts();

// The layouts of the gadget table's extra gadgets (gen::ExtraGadgets), placed after the
// program's own. The program defines none (app/extra_layouts.cpp); a test links in its own.
std::vector<PageLayout> ExtraLayouts();

// The layout of the gadget with this id, or nullptr.
const PageLayout* LayoutOf(std::string_view gadgetId);

// The layout of page 1 ... the table's last. Throws std::out_of_range for any other number and
// std::logic_error when the page's gadget has no layout.
const PageLayout& PageLayoutOf(int page);

// The object name of the control that holds the field `option` of the gadget `gadgetId`. Throws
// std::logic_error when no page places that field.
std::string_view FieldControlName(std::string_view gadgetId, std::string_view option);

// The designed object names of the windows' own parts, which accessibility and layout tests
// find them by; the pages' labels and fields have theirs in their rows.
namespace designed
{
inline constexpr std::string_view kMainWindow = "Form2";
inline constexpr std::string_view kBand = "Image1";
inline constexpr std::string_view kTitle = "Label56";
inline constexpr std::string_view kMenuPanel = "Menuepanel1";
inline constexpr std::string_view kBrandPicture = "imgSBIMG";
inline constexpr std::string_view kLinkLine = "lblTextLink";
inline constexpr std::string_view kEditionChoice = "chkTodaysEdition";
inline constexpr std::string_view kCodeWindow = "Form4";
inline constexpr std::string_view kCodeText = "Memo1";
inline constexpr std::string_view kTextBevel = "Bevel1";
inline constexpr std::string_view kButtonBevel = "Bevel2";
inline constexpr std::string_view kCodeButtons[] = {"xpButton1", "xpButton2", "xpButton3",
                                                    "xpButton4"};
inline constexpr std::string_view kSaveDialog = "SaveDialog1";
} // namespace designed

// The object name of page `page`'s panel, "Panel<page>".
std::string PanelName(int page);
// The object names of page `page`'s Preview and Generate Code buttons: numbered on through the
// pages, two to a page.
std::string PreviewButtonName(int page);
std::string GenerateButtonName(int page);

// Places of the two buttons every page has.
constexpr int kPreviewX = 16;
constexpr int kPreviewWidth = 89;
constexpr int kGenerateX = 264;
constexpr int kGenerateWidth = 91;
constexpr int kButtonHeight = 25;

} // namespace pages
