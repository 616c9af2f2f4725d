#pragma once

#include "generators/bookmark_us.h"
#include "generators/break_frames.h"
#include "generators/browser_entry.h"
#include "generators/code_buffer.h"
#include "generators/frameless_popup.h"
#include "generators/logo_branding.h"
#include "generators/popup_page.h"
#include "generators/set_homepage.h"

// The today's editions of the gadgets whose designed snippet no longer does (all of) what it
// promises. Each takes the same fields as the classic generator, escapes them by the same rules
// and refuses the same values (FieldError); its own comment lines say what browsers no longer
// allow.
namespace gen
{

CodeBuffer TodaysBreakFrames(const BreakFramesFields& fields = {});
CodeBuffer TodaysBookmarkUs(const BookmarkUsFields& fields);
CodeBuffer TodaysSetHomepage(const SetHomepageFields& fields);
CodeBuffer TodaysLogoBranding(const LogoBrandingFields& fields);
CodeBuffer TodaysFramelessPopup(const FieldInputs& in);
CodeBuffer TodaysBrowserEntry(const FieldInputs& in);
CodeBuffer TodaysPopupPage(const FieldInputs& in);

} // namespace gen
