#pragma once

#include <string_view>
#include <variant>
#include <vector>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class TForm2;
class TSpinEdit;
class TxpButton;

// What each page of the main window holds: its labels, where it puts each field
// of its gadget, and its two buttons, each with the member of TForm2 it is
// bound to. What a field is (its control, kind, caption and starting text)
// stands in the gadget table; a page only places it.
namespace pages
{

template <typename T> using Member = T* TForm2::*;
// A field's member has the type of the control its kind makes.
using FieldMember = std::variant<Member<QLineEdit>, Member<TSpinEdit>, Member<QComboBox>>;

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
    Member<QLabel> member;
    std::string_view name; // object name, the member's name
    Place place;
    std::string_view text;
    TextStyle style = TextStyle::Plain;
};

// A field of the page's gadget, known by its option, and the label with its
// caption.
struct FieldRow {
    std::string_view option;
    FieldMember member; // named as the gadget table names the field's control
    Place place;
    Member<QLabel> captionMember;
    std::string_view captionName; // object name of the caption label, the member's name
    Place captionPlace;
};

// Preview is xpButton<2k-1> and Generate Code xpButton<2k> on page k.
struct ButtonRow {
    Member<TxpButton> member;
    void (TForm2::*handler)(); // runs on a click
};

struct PageLayout {
    int page;             // 1 ... 10
    Member<QFrame> panel; // Panel<page>
    int buttonY;          // top of the Preview and Generate Code buttons
    ButtonRow preview;
    ButtonRow generate;
    // Built in this order, the labels first, each field after its caption.
    std::vector<LabelRow> labels;
    std::vector<FieldRow> fields;
    // The fields in keyboard order, by option; Tab reaches them after the two
    // buttons. The order of the rows (the reading order) may differ. Empty: the
    // order the rows are built.
    std::vector<std::string_view> tabOrder = {};
};

// The pages in order, page k at index k-1.
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
