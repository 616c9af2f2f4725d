#include "generators/escape.h"
#include "generators/field_check.h"
#include "generators/todays_edition.h"

namespace gen
{

namespace
{

// A modal dialog closes on Escape by itself, but only while the focus is in the page's own
// document: the framed page would take the key. So the Close button, the visible way out,
// takes the focus instead of the frame, and gives it back to where it was on closing.
// Sizes go through the CSSOM: a policy without 'unsafe-inline' refuses style attributes.
void AppendDialogScript(CodeBuffer& b)
{
    b.AppendLines({
        "function popupPage() {",
        "  var dialog = document.createElement(\"dialog\");",
        "  var frame = document.createElement(\"iframe\");",
        "  var close = document.createElement(\"button\");",
        "  var before = document.activeElement;",
        "  dialog.setAttribute(\"aria-label\", dialogTitle);",
        "  frame.title = dialogTitle;",
        "  frame.src = page;",
        "  frame.width = windowW;",
        "  frame.height = windowH;",
        "  frame.style.display = \"block\";",
        "  frame.style.border = \"0\";",
        "  close.type = \"button\";",
        "  close.textContent = closeCaption;",
        "  close.autofocus = true;",
        "  close.addEventListener(\"click\", function () { dialog.close(); });",
        "  dialog.addEventListener(\"close\", function () {",
        "    dialog.remove();",
        "    if (before && before.focus) before.focus();",
        "  });",
        "  dialog.append(frame, close);",
        "  document.body.append(dialog);",
        "  dialog.showModal();",
        "}",
        "window.addEventListener(\"load\", function () {",
        "  setTimeout(popupPage, seconds * 1000);",
        "});",
    });
}

} // namespace

CodeBuffer TodaysPopupPage(const FieldInputs& in)
{
    const PopupPageFields c = CheckedPopupPage(in);
    const std::string& width = c.width;
    const std::string& height = c.height;
    const std::string& seconds = c.seconds;
    CodeBuffer b;
    b.AppendLines({
        "<!-- ONE STEP TO INSTALL POPUP PAGE (TODAY'S EDITION):",
        "",
        "  1.  Copy the coding into the HEAD of your HTML document  -->",
        "",
        "<!-- What today's browsers allow: a window that opens without the visitor's",
        "     click is stopped by the popup blocker. So once your page has loaded and",
        "     the seconds below have passed, the page is shown in a dialog inside",
        "     your page instead, closed with its Close button or the Escape key. The",
        "     page shown must allow being framed by yours.  -->",
        "",
        "<!-- If your site sends a Content Security Policy, add the hash of the",
        "     script below to its script-src (sitewright-gen --csp prints the line",
        "     to add). Visitor data: the dialog loads the page at the address you",
        "     give; nothing else is sent anywhere.  -->",
        "",
        "<!-- STEP ONE: Paste this code into the HEAD of your HTML document  -->",
        "",
        "<script>",
    });
    b.Splice({"var page = \"", JsString(c.url, '"'), "\";"});
    b.Splice({"var windowW = ", width, "; // wide"});
    b.Splice({"var windowH = ", height, "; // high"});
    // An empty field means no wait, as in the classic edition.
    b.Splice({"var seconds = ", seconds.empty() ? std::string("0") : seconds,
              "; // to wait after the page has loaded"});
    b.Splice({"var dialogTitle = \"", JsString(ControlNameField(in.Field("title")), '"'),
              "\"; // names the dialog"});
    b.Splice({"var closeCaption = \"", JsString(ControlNameField(in.Field("close-caption")), '"'),
              "\";"});
    AppendDialogScript(b);
    b.Append("</script>");
    return b;
}

} // namespace gen
