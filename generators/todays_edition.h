#pragma once

#include "generators/browser_entry.h"
#include "generators/code_buffer.h"
#include "generators/field_inputs.h"
#include "generators/frameless_popup.h"
#include "generators/logo_branding.h"
#include "generators/popup_page.h"

// The today's editions of the gadgets: built to work in today's browsers, under a Content
// Security Policy without 'unsafe-inline', with nothing about the visitor sent anywhere the
// site's owner did not name. Each takes the gadget's fields (some read fields the classic
// generator leaves alone), escapes them by the classic rules and refuses the same values
// (FieldError); its own comment lines say what browsers no longer allow, what a policy must
// admit and where visitor data goes.
namespace gen
{

CodeBuffer TodaysBreakFrames(const FieldInputs& in);
CodeBuffer TodaysBookmarkUs(const FieldInputs& in);
CodeBuffer TodaysSetHomepage(const FieldInputs& in);
CodeBuffer TodaysLogoBranding(const LogoBrandingFields& fields);
CodeBuffer TodaysFramelessPopup(const FieldInputs& in);
CodeBuffer TodaysBrowserEntry(const FieldInputs& in);
CodeBuffer TodaysPopupPage(const FieldInputs& in);
CodeBuffer TodaysEmailThisPage(const FieldInputs& in);
CodeBuffer TodaysLanguage(const FieldInputs& in);
CodeBuffer TodaysMetasearch(const FieldInputs& in);

} // namespace gen
