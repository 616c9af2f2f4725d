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

#include <stdexcept>
#include <utility>

namespace gen
{

namespace
{

using K = FieldKind;

// Each adapter reads its values by the option of the field in the table below.

CodeBuffer RunBreakFrames(const FieldInputs&)
{
    return BreakFrames();
}

CodeBuffer RunBookmarkUs(const FieldInputs& in)
{
    return BookmarkUs({in.Text("url"), in.Text("site-name")});
}

CodeBuffer RunEmailThisPage(const FieldInputs&)
{
    return EmailThisPage();
}

CodeBuffer RunSetHomepage(const FieldInputs& in)
{
    return SetHomepage({in.Text("url")});
}

CodeBuffer RunLogoBranding(const FieldInputs& in)
{
    return LogoBranding({in.Text("status-text"), in.Text("link"), in.Text("image"),
                         in.Number("width"), in.Number("height")});
}

CodeBuffer RunFramelessPopup(const FieldInputs& in)
{
    return FramelessPopup(
        {in.Text("url"), in.Text("width"), in.Text("height"), in.Text("autoclose")});
}

CodeBuffer RunBrowserEntry(const FieldInputs& in)
{
    return BrowserEntry({in.Text("ie-url"), in.Text("other-url")});
}

CodeBuffer RunLanguage(const FieldInputs&)
{
    return Language();
}

CodeBuffer RunMetasearch(const FieldInputs&)
{
    return Metasearch();
}

CodeBuffer RunPopupPage(const FieldInputs& in)
{
    return PopupPage({in.Text("url"), in.Text("width"), in.Text("height"), in.Text("seconds")});
}

GadgetSpec Gadget(std::string_view id, std::string_view title, int page,
                  std::vector<FieldSpec> fields, CodeBuffer (*adapter)(const FieldInputs&))
{
    GadgetSpec gadget{id, title, page, std::move(fields), {}};
    gadget.generate = [fields = gadget.fields, adapter](const FieldValues& values) {
        return adapter(FieldInputs(fields, values));
    };
    return gadget;
}

std::vector<GadgetSpec> BuildTable()
{
    return {
        Gadget("break-frames", "Break Frames", 1, {}, RunBreakFrames),
        Gadget("bookmark-us", "Bookmark Us!", 2,
               {
                   {"url", "Edit1", "http://www.example.com", K::Text, "URL to bookmark"},
                   {"site-name", "Edit2", "My cool site", K::Text, "Name of your site:"},
               },
               RunBookmarkUs),
        Gadget("email-this-page", "Email This Page", 3, {}, RunEmailThisPage),
        Gadget("set-homepage", "Set Homepage Link", 4,
               {
                   {"url", "Edit3", "http://www.example.com", K::Text,
                    "Link for them to set as homepage"},
               },
               RunSetHomepage),
        Gadget(
            "logo-branding", "Logo Branding", 5,
            {
                {"status-text", "Edit4", "Click here for current specials", K::Text, "Mouseover::"},
                {"link", "Edit5", "http://www.example.com/specials/", K::Text, "Link for logo:"},
                {"image", "Edit6", "http://www.example.com/logo.jpg", K::Text, "URL to image:"},
                {"width", "SpinEdit1", "235", K::Number, "Logo Width"},
                {"height", "SpinEdit2", "19", K::Number, "Logo Height"},
            },
            RunLogoBranding),
        Gadget("frameless-popup", "Frameless Popup", 6,
               {
                   {"url", "Edit7", "http://www.example.com", K::Text, "URL to open:"},
                   {"width", "Edit8", "500", K::Text, "Width:"},
                   {"height", "Edit9", "600", K::Text, "Height:"},
                   {"autoclose", "ComboBox1", "true", K::Choice, "AutoClose:", "true\nfalse"},
               },
               RunFramelessPopup),
        Gadget("browser-entry", "Browser-Specific Entry", 7,
               {
                   {"ie-url", "Edit10", "http://www.example.com/ie.html", K::Text,
                    "Internet Explorer goes to -"},
                   {"other-url", "Edit11", "http://www.example.com/netscape.html", K::Text,
                    "Netscape goes to -"},
               },
               RunBrowserEntry),
        Gadget("language", "Language", 8, {}, RunLanguage),
        Gadget("metasearch", "Orchard Search", 9, {}, RunMetasearch),
        Gadget("popup-page", "Popup Page", 10,
               {
                   {"url", "Edit12", "http://www.example.com/popup.html", K::Text, "URL to open:"},
                   {"width", "Edit14", "500", K::Text, "Width:"},
                   {"height", "Edit15", "500", K::Text, "Height:"},
                   {"seconds", "Edit13", "5", K::Text, "Seconds to wait:"},
               },
               RunPopupPage),
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

const FieldSpec* FindField(const GadgetSpec& gadget, std::string_view option)
{
    for (const FieldSpec& f : gadget.fields)
        if (f.option == option)
            return &f;
    return nullptr;
}

FieldName FieldNameOf(std::string_view gadgetId, std::string_view option)
{
    const GadgetSpec* gadget = FindGadget(gadgetId);
    const FieldSpec* field = gadget ? FindField(*gadget, option) : nullptr;
    if (!field)
        throw std::logic_error("No field --" + std::string(option) + " in gadget " +
                               std::string(gadgetId));
    return {field->caption, field->option};
}

FieldValues DefaultValues(const GadgetSpec& gadget)
{
    FieldValues values;
    for (const FieldSpec& f : gadget.fields)
        values.emplace_back(f.defaultText);
    return values;
}

std::size_t FieldInputs::IndexOf(std::string_view option) const
{
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].option == option)
            return i;
    throw std::logic_error("The gadget has no field --" + std::string(option));
}

const std::string& FieldInputs::Text(std::string_view option) const
{
    return values_.at(IndexOf(option));
}

std::int32_t FieldInputs::Number(std::string_view option) const
{
    const std::size_t i = IndexOf(option);
    if (fields_[i].kind != FieldKind::Number)
        throw std::logic_error("The field --" + std::string(option) + " is no number");
    return SpinValue(values_.at(i));
}

} // namespace gen
