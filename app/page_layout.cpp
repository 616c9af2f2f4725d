#include "app/page_layout.h"

#include <stdexcept>

namespace pages
{

namespace
{

using K = ControlKind;
using S = TextStyle;

std::vector<PageLayout> BuildLayouts()
{
    return {
        {1,
         176,
         {
             {K::Label, "Label77", 8, 8, 98, 16, "Break Frames", S::Title},
             {K::Label, "Label78", 288, 10, 57, 13, "All Browsers", S::Support},
             {K::Label, "Label79", 16, 32, 345, 49,
              "If a visitor comes to your site and is looking through frames, this script will "
              "automatically make the page 'break out' of frames.",
              S::Description},
         }},
        {2,
         176,
         {
             {K::Label, "Label11", 8, 8, 102, 16, " Bookmark Us!", S::Title},
             {K::Label, "Label12", 248, 10, 101, 13, "Internet Explorer Only", S::Support},
             {K::Label, "Label13", 16, 32, 345, 65,
              " Allow your visitors to click one text link to quickly and easily add your site "
              "to their \"Favorites.\" (Netscape Users won't get any errors, but instead see a "
              "message reminding them to bookmark) ",
              S::Description},
             {K::Label, "Label14", 16, 112, 84, 13, "URL to bookmark"},
             {K::Edit, "Edit1", 112, 108, 241, 21},
             {K::Label, "Label15", 16, 140, 85, 13, "Name of your site:"},
             {K::Edit, "Edit2", 112, 136, 241, 21},
         }},
        {3,
         176,
         {
             {K::Label, "Label16", 8, 8, 115, 16, "Email This Page", S::Title},
             {K::Label, "Label17", 288, 10, 57, 13, "All Browsers", S::Support},
             {K::Label, "Label18", 16, 32, 345, 65,
              "Allow your visitors to email the current page to a friend. They just enter a "
              "friend's name and email address. It will send them a link to the current web "
              "page address in an email message signed by you. Perfect!",
              S::Description},
         }},
        {4,
         176,
         {
             {K::Label, "Label19", 8, 8, 137, 16, "Set Homepage Link", S::Title},
             {K::Label, "Label20", 288, 10, 57, 13, "All Browsers", S::Support},
             {K::Label, "Label21", 16, 32, 345, 57,
              "Allow the visitor to set your site as their homepage with a link. This works "
              "best in Internet Explorer, but also displays the appropriate information based "
              "on browser type. ",
              S::Description},
             {K::Label, "Label22", 16, 96, 157, 13, "Link for them to set as homepage"},
             {K::Edit, "Edit3", 32, 112, 305, 21},
         },
         {"Edit3"}},
        {5,
         184,
         {
             {K::Label, "Label23", 8, 8, 102, 16, "Logo Branding", S::Title},
             {K::Label, "Label24", 288, 10, 57, 13, "All Browsers", S::Support},
             {K::Label, "Label25", 16, 32, 345, 57,
              "Have you seen the floating logo on Geocities sites? How would you like to have "
              "your own logo floating in the corner of your site? This script does just that! "
              "Awesome! ",
              S::Description},
             {K::Label, "Label26", 16, 92, 59, 13, "Mouseover::"},
             {K::Edit, "Edit4", 96, 88, 241, 21},
             {K::Label, "Label27", 16, 114, 61, 13, "Link for logo:"},
             {K::Edit, "Edit5", 96, 112, 241, 21},
             {K::Label, "Label30", 16, 136, 68, 13, "URL to image:"},
             {K::Edit, "Edit6", 96, 136, 241, 21},
             {K::Label, "Label28", 64, 164, 55, 13, "Logo Width"},
             {K::SpinEdit, "SpinEdit1", 128, 160, 57, 22},
             {K::Label, "Label29", 208, 164, 58, 13, "Logo Height"},
             {K::SpinEdit, "SpinEdit2", 280, 160, 57, 22},
         },
         // The image address comes last although it stands above the spin boxes.
         {"Edit4", "Edit5", "SpinEdit1", "SpinEdit2", "Edit6"}},
        {6,
         176,
         {
             {K::Label, "Label31", 8, 8, 0, 0, "Frameless Popup", S::Title},
             {K::Label, "Label32", 288, 10, 0, 0, "All Browsers", S::Support},
             {K::Label, "Label33", 16, 32, 345, 81,
              "(IE4+) Launches a popup window without the Windows frame or titlebar. In other "
              "browsers, it launches a standard popup window. Position, width, and height are "
              "settable. Automatic closing of the window on leaving the page may also be "
              "optionally set. ! ",
              S::Description},
             {K::Label, "Label34", 24, 124, 0, 0, "URL to open:"},
             {K::Edit, "Edit7", 96, 120, 241, 0},
             {K::Label, "Label35", 24, 152, 0, 0, "Width:"},
             {K::Edit, "Edit8", 64, 148, 49, 0},
             {K::Label, "Label36", 128, 152, 0, 0, "Height:"},
             {K::Edit, "Edit9", 168, 148, 49, 0},
             {K::Label, "Label37", 232, 152, 0, 0, "AutoClose:"},
             {K::ComboBox, "ComboBox1", 288, 148, 49, 0, "true\nfalse"},
         },
         {"Edit7", "Edit8", "Edit9", "ComboBox1"}},
        {7,
         176,
         {
             {K::Label, "Label38", 8, 8, 0, 0, " Browser-Specific Entry", S::Title},
             {K::Label, "Label39", 288, 10, 0, 0, "All Browsers", S::Support},
             {K::Label, "Label40", 16, 32, 345, 65,
              "If you maintain a different page for Microsoft Internet Explorer and another for "
              "Netscape browsers, you should use this script. Quite simply, it sends the right "
              "browser to the right browser-optimized page.",
              S::Description},
             {K::Label, "Label41", 24, 108, 0, 0, "Internet Explorer goes to -"},
             {K::Edit, "Edit10", 152, 104, 193, 0},
             {K::Label, "Label42", 24, 136, 0, 0, "Netscape goes to -"},
             {K::Edit, "Edit11", 152, 132, 193, 0},
         },
         {"Edit10", "Edit11"}},
        {8,
         176,
         {
             {K::Label, "Label43", 8, 8, 0, 0, "Language", S::Title},
             {K::Label, "Label44", 272, 10, 0, 0, "Newer Browsers", S::Support},
             {K::Label, "Label45", 16, 32, 345, 113,
              "Redirects a user to the page based on their language. For example, English "
              "language user browsers, which report the language as 'en' in most cases, can be "
              "redirected to an English page, while Spanish language user browser, which report "
              "the language as 'es' in most cases, can be sent to a separate Spanish page. You "
              "will have to modify source to setup where they are redirect to.",
              S::Description},
         }},
        {9,
         176,
         {
             {K::Label, "Label46", 8, 8, 0, 0, "Orchard Search", S::Title},
             {K::Label, "Label47", 288, 10, 0, 0, "All Browsers", S::Support},
             {K::Label, "Label48", 16, 32, 345, 97,
              "This search form gives you the possibility to search the 42 most popular search "
              "engines and directories. The form is transparent, so you can paste it right on "
              "your Web site to fit your design ... and it is only one line! Having this on "
              "your page gives me people a reason to set as there homepage! ",
              S::Description},
         }},
        {10,
         176,
         {
             {K::Label, "Label49", 8, 8, 0, 0, "Popup Page", S::Title},
             {K::Label, "Label50", 288, 10, 0, 0, "All Browsers", S::Support},
             {K::Label, "Label51", 16, 32, 345, 33,
              "Once your page loads, after X (define below) seconds pass a pop-up window will "
              "open.",
              S::Description},
             {K::Label, "Label52", 24, 90, 0, 0, "URL to open:"},
             {K::Edit, "Edit12", 96, 88, 241, 0},
             {K::Label, "Label54", 56, 116, 0, 0, "Width:"},
             {K::Edit, "Edit14", 96, 112, 49, 0},
             {K::Label, "Label55", 176, 116, 0, 0, "Height:"},
             {K::Edit, "Edit15", 216, 112, 49, 0},
             {K::Label, "Label53", 8, 140, 0, 0, "Seconds to wait:"},
             {K::Edit, "Edit13", 96, 136, 49, 0},
         },
         // The seconds come before width and height although they stand below them.
         {"Edit12", "Edit13", "Edit14", "Edit15"}},
    };
}

} // namespace

const std::vector<PageLayout>& PageLayouts()
{
    static const std::vector<PageLayout> layouts = BuildLayouts();
    return layouts;
}

const PageLayout& PageLayoutOf(int page)
{
    if (page < 1 || page > static_cast<int>(PageLayouts().size()))
        throw std::out_of_range("No page " + std::to_string(page));
    return PageLayouts()[static_cast<std::size_t>(page - 1)];
}

} // namespace pages
