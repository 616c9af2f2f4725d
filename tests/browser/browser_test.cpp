// Generated snippets judged by a real browser. For each gadget (some twice, once per browser
// branch the snippet takes), every field in turn holds each hostile value while the others keep
// their defaults; the snippet's steps are placed where its comments say (HEAD, BODY tag, BODY)
// in a page of its own, all pages of a gadget load side by side in frames of one headless
// Chromium, and each page reports what it holds. A case passes when the page raises no script
// error that the default values do not raise too, and every observation of the field equals the
// typed text. Fields that land as code take only the values their row lists; every other value
// must be refused before any code is made.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "generators/field_check.h"
#include "generators/gadget_table.h"
#include "headless_chromium.h"
#include "page_server.h"

namespace
{

// A value a code field takes, and what the page then holds under the field's observations.
struct Accepted {
    std::string text;
    std::string held;
};

// One field under test and the names of the observations that must hold its text.
struct FieldProbe {
    std::string_view option;
    std::vector<std::string_view> observations;
    std::vector<Accepted> accepted = {}; // a code field: nothing else is taken
    bool refusesEmpty = false;           // an empty or blank text is refused
};

// One gadget as a browser runs it. `setup` runs in the HEAD before the snippet, `finish` once
// the page has loaded; both record with __rec(name, value). Every page also records each
// window.open call (open.url, open.name, open.features and open.<feature> for each
// name=value feature) and each setTimeout with code text (timeout: "code delay").
struct Variant {
    const char* name;
    std::string_view gadget;
    std::string setup;
    std::string_view finish;
    std::vector<FieldProbe> fields;
};

constexpr std::string_view kAsIe = "Object.defineProperty(navigator, 'appName', {get: function() {"
                                   " return 'Microsoft Internet Explorer'; }});";
// What the snippet assigns to url is recorded; the page then goes to a fragment of itself
// instead of leaving, so it can still report.
constexpr std::string_view kRecordUrl =
    "Object.defineProperty(window, 'url', {configurable: true,"
    " get: function() { return '#navigated'; }, set: function(v) { __rec('url', v); }});";

const std::vector<Accepted> kSizes = {{" 640 ", "640"}, {"0640", "640"}, {"0", "0"}};

const std::vector<Variant>& Variants()
{
    static const std::vector<Variant> variants = {
        {"BookmarkUs",
         "bookmark-us",
         std::string(kAsIe),
         "__rec('url', url); __rec('title', title);",
         {{"url", {"url"}}, {"site-name", {"title"}}}},
        {"SetHomepageIe",
         "set-homepage",
         "Object.defineProperty(document, 'all', {value: [document], configurable: true});"
         "HTMLElement.prototype.setHomePage = function(u) { __rec('homepage', u); };",
         "document.links[0].onclick();",
         {{"url", {"homepage"}}}},
        {"SetHomepageOther",
         "set-homepage",
         "",
         "__rec('href', document.links[0].getAttribute('href'));",
         {{"url", {"href"}}}},
        {"LogoBranding",
         "logo-branding",
         "",
         "var a = document.querySelector('#branding a');"
         "__rec('href', a.getAttribute('href'));"
         "__rec('src', a.querySelector('img').getAttribute('src'));"
         "a.onmouseover(); __rec('status', window.status);",
         {{"status-text", {"status"}}, {"link", {"href"}}, {"image", {"src"}}}},
        {"FramelessPopup",
         "frameless-popup",
         "",
         "__rec('urlPop', urlPop); __rec('windowW', windowW); __rec('windowH', windowH);"
         "__rec('autoclose', autoclose); openFrameless();",
         {{"url", {"urlPop", "open.url"}},
          {"width", {"windowW", "open.width"}, kSizes},
          {"height", {"windowH", "open.height"}, kSizes},
          {"autoclose", {"autoclose"}, {{"false", "false"}, {" true ", "true"}}}}},
        {"BrowserEntryIe",
         "browser-entry",
         std::string(kAsIe) + std::string(kRecordUrl),
         "",
         {{"ie-url", {"url"}, {}, true}}},
        {"BrowserEntryOther",
         "browser-entry",
         std::string(kRecordUrl),
         "",
         {{"other-url", {"url"}, {}, true}}},
        {"PopupPage",
         "popup-page",
         "",
         "",
         {{"url", {"open.url"}},
          {"width", {"open.width"}, kSizes},
          {"height", {"open.height"}, kSizes},
          {"seconds", {"timeout"}, {{"", "popupPage() 0"}, {" 2 ", "popupPage() 2000"}}}}},
    };
    return variants;
}

std::string LongValue()
{
    std::string text;
    while (text.size() < 6000)
        text += "x'\"\\n</script><b>&amp;&#39; Gr\xC3\xBC\xC3\x9F"
                "e \xE6\x97\xA5\r\n";
    return text;
}

const std::vector<std::pair<std::string, std::string>>& HostileValues()
{
    static const std::vector<std::pair<std::string, std::string>> values = {
        {"DoubleQuotes", "say \"hi\""},
        {"Apostrophe", "Joe's site"},
        {"Backslashes", "C:\\new\\table\\x41\\u0041\\"},
        {"ScriptEnd", "</script><b>spilled</b></SCRIPT>"},
        {"ScriptInComment", "<!--<script>"},
        {"Markup", "<b>markup</b>"},
        {"Ampersands", "R&D &amp; &#39; &quot; &lt;"},
        {"NonAscii", "Gr\xC3\xBC\xC3\x9F"
                     "e \xE2\x80\x93 \xE6\x97\xA5\xE6\x9C\xAC"},
        {"Empty", ""},
        {"Blanks", "  padded  "},
        {"LineBreaks", "one\ntwo\r\nthree\rfour"},
        {"Separators", "a\xE2\x80\xA8"
                       "b\xE2\x80\xA9"
                       "c"},
        {"Long", LongValue()},
    };
    return values;
}

// The recording every page starts with; CASE and FINISH are put in per page.
constexpr std::string_view kProbe = R"JS((function() {
var id = 'CASE', records = [], realTimeout = window.setTimeout;
window.__rec = function(name, value) {
  records.push(name + '=' + encodeURIComponent(String(value)));
  parent.document.getElementById(id).textContent = records.join(' ');
};
addEventListener('error', function(e) { __rec('error', e.message); });
window.open = function(url, name, features) {
  __rec('open.url', url); __rec('open.name', name); __rec('open.features', features);
  String(features).split(',').forEach(function(f) {
    var i = f.indexOf('='); if (i > 0) __rec('open.' + f.slice(0, i), f.slice(i + 1));
  });
  var none = function() {};
  return {blur: none, focus: none, resizeTo: none, moveTo: none, close: none,
          document: {open: none, write: none, close: none}};
};
window.setTimeout = function(code, delay) {
  if (typeof code === 'string') __rec('timeout', code + ' ' + delay);
  return realTimeout.apply(window, arguments);
};
addEventListener('load', function() {
  realTimeout(function() {
    try { FINISH } catch (e) { __rec('error', 'finish: ' + e.message); }
    __rec('done', 1);
  }, 0);
});
})();)JS";

std::string Replace(std::string text, std::string_view what, std::string_view with)
{
    const std::size_t at = text.find(what);
    return at == std::string::npos ? text : text.replace(at, what.size(), with);
}

enum class Where { Head, BodyTag, Body };

// The snippet's steps where their comments put them: the page's head, the attributes of its
// BODY tag and its body. The wrapper lines "<HEAD>", "</HEAD>" and "<BODY>" only say where.
// A snippet without steps is pasted whole into the body.
struct PlacedSnippet {
    std::string head, bodyAttributes, body;
};

PlacedSnippet PlaceSteps(const gen::CodeBuffer& code)
{
    PlacedSnippet placed;
    bool hasSteps = false;
    for (std::size_t i = 0; i < code.Count(); ++i)
        hasSteps = hasSteps || code.Line(i).starts_with("<!-- STEP ");
    bool inStep = !hasSteps;
    Where place = Where::Body;
    for (std::size_t i = 0; i < code.Count(); ++i) {
        const std::string line(code.Line(i));
        if (line.starts_with("<!-- STEP ")) {
            inStep = true;
            place = line.find("BODY tag") != std::string::npos ? Where::BodyTag
                    : line.find("HEAD") != std::string::npos   ? Where::Head
                                                               : Where::Body;
        } else if (!inStep || line == "<HEAD>" || line == "</HEAD>" || line == "<BODY>") {
        } else if (place == Where::BodyTag && line.starts_with("<BODY ")) {
            placed.bodyAttributes = line.substr(6, line.rfind('>') - 6);
        } else {
            (place == Where::Head ? placed.head : placed.body) += line + "\r\n";
        }
    }
    return placed;
}

std::string CasePage(const std::string& id, const Variant& v, const gen::CodeBuffer& code)
{
    const PlacedSnippet s = PlaceSteps(code);
    const std::string probe = Replace(Replace(std::string(kProbe), "CASE", id), "FINISH", v.finish);
    return "<html><head><meta charset=\"utf-8\">\r\n<script>" + probe + "\r\n" +
           std::string(v.setup) + "</script>\r\n" + s.head + "</head>\r\n<body " +
           s.bodyAttributes + ">\r\n" + s.body + "</body></html>\r\n";
}

struct Case {
    std::string name;
    gen::FieldValues values;
    const FieldProbe* field = nullptr;       // nullptr: the defaults
    std::map<std::string, std::string> held; // observation -> the text it must hold
};

// Observation name -> every value recorded under it, in order.
using Observations = std::multimap<std::string, std::string>;

std::string PercentDecoded(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

Observations Observed(const std::string& dom, const std::string& id)
{
    Observations seen;
    const std::string open = "<pre id=\"" + id + "\">";
    const std::size_t start = dom.find(open);
    if (start == std::string::npos)
        return seen;
    const std::size_t from = start + open.size();
    const std::string text = dom.substr(from, dom.find("</pre>", from) - from);
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find(' ', at);
        if (end == std::string::npos)
            end = text.size();
        const std::string record = text.substr(at, end - at);
        const std::size_t equals = record.find('=');
        seen.emplace(record.substr(0, equals), PercentDecoded(record.substr(equals + 1)));
        at = end + 1;
    }
    return seen;
}

bool Blank(const std::string& text)
{
    return text.find_first_not_of(" \t") == std::string::npos;
}

std::size_t FieldIndex(const gen::GadgetEntry& g, std::string_view option)
{
    for (std::size_t i = 0; i < g.fields.size(); ++i)
        if (g.fields[i].option == option)
            return i;
    ADD_FAILURE() << "no field --" << option;
    return 0;
}

// The values a field is tried with and what each must give: the held text, or a refusal.
std::vector<std::pair<std::string, std::optional<std::string>>> Trials(const FieldProbe& f)
{
    std::vector<std::pair<std::string, std::optional<std::string>>> trials;
    for (const Accepted& a : f.accepted)
        trials.push_back({a.text, a.held});
    for (const auto& [name, text] : HostileValues()) {
        const bool refused = !f.accepted.empty() || (f.refusesEmpty && Blank(text));
        bool listed = false;
        for (const Accepted& a : f.accepted)
            listed = listed || a.text == text;
        if (!listed)
            trials.push_back({text, refused ? std::nullopt : std::optional<std::string>(text)});
    }
    return trials;
}

class BrowserTest : public testing::TestWithParam<Variant>
{
protected:
    void SetUp() override
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "sw-browser-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        scratch_ = pattern;
        std::filesystem::create_directory(scratch_ / "pages");
    }
    void TearDown() override { std::filesystem::remove_all(scratch_); }

    std::filesystem::path scratch_;
};

// Generates each trial; a refused one is checked here and gets no page.
std::vector<Case> Cases(const Variant& v, const gen::GadgetEntry& g)
{
    std::vector<Case> cases{{"defaults", gen::DefaultValues(g), nullptr, {}}};
    for (const FieldProbe& f : v.fields)
        for (std::string_view o : f.observations)
            if (f.accepted.empty())
                cases[0].held[std::string(o)] = cases[0].values[FieldIndex(g, f.option)];
    for (const FieldProbe& f : v.fields) {
        const std::size_t index = FieldIndex(g, f.option);
        int n = 0;
        for (const auto& [text, held] : Trials(f)) {
            Case c{
                std::string(f.option) + " #" + std::to_string(n++), gen::DefaultValues(g), &f, {}};
            c.values[index] = text;
            try {
                g.generate(c.values);
                EXPECT_TRUE(held.has_value()) << c.name << " was taken: " << text.substr(0, 80);
            } catch (const gen::FieldError& e) {
                EXPECT_FALSE(held.has_value()) << c.name << " refused: " << e.what();
                EXPECT_NE(std::string(e.what()).find("(--" + std::string(f.option) + ")"),
                          std::string::npos)
                    << e.what();
                continue;
            }
            if (!held)
                continue;
            for (std::string_view o : f.observations)
                c.held[std::string(o)] = *held;
            cases.push_back(std::move(c));
        }
    }
    return cases;
}

TEST_P(BrowserTest, PageHoldsWhatWasTyped)
{
    const Variant& v = GetParam();
    const gen::GadgetEntry* g = gen::FindGadget(v.gadget);
    ASSERT_NE(g, nullptr);
    const std::vector<Case> cases = Cases(v, *g);

    std::string index = "<html><head><meta charset=\"utf-8\"></head><body>\r\n";
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const std::string id = "case-" + std::to_string(i);
        std::ofstream(scratch_ / "pages" / (id + ".html"), std::ios::binary)
            << CasePage(id, v, g->generate(cases[i].values));
        index += "<pre id=\"" + id + "\"></pre><iframe src=\"" + id + ".html\"></iframe>\r\n";
    }
    std::ofstream(scratch_ / "pages" / "index.html", std::ios::binary) << index << "</body></html>";

    std::string dom;
    {
        const PageServer server(scratch_ / "pages");
        // Popup Page waits five seconds of page time by default.
        dom = DumpDom(server.Address("index.html"), scratch_, 8000);
    }

    const Observations defaults = Observed(dom, "case-0");
    std::set<std::string> defaultErrors;
    for (auto [it, end] = defaults.equal_range("error"); it != end; ++it)
        defaultErrors.insert(it->second);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const Observations seen = i == 0 ? defaults : Observed(dom, "case-" + std::to_string(i));
        const std::string text = c.field ? c.values[FieldIndex(*g, c.field->option)] : "";
        SCOPED_TRACE(c.name + " = \"" + text.substr(0, 80) + "\"");
        EXPECT_EQ(seen.count("done"), 1u) << "the page did not finish";
        for (auto [it, end] = seen.equal_range("error"); it != end; ++it)
            EXPECT_TRUE(defaultErrors.contains(it->second)) << "script error: " << it->second;
        for (const auto& [name, held] : c.held) {
            EXPECT_GE(seen.count(name), 1u) << name << " was not observed";
            for (auto [it, end] = seen.equal_range(name); it != end; ++it)
                EXPECT_TRUE(it->second == held)
                    << name << " holds \"" << it->second.substr(0, 80) << "\"";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Gadgets, BrowserTest, testing::ValuesIn(Variants()),
                         [](const testing::TestParamInfo<Variant>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
