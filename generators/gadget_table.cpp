#include "generators/gadget_table.h"

#include "generators/bookmark_us.h"
#include "generators/break_frames.h"

namespace gen {

namespace {

CodeBuffer RunBreakFrames(const FieldValues&) { return BreakFrames(); }

CodeBuffer RunBookmarkUs(const FieldValues& v) { return BookmarkUs({v[0], v[1]}); }

std::vector<GadgetSpec> BuildTable()
{
    return {
        {"break-frames", "Break Frames", 1, {}, RunBreakFrames},
        {"bookmark-us",
         "Bookmark Us!",
         2,
         {{"url", "Edit1", "http://www.example.com"}, {"site-name", "Edit2", "My cool site"}},
         RunBookmarkUs},
        {"email-this-page", "Email This Page", 3, {}, nullptr},
        {"set-homepage", "Set Homepage Link", 4, {{"url", "Edit3", "http://www.example.com"}},
         nullptr},
        {"logo-branding",
         "Logo Branding",
         5,
         {{"status-text", "Edit4", "Click here for current specials"},
          {"link", "Edit5", "http://www.example.com/specials/"},
          {"image", "Edit6", "http://www.example.com/logo.jpg"},
          {"width", "SpinEdit1", "235"},
          {"height", "SpinEdit2", "19"}},
         nullptr},
        {"frameless-popup",
         "Frameless Popup",
         6,
         {{"url", "Edit7", ""}, {"width", "Edit8", ""}, {"height", "Edit9", ""},
          {"autoclose", "ComboBox1", "true"}},
         nullptr},
        {"browser-entry", "Browser-Specific Entry", 7,
         {{"ie-url", "Edit10", "http://www.example.com/ie.html"},
          {"other-url", "Edit11", "http://www.example.com/netscape.html"}},
         nullptr},
        {"language", "Language", 8, {}, nullptr},
        {"metasearch", "Metasearch", 9, {}, nullptr},
        {"popup-page",
         "Popup Page",
         10,
         {{"url", "Edit12", "http://www.example.com/popup.html"},
          {"width", "Edit14", ""},
          {"height", "Edit15", ""},
          {"seconds", "Edit13", ""}},
         nullptr},
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
