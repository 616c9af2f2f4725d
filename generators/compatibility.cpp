#include "generators/compatibility.h"

#include <array>
#include <stdexcept>
#include <string>
#include <utility>

namespace gen
{

namespace
{

using Entry = std::pair<std::string_view, Compatibility>;

// Keyed by gadget id, in page order. The sentences are shown to users as they stand.
const std::array<Entry, 10> kRecords = {{
    {"break-frames",
     {Support::Partly,
      "Breaks out of a frame of the same site; inside a frame of another site, browsers block "
      "the script from moving the top window (a SecurityError), so the page stays framed.",
      Support::Works,
      "Breaks out of frames of the same site at once and offers a one-click link inside "
      "another site's frame; it recommends the Content-Security-Policy frame-ancestors "
      "header, which stops the framing itself."}},
    {"bookmark-us",
     {Support::DoesNotWork,
      "Only shows the reminder \"Don't forget to bookmark us!\" with \"(CTRL-D)\": every "
      "current browser calls itself \"Netscape\", and window.external.AddFavorite no longer "
      "exists.",
      Support::Works,
      "A link that tells the visitor the bookmark shortcut of their own browser and platform; "
      "no browser lets a page add a bookmark itself."}},
    {"email-this-page",
     {Support::Works,
      "Works: the form sends the friend's address and a link to the page to the mail script.",
      Support::Works, "The same code as the classic edition."}},
    {"set-homepage",
     {Support::DoesNotWork,
      "Only shows the link to drag onto the Home button: document.all is false and "
      "setHomePage is gone, and no current browser lets a page set the home page.",
      Support::Works,
      "Shows the address with instructions for setting the home page in the visitor's own "
      "browser; no browser lets a page set it."}},
    {"logo-branding",
     {Support::DoesNotWork,
      "The logo never shows: the positioning script stops with a TypeError on "
      "document.branding, so the logo stays above the visible area.",
      Support::Works,
      "The logo is fixed in the lower right corner with CSS and stays there while scrolling; "
      "the mouseover text becomes its tooltip, since browsers no longer show status text."}},
    {"frameless-popup",
     {Support::Partly,
      "The click opens an ordinary popup window of the given size; the frameless window "
      "needed Internet Explorer's fullscreen option, which no current browser has.",
      Support::Works,
      "The click opens a popup window of the given size; no browser opens a window without "
      "frame and title bar any more."}},
    {"browser-entry",
     {Support::DoesNotWork,
      "Every browser goes to the second address: current browsers, Internet Explorer 11 "
      "included, all call themselves \"Netscape\".",
      Support::Works,
      "Sends Internet Explorer, recognised by document.documentMode, to the first address and "
      "every other browser to the second."}},
    {"language",
     {Support::Works, "Works: the browser's language picks the page.", Support::Works,
      "The same code as the classic edition."}},
    {"metasearch",
     {Support::Works, "Works: the page loads the search form from the Orchard service.",
      Support::Works, "The same code as the classic edition."}},
    {"popup-page",
     {Support::DoesNotWork,
      "Nothing opens: the timer fires, but the popup blocker stops a window that opens "
      "without the visitor's click.",
      Support::Works,
      "Shows the page in a dialog inside your page after the given seconds, closed with its "
      "button or Escape; browsers block windows that open by themselves."}},
}};

} // namespace

std::string_view SupportWord(Support support)
{
    switch (support) {
    case Support::Works:
        return "works";
    case Support::Partly:
        return "partly";
    case Support::DoesNotWork:
        break;
    }
    return "does not work";
}

const Compatibility& CompatibilityOf(std::string_view gadgetId)
{
    for (const Entry& e : kRecords)
        if (e.first == gadgetId)
            return e.second;
    throw std::out_of_range("No compatibility record for " + std::string(gadgetId));
}

} // namespace gen
