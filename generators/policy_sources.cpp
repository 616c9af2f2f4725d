#include "generators/policy_sources.h"

#include <algorithm>
#include <cctype>

#include "generators/base64.h"
#include "generators/sha256.h"
#include "generators/snippet_parts.h"

namespace gen
{

namespace
{

std::string LowerCase(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

std::string HashSource(std::string_view text)
{
    return "'sha256-" + Base64(Sha256(text)) + "'";
}

void AddOnce(std::vector<std::string>& sources, std::string source)
{
    if (std::find(sources.begin(), sources.end(), source) == sources.end())
        sources.push_back(std::move(source));
}

// A hash source turns 'unsafe-inline' off in every browser that knows hashes, so a directive
// that needs it carries no hash.
std::vector<std::string> InlineSources(const std::vector<std::string>& texts, bool unsafeInline)
{
    std::vector<std::string> sources;
    if (unsafeInline)
        sources.push_back("'unsafe-inline'");
    else
        for (const std::string& text : texts)
            AddOnce(sources, HashSource(text));
    return sources;
}

std::string Directive(std::string_view name, const std::vector<std::string>& sources)
{
    std::string line(name);
    for (const std::string& source : sources)
        line += " " + source;
    return line;
}

} // namespace

std::string SourceOfAddress(std::string_view address)
{
    const std::size_t scheme = address.find("://");
    const bool noScheme = scheme == std::string_view::npos || address.find_first_of("/?#") < scheme;
    if (noScheme && !address.starts_with("//"))
        return "'self'";
    const std::size_t host = noScheme ? 2 : scheme + 3;
    const std::size_t end = std::min(address.size(), address.find_first_of("/?#", host));
    const std::string origin = LowerCase(address.substr(0, end));
    return noScheme ? origin.substr(2) : origin;
}

std::vector<std::string> PolicySources(const CodeBuffer& code, Edition edition)
{
    const SnippetParts parts = ReadSnippetParts(code.TextForm());
    const bool classic = edition == Edition::Classic;
    const bool scriptInline = !parts.inlineScripts.empty() || parts.inlineBehaviour;
    std::vector<std::string> scripts =
        InlineSources(parts.inlineScripts, scriptInline && (classic || parts.inlineBehaviour));
    for (const std::string& address : parts.scriptAddresses)
        AddOnce(scripts, SourceOfAddress(address));
    const bool styleInline = !parts.inlineStyles.empty() || parts.styleAttributes;
    const std::vector<std::string> styles =
        InlineSources(parts.inlineStyles, styleInline && (classic || parts.styleAttributes));
    std::vector<std::string> lines;
    if (!scripts.empty())
        lines.push_back(Directive("script-src", scripts));
    if (!styles.empty())
        lines.push_back(Directive("style-src", styles));
    return lines;
}

std::string PolicyText(const CodeBuffer& code, Edition edition)
{
    std::string text;
    for (const std::string& line : PolicySources(code, edition))
        text += line + "\n";
    return text;
}

} // namespace gen
