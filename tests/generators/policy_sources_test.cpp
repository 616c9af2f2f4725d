// The digest, its base64 form, what a snippet's markup holds for a policy, and what a policy
// must admit for every gadget's editions. Whether a browser accepts the hashes is proved by the
// browser tests, which build the policy from this output.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "generators/base64.h"
#include "generators/edition.h"
#include "generators/gadget_table.h"
#include "generators/policy_sources.h"
#include "generators/sha256.h"
#include "generators/snippet_parts.h"

namespace
{

std::string Hex(const std::array<std::uint8_t, 32>& digest)
{
    std::string hex;
    char pair[3];
    for (std::uint8_t byte : digest) {
        std::snprintf(pair, sizeof pair, "%02x", byte);
        hex += pair;
    }
    return hex;
}

struct DigestRow {
    std::string message;
    const char* hex;
};

// Messages that end short of, just at and past the room for the length in the last block.
TEST(Sha256, KnownVectors)
{
    const std::vector<DigestRow> rows = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(55, 'a'), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        {std::string(56, 'a'), "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
        {std::string(64, 'a'), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
        {std::string(1000, 'a'),
         "41edece42d63e8d9bf515a9ba6932e1c20cbc9f5a5d134645adb5db1b9737ea3"},
    };
    for (const DigestRow& row : rows)
        EXPECT_EQ(Hex(gen::Sha256(row.message)), row.hex) << row.message.size() << " bytes";
}

TEST(Base64, KnownVectors)
{
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
        {"\xff\xfe", "//4="},
    };
    for (const auto& [bytes, text] : rows)
        EXPECT_EQ(gen::Base64({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}),
                  text);
}

struct PartsRow {
    const char* name;
    std::string html;
    std::vector<std::string> scripts;
    std::vector<std::string> styles;
    std::vector<std::string> addresses;
    bool behaviour;
    bool styleAttributes;
};

TEST(SnippetParts, WhatAPolicyJudges)
{
    const std::vector<PartsRow> rows = {
        {"line ends as parsed",
         "<script>\r\na();\rb();\r\n</script>\r\n",
         {"\na();\nb();\n"},
         {},
         {},
         false,
         false},
        {"any letter case",
         "<SCRIPT LANGUAGE=\"JavaScript\">x</Script>",
         {"x"},
         {},
         {},
         false,
         false},
        {"markup inside a script is text",
         "<script>s = '<a onclick=x>';</script>",
         {"s = '<a onclick=x>';"},
         {},
         {},
         false,
         false},
        {"comments are skipped",
         "<!-- <script>x</script> onclick= style= -->",
         {},
         {},
         {},
         false,
         false},
        {"loaded scripts",
         "<script src=\"http://a.example/s.js\" async></script><script src=s.js>"
         "</script>",
         {},
         {},
         {"http://a.example/s.js", "s.js"},
         false,
         false},
        {"a style element", "<style>\r\np { }\r\n</style>", {}, {"\np { }\n"}, {}, false, false},
        {"handler attribute", "<a href=x onClick=\"go()\">", {}, {}, {}, true, false},
        {"javascript: address", "<a href=\" JavaScript:go()\">", {}, {}, {}, true, false},
        {"style attribute", "<img src=x STYLE='border: 0'>", {}, {}, {}, false, true},
        {"quoted > in a value", "<a title=\"a>b\" onmouseover=x>", {}, {}, {}, true, false},
    };
    for (const PartsRow& row : rows) {
        const gen::SnippetParts parts = gen::ReadSnippetParts(row.html);
        EXPECT_EQ(parts.inlineScripts, row.scripts) << row.name;
        EXPECT_EQ(parts.inlineStyles, row.styles) << row.name;
        EXPECT_EQ(parts.scriptAddresses, row.addresses) << row.name;
        EXPECT_EQ(parts.inlineBehaviour, row.behaviour) << row.name;
        EXPECT_EQ(parts.styleAttributes, row.styleAttributes) << row.name;
    }
}

TEST(PolicySources, OriginOfAnAddress)
{
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"http://www.Example.NET/includes/search.js", "http://www.example.net"},
        {"https://cdn.example:8443/a.js?x=1", "https://cdn.example:8443"},
        {"https://cdn.example", "https://cdn.example"},
        {"//cdn.example/a.js", "cdn.example"},
        {"/js/a.js", "'self'"},
        {"a.js?next=http://x.example/", "'self'"},
    };
    for (const auto& [address, source] : rows)
        EXPECT_EQ(gen::SourceOfAddress(address), source) << address;
}

std::string Sources(const gen::GadgetEntry& g, gen::Edition edition)
{
    return gen::PolicyText(gen::GenerateEdition(g, gen::DefaultValues(g), edition), edition);
}

// Every today's edition works under a policy without 'unsafe-inline'; the classic ones are
// never admitted by hashes. A today's edition of the gadget's own runs script, so its policy
// admits something; a classic snippet standing in for one may be plain markup.
TEST(PolicySources, EditionsOfEveryGadget)
{
    for (const gen::GadgetEntry& g : gen::GadgetTable()) {
        const std::string today = Sources(g, gen::Edition::Today);
        const std::string classic = Sources(g, gen::Edition::Classic);
        EXPECT_EQ(today.find("unsafe-inline"), std::string::npos) << g.id << ": " << today;
        if (gen::HasOwnTodaysEdition(g)) {
            EXPECT_NE(today, "") << g.id;
        }
        EXPECT_EQ(classic.find("'sha256-"), std::string::npos) << g.id << ": " << classic;
    }
}

TEST(PolicySources, LinesInPolicySyntax)
{
    gen::CodeBuffer code;
    code.AppendLines({"<script src=\"https://s.example/a.js\"></script>", "<script>", "alert(1);",
                      "</script>", "<style>p{}</style>", "<script>", "alert(1);", "</script>"});
    EXPECT_EQ(gen::PolicyText(code, gen::Edition::Today),
              "script-src 'sha256-L+t9q3v5LeakHkwTJJlqwHiLsxVtqG4eOt8NDvhN6eg=' "
              "https://s.example\n"
              "style-src 'sha256-" +
                  gen::Base64(gen::Sha256("p{}")) + "'\n");
    code.Append("<a href=\"#\" onclick=\"go()\">go</a>");
    EXPECT_EQ(gen::PolicyText(code, gen::Edition::Today),
              "script-src 'unsafe-inline' https://s.example\nstyle-src 'sha256-" +
                  gen::Base64(gen::Sha256("p{}")) + "'\n");
}

} // namespace
