#pragma once

#include <string>
#include <vector>

#include "generators/code_buffer.h"
#include "generators/edition.h"

namespace gen
{

// What a page's Content Security Policy must admit for the snippet to work: one directive a
// line in policy syntax, "script-src" before "style-src", each source once, in the order the
// snippet needs them; none for a snippet with no script or style. An inline script or style
// is admitted by its 'sha256-...' hash, a script from elsewhere by its origin ('self' for an
// address on the page's own site). The classic edition, and any snippet with event handler or
// style attributes or javascript: addresses, which no hash can admit, needs 'unsafe-inline'
// instead of hashes.
std::vector<std::string> PolicySources(const CodeBuffer& code, Edition edition);

// PolicySources as text: each line followed by LF.
std::string PolicyText(const CodeBuffer& code, Edition edition);

// The origin a script address loads from as a policy source: "https://host:port" in lower
// case, the host alone for "//host/...", 'self' for an address relative to the page.
std::string SourceOfAddress(std::string_view address);

} // namespace gen
