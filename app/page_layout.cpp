#include "app/page_layout.h"

#include "app/main_window.h"

#include <stdexcept>
#include <string>

namespace pages
{

namespace
{

using S = TextStyle;

std::vector<PageLayout> BuildLayouts()
{
    return {
        {1,
         &TForm2::Panel1,
         176,
         {&TForm2::xpButton1, &TForm2::xpButton1Click},
         {&TForm2::xpButton2, &TForm2::xpButton2Click},
         {
             {&TForm2::Label77, "Label77", {8, 8, 98, 16}, "Break Frames", S::Title},
             {&TForm2::Label78, "Label78", {288, 10, 57, 13}, "All Browsers", S::Support},
             {&TForm2::Label79,
              "Label79",
              {16, 32, 345, 49},
              "If a visitor comes to your site and is looking through frames, this script will "
              "automatically make the page 'break out' of frames.",
              S::Description},
         },
         {}},
        {2,
         &TForm2::Panel2,
         176,
         {&TForm2::xpButton3, &TForm2::xpButton3Click},
         {&TForm2::xpButton4, &TForm2::xpButton4Click},
         {
             {&TForm2::Label11, "Label11", {8, 8, 102, 16}, " Bookmark Us!", S::Title},
             {&TForm2::Label12,
              "Label12",
              {248, 10, 101, 13},
              "Internet Explorer Only",
              S::Support},
             {&TForm2::Label13,
              "Label13",
              {16, 32, 345, 65},
              " Allow your visitors to click one text link to quickly and easily add your site "
              "to their \"Favorites.\" (Netscape Users won't get any errors, but instead see a "
              "message reminding them to bookmark) ",
              S::Description},
         },
         {
             {"url",
              &TForm2::Edit1,
              {112, 108, 241, 21},
              &TForm2::Label14,
              "Label14",
              {16, 112, 84, 13}},
             {"site-name",
              &TForm2::Edit2,
              {112, 136, 241, 21},
              &TForm2::Label15,
              "Label15",
              {16, 140, 85, 13}},
         }},
        {3,
         &TForm2::Panel3,
         176,
         {&TForm2::xpButton5, &TForm2::xpButton5Click},
         {&TForm2::xpButton6, &TForm2::xpButton6Click},
         {
             {&TForm2::Label16, "Label16", {8, 8, 115, 16}, "Email This Page", S::Title},
             {&TForm2::Label17, "Label17", {288, 10, 57, 13}, "All Browsers", S::Support},
             {&TForm2::Label18,
              "Label18",
              {16, 32, 345, 65},
              "Allow your visitors to email the current page to a friend. They just enter a "
              "friend's name and email address. It will send them a link to the current web "
              "page address in an email message signed by you. Perfect!",
              S::Description},
         },
         {}},
        {4,
         &TForm2::Panel4,
         176,
         {&TForm2::xpButton7, &TForm2::xpButton7Click},
         {&TForm2::xpButton8, &TForm2::xpButton8Click},
         {
             {&TForm2::Label19, "Label19", {8, 8, 137, 16}, "Set Homepage Link", S::Title},
             {&TForm2::Label20, "Label20", {288, 10, 57, 13}, "All Browsers", S::Support},
             {&TForm2::Label21,
              "Label21",
              {16, 32, 345, 57},
              "Allow the visitor to set your site as their homepage with a link. This works "
              "best in Internet Explorer, but also displays the appropriate information based "
              "on browser type. ",
              S::Description},
         },
         {
             {"url",
              &TForm2::Edit3,
              {32, 112, 305, 21},
              &TForm2::Label22,
              "Label22",
              {16, 96, 157, 13}},
         },
         {"url"}},
        {5,
         &TForm2::Panel5,
         184,
         {&TForm2::xpButton9, &TForm2::xpButton9Click},
         {&TForm2::xpButton10, &TForm2::xpButton10Click},
         {
             {&TForm2::Label23, "Label23", {8, 8, 102, 16}, "Logo Branding", S::Title},
             {&TForm2::Label24, "Label24", {288, 10, 57, 13}, "All Browsers", S::Support},
             {&TForm2::Label25,
              "Label25",
              {16, 32, 345, 57},
              "Have you seen the floating logo on Geocities sites? How would you like to have "
              "your own logo floating in the corner of your site? This script does just that! "
              "Awesome! ",
              S::Description},
         },
         {
             {"status-text",
              &TForm2::Edit4,
              {96, 88, 241, 21},
              &TForm2::Label26,
              "Label26",
              {16, 92, 59, 13}},
             {"link",
              &TForm2::Edit5,
              {96, 112, 241, 21},
              &TForm2::Label27,
              "Label27",
              {16, 114, 61, 13}},
             {"image",
              &TForm2::Edit6,
              {96, 136, 241, 21},
              &TForm2::Label30,
              "Label30",
              {16, 136, 68, 13}},
             {"width",
              &TForm2::SpinEdit1,
              {128, 160, 57, 22},
              &TForm2::Label28,
              "Label28",
              {64, 164, 55, 13}},
             {"height",
              &TForm2::SpinEdit2,
              {280, 160, 57, 22},
              &TForm2::Label29,
              "Label29",
              {208, 164, 58, 13}},
         },
         // The image address comes last although it stands above the spin boxes.
         {"status-text", "link", "width", "height", "image"}},
        {6,
         &TForm2::Panel6,
         176,
         {&TForm2::xpButton11, &TForm2::xpButton11Click},
         {&TForm2::xpButton12, &TForm2::xpButton12Click},
         {
             {&TForm2::Label31, "Label31", {8, 8, 0, 0}, "Frameless Popup", S::Title},
             {&TForm2::Label32, "Label32", {288, 10, 0, 0}, "All Browsers", S::Support},
             {&TForm2::Label33,
              "Label33",
              {16, 32, 345, 81},
              "(IE4+) Launches a popup window without the Windows frame or titlebar. In other "
              "browsers, it launches a standard popup window. Position, width, and height are "
              "settable. Automatic closing of the window on leaving the page may also be "
              "optionally set. ! ",
              S::Description},
         },
         {
             {"url",
              &TForm2::Edit7,
              {96, 120, 241, 0},
              &TForm2::Label34,
              "Label34",
              {24, 124, 0, 0}},
             {"width",
              &TForm2::Edit8,
              {64, 148, 49, 0},
              &TForm2::Label35,
              "Label35",
              {24, 152, 0, 0}},
             {"height",
              &TForm2::Edit9,
              {168, 148, 49, 0},
              &TForm2::Label36,
              "Label36",
              {128, 152, 0, 0}},
             {"autoclose",
              &TForm2::ComboBox1,
              {288, 148, 49, 0},
              &TForm2::Label37,
              "Label37",
              {232, 152, 0, 0}},
         },
         {"url", "width", "height", "autoclose"}},
        {7,
         &TForm2::Panel7,
         176,
         {&TForm2::xpButton13, &TForm2::xpButton13Click},
         {&TForm2::xpButton14, &TForm2::xpButton14Click},
         {
             {&TForm2::Label38, "Label38", {8, 8, 0, 0}, " Browser-Specific Entry", S::Title},
             {&TForm2::Label39, "Label39", {288, 10, 0, 0}, "All Browsers", S::Support},
             {&TForm2::Label40,
              "Label40",
              {16, 32, 345, 65},
              "If you maintain a different page for Microsoft Internet Explorer and another for "
              "Netscape browsers, you should use this script. Quite simply, it sends the right "
              "browser to the right browser-optimized page.",
              S::Description},
         },
         {
             {"ie-url",
              &TForm2::Edit10,
              {152, 104, 193, 0},
              &TForm2::Label41,
              "Label41",
              {24, 108, 0, 0}},
             {"other-url",
              &TForm2::Edit11,
              {152, 132, 193, 0},
              &TForm2::Label42,
              "Label42",
              {24, 136, 0, 0}},
         },
         {"ie-url", "other-url"}},
        {8,
         &TForm2::Panel8,
         176,
         {&TForm2::xpButton15, &TForm2::xpButton15Click},
         {&TForm2::xpButton16, &TForm2::xpButton16Click},
         {
             {&TForm2::Label43, "Label43", {8, 8, 0, 0}, "Language", S::Title},
             {&TForm2::Label44, "Label44", {272, 10, 0, 0}, "Newer Browsers", S::Support},
             {&TForm2::Label45,
              "Label45",
              {16, 32, 345, 113},
              "Redirects a user to the page based on their language. For example, English "
              "language user browsers, which report the language as 'en' in most cases, can be "
              "redirected to an English page, while Spanish language user browser, which report "
              "the language as 'es' in most cases, can be sent to a separate Spanish page. You "
              "will have to modify source to setup where they are redirect to.",
              S::Description},
         },
         {}},
        {9,
         &TForm2::Panel9,
         176,
         {&TForm2::xpButton17, &TForm2::xpButton17Click},
         {&TForm2::xpButton18, &TForm2::xpButton18Click},
         {
             {&TForm2::Label46, "Label46", {8, 8, 0, 0}, "Orchard Search", S::Title},
             {&TForm2::Label47, "Label47", {288, 10, 0, 0}, "All Browsers", S::Support},
             {&TForm2::Label48,
              "Label48",
              {16, 32, 345, 97},
              "This search form gives you the possibility to search the 42 most popular search "
              "engines and directories. The form is transparent, so you can paste it right on "
              "your Web site to fit your design ... and it is only one line! Having this on "
              "your page gives me people a reason to set as there homepage! ",
              S::Description},
         },
         {}},
        {10,
         &TForm2::Panel10,
         176,
         {&TForm2::xpButton19, &TForm2::xpButton19Click},
         {&TForm2::xpButton20, &TForm2::xpButton20Click},
         {
             {&TForm2::Label49, "Label49", {8, 8, 0, 0}, "Popup Page", S::Title},
             {&TForm2::Label50, "Label50", {288, 10, 0, 0}, "All Browsers", S::Support},
             {&TForm2::Label51,
              "Label51",
              {16, 32, 345, 33},
              "Once your page loads, after X (define below) seconds pass a pop-up window will "
              "open.",
              S::Description},
         },
         {
             {"url",
              &TForm2::Edit12,
              {96, 88, 241, 0},
              &TForm2::Label52,
              "Label52",
              {24, 90, 0, 0}},
             {"width",
              &TForm2::Edit14,
              {96, 112, 49, 0},
              &TForm2::Label54,
              "Label54",
              {56, 116, 0, 0}},
             {"height",
              &TForm2::Edit15,
              {216, 112, 49, 0},
              &TForm2::Label55,
              "Label55",
              {176, 116, 0, 0}},
             {"seconds",
              &TForm2::Edit13,
              {96, 136, 49, 0},
              &TForm2::Label53,
              "Label53",
              {8, 140, 0, 0}},
         },
         // The seconds come before width and height although they stand below them.
         {"url", "seconds", "width", "height"}},
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
