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
#include "generators/todays_edition.h"

#include <stdexcept>
#include <utility>

namespace gen
{

namespace
{

using K = FieldKind;
constexpr Lands kCode = Lands::AsCode;

// Both editions of a gadget read the same fields.

BookmarkUsFields ReadBookmarkUs(const FieldInputs& in)
{
    return {in.Text("url"), in.Text("site-name")};
}

LogoBrandingFields ReadLogoBranding(const FieldInputs& in)
{
    return {in.Text("status-text"), in.Text("link"), in.Text("image"), in.Number("width"),
            in.Number("height")};
}

// The gadgets in page order. A generator reads its fields by the options its entry gives them.
// The compatibility sentences are shown to users as they stand.
std::vector<GadgetEntry> Entries()
{
    return {
        {
            .id = "break-frames",
            .title = "Break Frames",
            .menuCaption = ">> Break Frames",
            // Only the today's edition shows a link, inside another site's frame.
            .fields =
                {
                    {"link-text", "Open this page in its own window", K::Text, "Link text:"},
                },
            .classic = [](const FieldInputs&) { return BreakFrames(); },
            .today = TodaysBreakFrames,
            .compatibility =
                {Support::Partly,
                 "Breaks out of a frame of the same site; inside a frame of another site, browsers "
                 "block "
                 "the script from moving the top window (a SecurityError), so the page stays "
                 "framed.",
                 Support::Works,
                 "Breaks out of frames of the same site at once and offers a one-click link inside "
                 "another site's frame; it recommends the Content-Security-Policy frame-ancestors "
                 "header, which stops the framing itself."},
        },
        {
            .id = "bookmark-us",
            .title = "Bookmark Us!",
            .menuCaption = ">> Bookmark Us!",
            .fields =
                {
                    {"url", "http://www.example.com", K::Text, "URL to bookmark"},
                    {"site-name", "My cool site", K::Text, "Name of your site:"},
                    // The today's edition's link and hint put the site's name after these.
                    {"link-start", "Add", K::Text, "Link start:"},
                    {"link-end", "to your bookmarks", K::Text, "Link end:"},
                    {"hint-start", "To bookmark", K::Text, "Hint start:"},
                },
            .classic = [](const FieldInputs& in) { return BookmarkUs(ReadBookmarkUs(in)); },
            .today = TodaysBookmarkUs,
            .compatibility = {Support::DoesNotWork,
                              "Only shows the reminder \"Don't forget to bookmark us!\" with "
                              "\"(CTRL-D)\": every "
                              "current browser calls itself \"Netscape\", and "
                              "window.external.AddFavorite no longer "
                              "exists.",
                              Support::Works,
                              "A link that tells the visitor the bookmark shortcut of their own "
                              "browser and platform; "
                              "no browser lets a page add a bookmark itself."},
        },
        {
            .id = "email-this-page",
            .title = "Email This Page",
            .menuCaption = ">> Email This Page",
            // The designed form always posts to its own example address and says what it
            // says; only the today's edition reads these fields.
            .fields =
                {
                    {"mail-script", "http://www.example.org/mail.pl", K::Text, "Mail script:"},
                    {"heading", "Tell a friend about this page!", K::Text, "Heading:"},
                    {"their-name-label", "Their Name:", K::Text, "Their name:"},
                    {"their-email-label", "Their Email:", K::Text, "Their email:"},
                    {"button-caption", "Ok!", K::Text, "Button:"},
                    {"your-name-label", "Your Name:", K::Text, "Your name:"},
                    {"your-email-label", "Your Email:", K::Text, "Your email:"},
                    // The friend's message: this, then the page's address.
                    {"message-start", "Check out this page:", K::Text, "Message:"},
                },
            .classic = [](const FieldInputs&) { return EmailThisPage(); },
            .today = TodaysEmailThisPage,
            .compatibility = {Support::Works,
                              "Works: the form sends the friend's address and a link to the page "
                              "to the mail script.",
                              Support::Works,
                              "The same form, posting to the mail script you name, with a label "
                              "for each field and no inline script."},
        },
        {
            .id = "set-homepage",
            .title = "Set Homepage Link",
            .menuCaption = ">> Set Homepage",
            .fields =
                {
                    {"url", "http://www.example.com", K::Text, "Link for them to set as homepage"},
                    // The today's edition's text before the link; a space follows it.
                    {"lead-text", "Make this site your home page:", K::Text,
                     "Text before the link:"},
                },
            .classic = [](const FieldInputs& in) { return SetHomepage({in.Text("url")}); },
            .today = TodaysSetHomepage,
            .compatibility =
                {Support::DoesNotWork,
                 "Only shows the link to drag onto the Home button: document.all is false and "
                 "setHomePage is gone, and no current browser lets a page set the home page.",
                 Support::Works,
                 "Shows the address with instructions for setting the home page in the visitor's "
                 "own "
                 "browser; no browser lets a page set it."},
        },
        {
            .id = "logo-branding",
            .title = "Logo Branding",
            .menuCaption = ">> Logo Branding",
            .fields =
                {
                    {"status-text", "Click here for current specials", K::Text, "Mouseover::"},
                    {"link", "http://www.example.com/specials/", K::Text, "Link for logo:"},
                    {"image", "http://www.example.com/logo.jpg", K::Text, "URL to image:"},
                    {"width", "235", K::Number, "Logo Width", {}, kCode},
                    {"height", "19", K::Number, "Logo Height", {}, kCode},
                },
            .classic = [](const FieldInputs& in) { return LogoBranding(ReadLogoBranding(in)); },
            .today = [](const FieldInputs& in) { return TodaysLogoBranding(ReadLogoBranding(in)); },
            .compatibility =
                {Support::DoesNotWork,
                 "The logo never shows: the positioning script stops with a TypeError on "
                 "document.branding, so the logo stays above the visible area.",
                 Support::Works,
                 "The logo is fixed in the lower right corner with CSS and stays there while "
                 "scrolling; "
                 "the mouseover text becomes its tooltip, since browsers no longer show status "
                 "text."},
        },
        {
            .id = "frameless-popup",
            .title = "Frameless Popup",
            .menuCaption = ">> Frameless Popup",
            .fields =
                {
                    {"url", "http://www.example.com", K::Text, "URL to open:"},
                    // The classic edition's link text is part of its designed snippet.
                    {"link-text", "Click Here", K::Text, "Link text:"},
                    {"width", "500", K::Text, "Width:", {}, kCode},
                    {"height", "600", K::Text, "Height:", {}, kCode},
                    {"autoclose", "true", K::Choice, "AutoClose:", "true\nfalse", kCode},
                },
            .classic = FramelessPopup,
            .today = TodaysFramelessPopup,
            .compatibility =
                {Support::Partly,
                 "The click opens an ordinary popup window of the given size; the frameless window "
                 "needed Internet Explorer's fullscreen option, which no current browser has.",
                 Support::Works,
                 "The click opens a popup window of the given size; no browser opens a window "
                 "without "
                 "frame and title bar any more."},
        },
        {
            .id = "browser-entry",
            .title = "Browser-Specific Entry",
            .menuCaption = ">> Browser  Entry",
            .fields =
                {
                    {"ie-url", "http://www.example.com/ie.html", K::Text,
                     "Internet Explorer goes to -"},
                    {"other-url", "http://www.example.com/netscape.html", K::Text,
                     "Netscape goes to -"},
                },
            .classic = BrowserEntry,
            .today = TodaysBrowserEntry,
            .compatibility =
                {Support::DoesNotWork,
                 "Every browser goes to the second address: current browsers, Internet Explorer 11 "
                 "included, all call themselves \"Netscape\".",
                 Support::Works,
                 "Sends Internet Explorer, recognised by document.documentMode, to the first "
                 "address and "
                 "every other browser to the second."},
        },
        {
            .id = "language",
            .title = "Language",
            .menuCaption = ">> Language",
            .fields = {},
            .classic = [](const FieldInputs&) { return Language(); },
            .today = TodaysLanguage,
            .compatibility = {Support::Works, "Works: the browser's language picks the page.",
                              Support::Works,
                              "The same redirects, reading navigator.language, which every "
                              "browser has."},
        },
        {
            .id = "metasearch",
            .title = "Orchard Search",
            .menuCaption = ">> Orchard search",
            .fields = {},
            .classic = [](const FieldInputs&) { return Metasearch(); },
            .today = TodaysMetasearch,
            .compatibility = {Support::Works,
                              "Works: the page loads the search form from the Orchard service.",
                              Support::Works,
                              "The same search form from the Orchard service, whose origin "
                              "sitewright-gen --csp names for a Content Security Policy."},
        },
        {
            .id = "popup-page",
            .title = "Popup Page",
            .menuCaption = ">> Popup Page",
            .fields =
                {
                    {"url", "http://www.example.com/popup.html", K::Text, "URL to open:"},
                    {"width", "500", K::Text, "Width:", {}, kCode},
                    {"height", "500", K::Text, "Height:", {}, kCode},
                    {"seconds", "5", K::Text, "Seconds to wait:", {}, kCode},
                    // Only the today's edition shows a dialog to name and close.
                    {"title", "A page from this site", K::Text, "Dialog title:"},
                    {"close-caption", "Close", K::Text, "Close button:"},
                },
            .classic = PopupPage,
            .today = TodaysPopupPage,
            .compatibility =
                {Support::DoesNotWork,
                 "Nothing opens: the timer fires, but the popup blocker stops a window that opens "
                 "without the visitor's click.",
                 Support::Works,
                 "Shows the page in a dialog inside your page after the given seconds, closed with "
                 "its "
                 "button or Escape; browsers block windows that open by themselves."},
        },
    };
}

std::vector<GadgetEntry> BuildTable()
{
    std::vector<GadgetEntry> table = Entries();
    for (GadgetEntry& extra : ExtraGadgets())
        table.push_back(std::move(extra));
    int page = 0;
    for (GadgetEntry& gadget : table) {
        gadget.page = ++page;
        gadget.generate = [fields = gadget.fields,
                           classic = gadget.classic](const FieldValues& values) {
            return classic(FieldInputs(fields, values));
        };
    }
    return table;
}

} // namespace

const std::vector<GadgetEntry>& GadgetTable()
{
    static const std::vector<GadgetEntry> table = BuildTable();
    return table;
}

const GadgetEntry* FindGadget(std::string_view id)
{
    for (const GadgetEntry& g : GadgetTable())
        if (g.id == id)
            return &g;
    return nullptr;
}

const GadgetEntry* GadgetOfPage(int page)
{
    for (const GadgetEntry& g : GadgetTable())
        if (g.page == page)
            return &g;
    return nullptr;
}

const FieldEntry* FindField(const GadgetEntry& gadget, std::string_view option)
{
    for (const FieldEntry& f : gadget.fields)
        if (f.option == option)
            return &f;
    return nullptr;
}

FieldName FieldNameOf(std::string_view gadgetId, std::string_view option)
{
    const GadgetEntry* gadget = FindGadget(gadgetId);
    const FieldEntry* field = gadget ? FindField(*gadget, option) : nullptr;
    if (!field)
        throw std::logic_error("No field --" + std::string(option) + " in gadget " +
                               std::string(gadgetId));
    return {field->caption, field->option};
}

FieldValues DefaultValues(const GadgetEntry& gadget)
{
    FieldValues values;
    for (const FieldEntry& f : gadget.fields)
        values.emplace_back(f.defaultText);
    return values;
}

} // namespace gen
