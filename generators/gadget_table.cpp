#include "generators/gadget_table.h"

#include "generators/bookmark_us.h"
#include "generators/break_frames.h"
#include "generators/browser_entry.h"
#include "generators/email_this_page.h"
#include "generators/frameless_popup.h"
#include "generators/language.h"
#include "generators/logo_branding.h"
#include "generators/metasearch.h"
#include "generators/popup_page.h"
#include "generators/set_homepage.h"
#include "generators/spin_value.h"

namespace gen {

namespace {

// Each adapter reads its values by the position of the field in the table below. at() turns
// a caller's short list into an exception instead of a read past the end.

CodeBuffer RunBreakFrames(const FieldValues&)
{
    return BreakFrames();
}

CodeBuffer RunBookmarkUs(const FieldValues& v)
{
    return BookmarkUs({v.at(0), v.at(1)});
}

CodeBuffer RunEmailThisPage(const FieldValues&)
{
    return EmailThisPage();
}

CodeBuffer RunSetHomepage(const FieldValues& v)
{
    return SetHomepage({v.at(0)});
}

CodeBuffer RunLogoBranding(const FieldValues& v)
{
    return LogoBranding({v.at(0), v.at(1), v.at(2), SpinValue(v.at(3)), SpinValue(v.at(4))});
}

CodeBuffer RunFramelessPopup(const FieldValues& v)
{
    return FramelessPopup({v.at(0), v.at(1), v.at(2), v.at(3)});
}

CodeBuffer RunBrowserEntry(const FieldValues& v)
{
    return BrowserEntry({v.at(0), v.at(1)});
}

CodeBuffer RunLanguage(const FieldValues&)
{
    return Language();
}

CodeBuffer RunMetasearch(const FieldValues&)
{
    return Metasearch();
}

CodeBuffer RunPopupPage(const FieldValues& v)
{
    return PopupPage({v.at(0), v.at(1), v.at(2), v.at(3)});
}

std::vector<GadgetSpec> BuildTable()
{
    return {
        {"break-frames", "Break Frames", 1, {}, RunBreakFrames},
        {"bookmark-us",
         "Bookmark Us!",
         2,
         {{"url", "Edit1", "http://www.example.com"}, {"site-name", "Edit2", "My cool site"}},
         RunBookmarkUs},
        {"email-this-page", "Email This Page", 3, {}, RunEmailThisPage},
        {"set-homepage",
         "Set Homepage Link",
         4,
         {{"url", "Edit3", "http://www.example.com"}},
         RunSetHomepage},
        {"logo-branding",
         "Logo Branding",
         5,
         {{"status-text", "Edit4", "Click here for current specials"},
          {"link", "Edit5", "http://www.example.com/specials/"},
          {"image", "Edit6", "http://www.example.com/logo.jpg"},
          {"width", "SpinEdit1", "235"},
          {"height", "SpinEdit2", "19"}},
         RunLogoBranding},
        {"frameless-popup",
         "Frameless Popup",
         6,
         {{"url", "Edit7", "http://www.example.com"},
          {"width", "Edit8", "500"},
          {"height", "Edit9", "600"},
          {"autoclose", "ComboBox1", "true"}},
         RunFramelessPopup},
        {"browser-entry",
         "Browser-Specific Entry",
         7,
         {{"ie-url", "Edit10", "http://www.example.com/ie.html"},
          {"other-url", "Edit11", "http://www.example.com/netscape.html"}},
         RunBrowserEntry},
        {"language", "Language", 8, {}, RunLanguage},
        {"metasearch", "Orchard Search", 9, {}, RunMetasearch},
        {"popup-page",
         "Popup Page",
         10,
         {{"url", "Edit12", "http://www.example.com/popup.html"},
          {"width", "Edit14", "500"},
          {"height", "Edit15", "500"},
          {"seconds", "Edit13", "5"}},
         RunPopupPage},
    };
}

} // namespace

const std::vector<GadgetSpec>& GadgetTable()
{
    static const std::vector<GadgetSpec> table = BuildTable();
    return table;
}

const GadgetSpec* FindGadget(std::string_view id)
{
    for (const GadgetSpec& g : GadgetTable())
        if (g.id == id)
            return &g;
    return nullptr;
}

const GadgetSpec* GadgetOfPage(int page)
{
    for (const GadgetSpec& g : GadgetTable())
        if (g.page == page)
            return &g;
    return nullptr;
}

FieldValues DefaultValues(const GadgetSpec& gadget)
{
    FieldValues values;
    for (const FieldSpec& f : gadget.fields)
        values.emplace_back(f.defaultText);
    return values;
}

} // namespace gen
