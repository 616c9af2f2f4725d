#include "tests/sitecheck/sample_pages.h"

#include <cctype>
#include <regex>

#include "generators/edition.h"
#include "generators/field_check.h"

namespace
{

std::string Trim(const std::string& s)
{
    const std::size_t a = s.find_first_not_of(" \t\r");
    return a == std::string::npos ? "" : s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Flips the case of tag and attribute names only, so values and script keep theirs.
std::string OtherCase(const std::string& line)
{
    static const std::regex tag("</?[A-Za-z]+|\\s[A-Za-z]+=");
    std::string out;
    std::size_t at = 0;
    for (std::sregex_iterator it(line.begin(), line.end(), tag), end; it != end; ++it) {
        out += line.substr(at, static_cast<std::size_t>(it->position()) - at);
        for (char c : it->str())
            out += static_cast<char>(std::isupper(static_cast<unsigned char>(c))
                                         ? std::tolower(static_cast<unsigned char>(c))
                                         : std::toupper(static_cast<unsigned char>(c)));
        at = static_cast<std::size_t>(it->position() + it->length());
    }
    return out + line.substr(at);
}

bool StartsWith(const std::string& s, const std::string& p)
{
    return s.compare(0, p.size(), p) == 0;
}

} // namespace

std::vector<std::string> Transformed(const std::vector<std::string>& lines, Transform t)
{
    std::vector<std::string> out;
    bool inScript = false, inComment = false;
    for (const std::string& line : lines) {
        const std::string trimmed = Trim(line);
        const std::string lower = Lower(trimmed);
        if (t == Transform::NoComments && !inScript && (inComment || StartsWith(trimmed, "<!--"))) {
            inComment = trimmed.size() < 3 || trimmed.substr(trimmed.size() - 3) != "-->";
            continue;
        }
        inScript = (inScript || StartsWith(lower, "<script")) &&
                   lower.find("</script>") == std::string::npos;
        if (t == Transform::Reindented)
            out.push_back(trimmed.empty() ? "" : "\t    " + line + "  ");
        else if (t == Transform::CrLf)
            out.push_back(line + "\r");
        else if (t == Transform::OtherCase)
            out.push_back(OtherCase(line));
        else
            out.push_back(line);
    }
    return out;
}

SnippetPieces PiecesOf(const std::vector<std::string>& lines)
{
    SnippetPieces p;
    enum { Before, Head, Body } where = Before;
    for (const std::string& line : lines) {
        const std::string lower = Lower(Trim(line));
        if (lower == "<head>") {
            where = Head;
        } else if (lower == "</head>") {
            where = Body;
        } else if (StartsWith(lower, "<body")) {
            const std::string t = Trim(line);
            if (t.size() > 6)
                p.bodyTagAttr += " " + t.substr(6, t.size() - 7);
            where = Body;
        } else {
            (where == Head ? p.head : p.body) += line + "\n";
        }
    }
    return p;
}

SamplePage RealPage(const SnippetPieces& pieces, const std::vector<std::string>& decoyLines,
                    const std::string& eol)
{
    std::string decoy, escaped, commented, prose;
    for (const std::string& line : decoyLines) {
        decoy += line + eol;
        for (char c : line)
            escaped += c == '<'   ? "&lt;"
                       : c == '>' ? "&gt;"
                       : c == '&' ? "&amp;"
                                  : std::string(1, c);
        escaped += eol;
        if (line.find("--") == std::string::npos)
            commented += line + eol;
        if (line.find_first_of("<&") == std::string::npos)
            prose += line + eol;
    }
    SamplePage page;
    page.before = "<!DOCTYPE html>" + eol + "<html lang=\"en\">" + eol + "<head>" + eol +
                  "  <meta charset=\"utf-8\">" + eol + "  <title>Corner Shop</title>" + eol +
                  "  <style>body { font-family: serif; }</style>" + eol;
    page.text = page.before + pieces.head + "</head>" + eol + "<body class=\"shop\"" +
                pieces.bodyTagAttr + ">" + eol + "<h1>Corner Shop</h1>" + eol +
                "<p>How we put this on our page:</p>" + eol + "<pre>" + eol + escaped + "</pre>" +
                eol + "<textarea rows=\"5\">" + eol + decoy + "</textarea>" + eol + "<!--" + eol +
                commented + "-->" + eol + "<div id=\"content\">" + eol + pieces.body + "</div>" +
                eol + "<p>" + eol + prose + "</p>" + eol + "</body>" + eol + "</html>" + eol;
    return page;
}

gen::FieldValues AwkwardValues(const gen::GadgetEntry& gadget, gen::Edition edition)
{
    gen::FieldValues values = gen::DefaultValues(gadget);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::string def = values[i];
        // A spin box shows its number, whatever text it was given, so it gets a number.
        const bool number = gadget.fields[i].kind == gen::FieldKind::Number;
        for (const std::string& v :
             {number ? std::string("321")
                     : std::string("Tom's \"Shop\" & <3 --> caf\xC3\xA9 \\ end\nsecond line"),
              std::string("321"), std::string("false")}) {
            values[i] = v;
            try {
                gen::GenerateEdition(gadget, values, edition);
                break;
            } catch (const std::exception&) {
                values[i] = def;
            }
        }
    }
    return CarriedValues(gadget, values, edition);
}

gen::FieldValues CarriedValues(const gen::GadgetEntry& gadget, gen::FieldValues values,
                               gen::Edition edition)
{
    const gen::FieldValues defaults = gen::DefaultValues(gadget);
    const std::string text = gen::GenerateEdition(gadget, values, edition).TextForm();
    for (std::size_t i = 0; i < values.size(); ++i) {
        gen::FieldValues other = values;
        other[i] = defaults[i];
        if (gen::GenerateEdition(gadget, other, edition).TextForm() == text)
            values[i] = defaults[i];
    }
    return values;
}
