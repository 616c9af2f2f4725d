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
        {3, 176, {{K::Label, "Label16", 8, 8, 115, 16, "Email This Page", S::Title}}},
        {4, 176, {{K::Label, "Label19", 8, 8, 137, 16, "Set Homepage Link", S::Title}}},
        {5, 184, {{K::Label, "Label23", 8, 8, 102, 16, "Logo Branding", S::Title}}},
        {6, 176, {{K::Label, "Label31", 8, 8, 0, 0, "Frameless Popup", S::Title}}},
        {7, 176, {{K::Label, "Label38", 8, 8, 0, 0, " Browser-Specific Entry", S::Title}}},
        {8, 176, {{K::Label, "Label43", 8, 8, 0, 0, "Language", S::Title}}},
        {9, 176, {{K::Label, "Label46", 8, 8, 0, 0, "Orchard Search", S::Title}}},
        {10, 176, {{K::Label, "Label49", 8, 8, 0, 0, "Popup Page", S::Title}}},
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
