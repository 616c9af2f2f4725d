#pragma once

#include <string>
#include <string_view>

namespace sitecheck
{

// How a generator splices a field's text into its code, as the escaping functions of the
// generators do it; Verbatim for a field spliced as it is (numbers, choices).
enum class Splice { Verbatim, JsString, HtmlAttribute, JsStringInAttribute, HtmlText };

// The splice that turns `probe` into `spliced`; Verbatim when none of them does.
Splice SpliceOf(std::string_view probe, std::string_view spliced);

// The field text that `spliced` stands for. Text spliced verbatim, as the classic snippets were
// designed to take it, reads back as itself wherever it holds nothing that looks escaped.
std::string ReadBack(std::string_view spliced, Splice splice);

} // namespace sitecheck
