#include "app/page_layout.h"

#include "generators/gadget_table.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace pages
{

namespace
{

using S = TextStyle;

// In page order, so that a reader finds them as the menu lists them.
std::vector<PageLayout> BuildLayouts()
{
    return {
        {"break-frames",
         "Label1",
         176,
         {
             {"Label77", {8, 8, 98, 16}, "", S::Title},
             {"Label78", {288, 10, 57, 13}, "All Browsers", S::Support},
             {"Label79",
              {16, 32, 345, 49},
              "If a visitor comes to your site and is looking through frames, this script will "
              "automatically make the page 'break out' of frames.",
              S::Description},
         },
         {
             {"link-text", "Edit19", {96, 96, 241, 0}, "Label83", {24, 100, 0, 0}},
         },
         {"link-text"}},
        {"bookmark-us",
         "Label2",
         186,
         {
             {"Label11", {8, 8, 102, 16}, " ", S::Title},
             {"Label12", {248, 10, 101, 13}, "Internet Explorer Only", S::Support},
             {"Label13",
              {16, 32, 345, 65},
              " Allow your visitors to click one text link to quickly and easily add your site "
              "to their \"Favorites.\" (Netscape Users won't get any errors, but instead see a "
              "message reminding them to bookmark) ",
              S::Description},
         },
         {
             {"url", "Edit1", {112, 108, 241, 21}, "Label14", {16, 112, 84, 13}},
             {"site-name", "Edit2", {112, 136, 241, 21}, "Label15", {16, 140, 85, 13}},
             {"link-start", "Edit20", {72, 160, 48, 0}, "Label84", {8, 164, 0, 0}},
             {"link-end", "Edit21", {184, 160, 56, 0}, "Label85", {128, 164, 0, 0}},
             {"hint-start", "Edit22", {312, 160, 41, 0}, "Label86", {248, 164, 0, 0}},
         }},
        {"email-this-page",
         "Label3",
         186,
         {
             {"Label16", {8, 8, 115, 16}, "", S::Title},
             {"Label17", {288, 10, 57, 13}, "All Browsers", S::Support},
             {"Label18",
              {16, 32, 345, 65},
              "Allow your visitors to email the current page to a friend. They just enter a "
              "friend's name and email address. It will send them a link to the current web "
              "page address in an email message signed by you. Perfect!",
              S::Description},
         },
         // The form's texts stand in three columns, as the form reads: its heading, the
         // friend's and the sender's labels, its button, then the message.
         {
             {"mail-script", "Edit16", {96, 112, 144, 0}, "Label80", {24, 116, 0, 0}},
             {"heading", "Edit23", {312, 112, 48, 0}, "Label87", {248, 116, 0, 0}},
             {"their-name-label", "Edit24", {72, 136, 48, 0}, "Label88", {8, 140, 0, 0}},
             {"their-email-label", "Edit25", {192, 136, 48, 0}, "Label89", {128, 140, 0, 0}},
             {"button-caption", "Edit26", {312, 136, 48, 0}, "Label102", {248, 140, 0, 0}},
             {"your-name-label", "Edit27", {72, 160, 48, 0}, "Label103", {8, 164, 0, 0}},
             {"your-email-label", "Edit28", {192, 160, 48, 0}, "Label104", {128, 164, 0, 0}},
             {"message-start", "Edit29", {312, 160, 48, 0}, "Label105", {248, 164, 0, 0}},
         },
         {"mail-script", "heading", "their-name-label", "their-email-label", "button-caption",
          "your-name-label", "your-email-label", "message-start"}},
        {"set-homepage",
         "Label4",
         176,
         {
             {"Label19", {8, 8, 137, 16}, "", S::Title},
             {"Label20", {288, 10, 57, 13}, "All Browsers", S::Support},
             {"Label21",
              {16, 32, 345, 57},
              "Allow the visitor to set your site as their homepage with a link. This works "
              "best in Internet Explorer, but also displays the appropriate information based "
              "on browser type. ",
              S::Description},
         },
         {
             {"url", "Edit3", {32, 112, 305, 21}, "Label22", {16, 96, 157, 13}},
             {"lead-text", "Edit30", {144, 140, 193, 0}, "Label106", {16, 144, 0, 0}},
         },
         {"url", "lead-text"}},
        {"logo-branding",
         "Label6",
         184,
         {
             {"Label23", {8, 8, 102, 16}, "", S::Title},
             {"Label24", {288, 10, 57, 13}, "All Browsers", S::Support},
             {"Label25",
              {16, 32, 345, 57},
              "Have you seen the floating logo on Geocities sites? How would you like to have "
              "your own logo floating in the corner of your site? This script does just that! "
              "Awesome! ",
              S::Description},
         },
         {
             {"status-text", "Edit4", {96, 88, 241, 21}, "Label26", {16, 92, 59, 13}},
             {"link", "Edit5", {96, 112, 241, 21}, "Label27", {16, 114, 61, 13}},
             {"image", "Edit6", {96, 136, 241, 21}, "Label30", {16, 136, 68, 13}},
             {"width", "SpinEdit1", {128, 160, 57, 22}, "Label28", {64, 164, 55, 13}},
             {"height", "SpinEdit2", {280, 160, 57, 22}, "Label29", {208, 164, 58, 13}},
         },
         // The image address comes last although it stands above the spin boxes.
         {"status-text", "link", "width", "height", "image"}},
        {"frameless-popup",
         "Label5",
         176,
         {
             {"Label31", {8, 8, 0, 0}, "", S::Title},
             {"Label32", {288, 10, 0, 0}, "All Browsers", S::Support},
             {"Label33",
              {16, 32, 345, 81},
              "(IE4+) Launches a popup window without the Windows frame or titlebar. In other "
              "browsers, it launches a standard popup window. Position, width, and height are "
              "settable. Automatic closing of the window on leaving the page may also be "
              "optionally set. ! ",
              S::Description},
         },
         {
             {"url", "Edit7", {96, 120, 129, 0}, "Label34", {24, 124, 0, 0}},
             {"link-text", "Edit31", {288, 120, 49, 0}, "Label107", {232, 124, 0, 0}},
             {"width", "Edit8", {64, 148, 49, 0}, "Label35", {24, 152, 0, 0}},
             {"height", "Edit9", {168, 148, 49, 0}, "Label36", {128, 152, 0, 0}},
             {"autoclose", "ComboBox1", {288, 148, 49, 0}, "Label37", {232, 152, 0, 0}},
         },
         {"url", "link-text", "width", "height", "autoclose"}},
        {"browser-entry",
         "Label7",
         176,
         {
             {"Label38", {8, 8, 0, 0}, " ", S::Title},
             {"Label39", {288, 10, 0, 0}, "All Browsers", S::Support},
             {"Label40",
              {16, 32, 345, 65},
              "If you maintain a different page for Microsoft Internet Explorer and another for "
              "Netscape browsers, you should use this script. Quite simply, it sends the right "
              "browser to the right browser-optimized page.",
              S::Description},
         },
         {
             {"ie-url", "Edit10", {152, 104, 193, 0}, "Label41", {24, 108, 0, 0}},
             {"other-url", "Edit11", {152, 132, 193, 0}, "Label42", {24, 136, 0, 0}},
         },
         {"ie-url", "other-url"}},
        {"language",
         "Label8",
         176,
         {
             {"Label43", {8, 8, 0, 0}, "", S::Title},
             {"Label44", {272, 10, 0, 0}, "Newer Browsers", S::Support},
             {"Label45",
              {16, 32, 345, 113},
              "Redirects a user to the page based on their language. For example, English "
              "language user browsers, which report the language as 'en' in most cases, can be "
              "redirected to an English page, while Spanish language user browser, which report "
              "the language as 'es' in most cases, can be sent to a separate Spanish page. You "
              "will have to modify source to setup where they are redirect to.",
              S::Description},
         },
         {}},
        {"metasearch",
         "Label9",
         176,
         {
             {"Label46", {8, 8, 0, 0}, "", S::Title},
             {"Label47", {288, 10, 0, 0}, "All Browsers", S::Support},
             {"Label48",
              {16, 32, 345, 97},
              "This search form gives you the possibility to search the 42 most popular search "
              "engines and directories. The form is transparent, so you can paste it right on "
              "your Web site to fit your design ... and it is only one line! Having this on "
              "your page gives me people a reason to set as there homepage! ",
              S::Description},
         },
         {}},
        {"popup-page",
         "Label10",
         186,
         {
             {"Label49", {8, 8, 0, 0}, "", S::Title},
             {"Label50", {288, 10, 0, 0}, "All Browsers", S::Support},
             {"Label51",
              {16, 32, 345, 33},
              "Once your page loads, after X (define below) seconds pass a pop-up window will "
              "open.",
              S::Description},
         },
         {
             {"url", "Edit12", {96, 88, 241, 0}, "Label52", {24, 90, 0, 0}},
             {"width", "Edit14", {96, 112, 49, 0}, "Label54", {56, 116, 0, 0}},
             {"height", "Edit15", {216, 112, 49, 0}, "Label55", {176, 116, 0, 0}},
             {"seconds", "Edit13", {96, 136, 49, 0}, "Label53", {8, 140, 0, 0}},
             {"title", "Edit17", {96, 160, 105, 0}, "Label81", {24, 164, 0, 0}},
             {"close-caption", "Edit18", {280, 160, 57, 0}, "Label82", {208, 164, 0, 0}},
         },
         // The seconds come before width and height although they stand below them.
         {"url", "seconds", "width", "height", "title", "close-caption"}},
    };
}

} // namespace

const std::vector<PageLayout>& PageLayouts()
{
    static const std::vector<PageLayout> layouts = [] {
        std::vector<PageLayout> all = BuildLayouts();
        for (PageLayout& extra : ExtraLayouts())
            all.push_back(std::move(extra));
        return all;
    }();
    return layouts;
}

const PageLayout* LayoutOf(std::string_view gadgetId)
{
    for (const PageLayout& layout : PageLayouts())
        if (layout.gadget == gadgetId)
            return &layout;
    return nullptr;
}

std::string_view FieldControlName(std::string_view gadgetId, std::string_view option)
{
    if (const PageLayout* layout = LayoutOf(gadgetId))
        for (const FieldRow& row : layout->fields)
            if (row.option == option)
                return row.name;
    throw std::logic_error("No page places the field --" + std::string(option) + " of " +
                           std::string(gadgetId));
}

const PageLayout& PageLayoutOf(int page)
{
    const gen::GadgetEntry* gadget = gen::GadgetOfPage(page);
    if (!gadget)
        throw std::out_of_range("No page " + std::to_string(page));
    const PageLayout* layout = LayoutOf(gadget->id);
    if (!layout)
        throw std::logic_error("No page layout for " + std::string(gadget->id));
    return *layout;
}

std::string PanelName(int page)
{
    return "Panel" + std::to_string(page);
}

std::string PreviewButtonName(int page)
{
    return "xpButton" + std::to_string(2 * page - 1);
}

std::string GenerateButtonName(int page)
{
    return "xpButton" + std::to_string(2 * page);
}

} // namespace pages
