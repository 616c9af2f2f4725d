#pragma once

#include <string>
#include <vector>

#include "generators/edition.h"
#include "generators/gadget_table.h"

// Pages for the site check's tests, built the way site owners pasted snippets: a realistic page
// with the snippet's HEAD lines in its head, its BODY tag's attributes on the page's own BODY
// tag and the rest in its body.

// How a snippet was changed after it left the generator.
enum class Transform { AsPasted, Reindented, CrLf, OtherCase, NoComments };

// The snippet's lines after the change.
std::vector<std::string> Transformed(const std::vector<std::string>& lines, Transform t);

// The pieces of a snippet's lines, by where they go.
struct SnippetPieces {
    std::string head;        // lines for the head, each ended by "\n"
    std::string bodyTagAttr; // attributes of its BODY tag, with a blank before each
    std::string body;        // lines for the body
};
SnippetPieces PiecesOf(const std::vector<std::string>& lines);

// Builds a page around the pieces, with text that only mentions the snippet's code (a <pre>,
// a <textarea>, a paragraph, a comment) before and after them.
struct SamplePage {
    std::string before; // the page up to the head piece
    std::string text;   // the whole page
};
SamplePage RealPage(const SnippetPieces& pieces, const std::vector<std::string>& decoyLines,
                    const std::string& eol = "\n");

// Values each field takes that test the reading back: awkward text where a field takes text,
// a changed number or choice otherwise; the default where the edition leaves the field out.
gen::FieldValues AwkwardValues(const gen::GadgetEntry& gadget,
                               gen::Edition edition = gen::Edition::Classic);

// The values with each field the edition leaves out (only the other edition reads it) at its
// default: all that can be read back from the edition's snippet.
gen::FieldValues CarriedValues(const gen::GadgetEntry& gadget, gen::FieldValues values,
                               gen::Edition edition);
