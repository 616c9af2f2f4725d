#pragma once

#include "generators/code_buffer.h"

namespace gen
{

// Language has no fields; the user edits the redirect table in the snippet afterwards.
struct LanguageFields {
};

// A HEAD script that sends the visitor to a page chosen by the browser's language; 31 lines.
CodeBuffer Language(const LanguageFields& fields = {});

// The redirect table both editions share: a line per language, tested on the script's
// `language` variable, then the page for every other language.
void AppendLanguageRedirects(CodeBuffer& b);

} // namespace gen
