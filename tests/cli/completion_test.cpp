// The bash completion of sitewright-gen, run in a real bash: it offers exactly what the gadget
// table holds, so a new gadget or option completes without an edit to the completion.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "generators/edition.h"
#include "generators/gadget_table.h"
#include "tests/support/temp_dir.h"
#include "tools/completion_script.h"

namespace
{

using Words = std::set<std::string>;

// Sources `script` in a bash, completes the command line `words` at its last word, and returns
// what the completion offers.
Words Complete(const TempDir& dir, const std::string& script, const std::vector<std::string>& words)
{
    const std::string file = dir.Write("sitewright-gen.bash", script);
    std::string command = "cd '" + dir.path().string() +
                          "' && bash --norc --noprofile -c '"
                          "source \"$0\" && COMP_WORDS=(\"$@\") && COMP_CWORD=$(($# - 1)) && "
                          "_sitewright_gen && printf \"%s\\n\" \"${COMPREPLY[@]}\"' '" +
                          file + "'";
    for (const std::string& w : words)
        command += " '" + w + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        throw std::runtime_error("cannot start bash");
    std::string output;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    if (pclose(pipe) != 0)
        throw std::runtime_error("bash failed on: " + command);
    Words offered;
    for (std::size_t from = 0, to; (to = output.find('\n', from)) != std::string::npos;
         from = to + 1)
        if (to > from)
            offered.insert(output.substr(from, to - from));
    return offered;
}

Words OptionsOf(const gen::GadgetEntry& gadget)
{
    Words options = {"--edition", "--stamp", "--csp", "--help", "-o", "--output", "--as-recipe"};
    for (const gen::FieldEntry& f : gadget.fields)
        options.insert("--" + std::string(f.option));
    return options;
}

gen::CodeBuffer NoCode(const gen::FieldInputs&)
{
    return {};
}

} // namespace

TEST(CompletionTest, FirstWordOffersEveryGadgetOfTheTable)
{
    TempDir dir;
    Words expected = {"--list", "--help", "--version", "--recipe", "--dry-run", "--from", "check"};
    for (const gen::GadgetEntry& g : gen::GadgetTable())
        expected.insert(std::string(g.id));
    const std::string script = tools::BashCompletionScript(gen::GadgetTable());
    EXPECT_EQ(Complete(dir, script, {"sitewright-gen", ""}), expected);
    EXPECT_EQ(Complete(dir, script, {"sitewright-gen", "bookm"}), Words{"bookmark-us"});
}

TEST(CompletionTest, EachGadgetOffersItsOwnOptions)
{
    TempDir dir;
    const std::string script = tools::BashCompletionScript(gen::GadgetTable());
    for (const gen::GadgetEntry& g : gen::GadgetTable())
        EXPECT_EQ(Complete(dir, script, {"sitewright-gen", std::string(g.id), "-"}), OptionsOf(g))
            << g.id;
}

// A gadget that is not in the program yet: the completion follows the table it is made from.
TEST(CompletionTest, NewGadgetAndOptionCompleteWithoutAnEdit)
{
    TempDir dir;
    std::vector<gen::GadgetEntry> table = gen::GadgetTable();
    table.push_back({.id = "countdown",
                     .title = "Countdown",
                     .fields = {{"until", "2030", gen::FieldKind::Text, "Until:"}},
                     .classic = NoCode});
    table.front().fields.push_back({"new-option", "", gen::FieldKind::Text, "New:"});
    const std::string script = tools::BashCompletionScript(table);
    EXPECT_THAT(Complete(dir, script, {"sitewright-gen", "countd"}), Words{"countdown"});
    EXPECT_EQ(Complete(dir, script, {"sitewright-gen", "countdown", "--u"}), Words{"--until"});
    EXPECT_EQ(Complete(dir, script, {"sitewright-gen", std::string(table.front().id), "--new"}),
              Words{"--new-option"});
}

TEST(CompletionTest, ValuesAreNotCompletedAsOptionsAndOutputCompletesFiles)
{
    TempDir dir;
    dir.Write("snippet.html", "");
    const std::string script = tools::BashCompletionScript(gen::GadgetTable());
    EXPECT_EQ(Complete(dir, script, {"sitewright-gen", "bookmark-us", "--url", ""}), Words{});
    EXPECT_EQ(Complete(dir, script, {"sitewright-gen", "bookmark-us", "-o", "snip"}),
              Words{"snippet.html"});
    EXPECT_EQ(Complete(dir, script, {"sitewright-gen", "no-such-gadget", "-"}), Words{});
    EXPECT_EQ(Complete(dir, script, {"sitewright-gen", "--recipe", "snip"}), Words{"snippet.html"});
    EXPECT_EQ(Complete(dir, script, {"sitewright-gen", "--recipe", "snippet.html", "--d"}),
              Words{"--dry-run"});
    EXPECT_EQ(Complete(dir, script, {"sitewright-gen", "bookmark-us", "--as-recipe", "-o"}),
              Words{"-o"});
}

// Both spellings of --edition complete its values; bash splits "--edition=" into two words.
TEST(CompletionTest, EditionCompletesItsValues)
{
    TempDir dir;
    const std::string script = tools::BashCompletionScript(gen::GadgetTable());
    const Words editions = {std::string(gen::EditionName(gen::Edition::Classic)),
                            std::string(gen::EditionName(gen::Edition::Today))};
    for (const gen::GadgetEntry& g : gen::GadgetTable()) {
        const std::string id(g.id);
        EXPECT_EQ(Complete(dir, script, {"sitewright-gen", id, "--edition", ""}), editions) << id;
        EXPECT_EQ(Complete(dir, script, {"sitewright-gen", id, "--edition", "=", "t"}),
                  Words{"today"})
            << id;
        EXPECT_EQ(Complete(dir, script, {"sitewright-gen", id, "--edition", "classic", "--ed"}),
                  Words{"--edition"})
            << id;
    }
}

TEST(CompletionTest, StampIsASwitch)
{
    TempDir dir;
    const std::string script = tools::BashCompletionScript(gen::GadgetTable());
    EXPECT_EQ(Complete(dir, script, {"sitewright-gen", "bookmark-us", "--stamp", "--u"}),
              Words{"--url"});
}

TEST(CompletionTest, CheckOffersItsOptionsAndPathsAndFromAFile)
{
    TempDir dir;
    dir.Write("snippet.html", "");
    const std::string script = tools::BashCompletionScript(gen::GadgetTable());
    EXPECT_EQ(Complete(dir, script, {"sitewright-gen", "check", "-"}),
              (Words{"--json", "--upgrade", "--dry-run", "--no-backup", "--help"}));
    EXPECT_EQ(Complete(dir, script, {"sitewright-gen", "check", "--upgrade", "snip"}),
              Words{"snippet.html"});
    EXPECT_EQ(Complete(dir, script, {"sitewright-gen", "--from", "snip"}), Words{"snippet.html"});
}

TEST(CompletionTest, NamesTheShellWouldReadOtherwiseAreRefused)
{
    for (const char* id : {"two words", "quote'd", "$(reboot)", "", "-dash"}) {
        const std::vector<gen::GadgetEntry> table = {{.id = id, .title = "Odd", .classic = NoCode}};
        EXPECT_THROW(tools::BashCompletionScript(table), std::invalid_argument) << id;
    }
    const std::vector<gen::GadgetEntry> option = {
        {.id = "ok",
         .title = "Odd",
         .fields = {{"a;b", "", gen::FieldKind::Text, "A:"}},
         .classic = NoCode}};
    EXPECT_THROW(tools::BashCompletionScript(option), std::invalid_argument);
}
