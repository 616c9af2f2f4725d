#include "recipe/recipe_reader.h"

#include <istream>
#include <optional>
#include <streambuf>
#include <vector>

#include "recipe/json_builder.h"
#include "recipe/key_set.h"

namespace recipe
{

using Json = nlohmann::ordered_json;

namespace
{

// Deep enough for any recipe; shallow enough that writing kept keys back, which recurses,
// cannot run out of stack.
constexpr int kMaxDepth = 64;

std::string LineColumn(std::size_t line, std::size_t column)
{
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// Walks the bytes once before the parser sees them: a NUL byte and nesting beyond kMaxDepth are
// refused where the place is still known, and the first key given twice in one object is
// remembered. The
// parser keeps the last of two equal keys and drops the other value without a word; a recipe
// typed by hand says which one it means instead. Keys are compared as the parser reads them,
// escapes decoded, so "u\u0072l" is "url" here as it is there.
class ByteScan
{
public:
    void Take(char c)
    {
        const std::size_t line = line_, column = column_;
        // The parser takes a NUL byte for the end of its input and would accept whatever
        // precedes it; JSON text never holds one, not even inside a string.
        if (c == '\0' && !nul_)
            nul_.emplace(LineColumn(line, column), "a NUL byte, which JSON text cannot hold");
        if (c == '\n') {
            ++line_;
            column_ = 1;
        } else {
            ++column_;
        }
        if (inString_) {
            TakeInString(c);
            return;
        }
        if (keyPending_ && c != ' ' && c != '\t' && c != '\r' && c != '\n') {
            keyPending_ = false;
            if (c == ':')
                TakeKey();
        }
        if (c == '"') {
            inString_ = true;
            text_.clear();
            textLine_ = line;
            textColumn_ = column;
        } else if (c == '{' || c == '[') {
            // Past the limit only the depth is counted: the recipe is refused anyway, and a
            // key set for each of millions of brackets would cost gigabytes first.
            if (++depth_ <= kMaxDepth)
                objects_.emplace_back();
            else if (!tooDeep_)
                tooDeep_.emplace(LineColumn(line, column),
                                 "nested deeper than " + std::to_string(kMaxDepth) + " levels");
        } else if ((c == '}' || c == ']') && depth_ > 0) {
            if (depth_-- <= kMaxDepth)
                objects_.pop_back();
        }
    }

    // Refuses a NUL byte anywhere, then nesting too deep, as the parser must not see either.
    void ThrowIfUnparsable() const
    {
        if (nul_)
            throw *nul_;
        if (tooDeep_)
            throw *tooDeep_;
    }
    const std::optional<RecipeError>& Duplicate() const { return duplicate_; }

private:
    void TakeInString(char c)
    {
        if (escaped_) {
            escaped_ = false;
        } else if (c == '\\') {
            escaped_ = true;
        } else if (c == '"') {
            inString_ = false;
            keyPending_ = true;
            return;
        }
        text_ += c;
    }

    bool Inserted(const std::string& key)
    {
        return key.find('\\') == std::string::npos ? objects_.back().Insert(key)
                                                   : objects_.back().Insert(DecodedKey(key));
    }

    void TakeKey()
    {
        if (objects_.empty() || depth_ > kMaxDepth || Inserted(text_) || duplicate_)
            return;
        duplicate_.emplace(LineColumn(textLine_, textColumn_),
                           "the key \"" + text_ + "\" appears twice in one object");
    }

    std::size_t line_ = 1, column_ = 1;
    int depth_ = 0;
    bool inString_ = false, escaped_ = false, keyPending_ = false;
    std::string text_;
    std::size_t textLine_ = 0, textColumn_ = 0;
    std::vector<KeySet> objects_; // keys of each open object; arrays too
    std::optional<RecipeError> nul_, tooDeep_, duplicate_;
};

// Feeds the parser chunk by chunk.
class ChunkBuffer : public std::streambuf
{
public:
    explicit ChunkBuffer(const RecipeReader::Chunks& chunks) : chunks_(chunks) {}

protected:
    int_type underflow() override
    {
        chunk_ = chunks_(offset_);
        offset_ += chunk_.size();
        if (chunk_.empty())
            return traits_type::eof();
        setg(chunk_.data(), chunk_.data(), chunk_.data() + chunk_.size());
        return traits_type::to_int_type(chunk_.front());
    }

private:
    const RecipeReader::Chunks& chunks_;
    std::size_t offset_ = 0;
    std::string chunk_;
};

template <typename Visit> void ForEachByte(const RecipeReader::Chunks& chunks, Visit&& visit)
{
    for (std::size_t offset = 0;;) {
        const std::string chunk = chunks(offset);
        if (chunk.empty())
            return;
        offset += chunk.size();
        for (const char c : chunk)
            visit(c);
    }
}

// nlohmann's message is "[json.exception.parse_error.101] parse error at line L, column C:
// detail"; the place and the detail go their own ways.
RecipeError SyntaxError(const nlohmann::json::parse_error& e, const RecipeReader::Chunks& chunks)
{
    const std::string what = e.what();
    const std::size_t at = what.find(" at line ");
    const std::size_t colon = what.find(": ", at == std::string::npos ? 0 : at);
    if (at != std::string::npos && colon != std::string::npos)
        return RecipeError(what.substr(at + 4, colon - at - 4), what.substr(colon + 2));
    // The library gave no line: counted here, on a path taken only then.
    const std::size_t target = e.byte == 0 ? 0 : e.byte - 1;
    std::size_t offset = 0, line = 1, column = 1;
    ForEachByte(chunks, [&](char c) {
        if (offset++ >= target)
            return;
        if (c == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    });
    return RecipeError(LineColumn(line, column), what);
}

// Parses the recipe, handing each element of the top-level "snippets" array to `entry` and
// dropping it there, so only the top level is kept.
Json ParseTop(const RecipeReader::Chunks& chunks, const JsonBuilder::Entry& entry, bool keepUnknown)
{
    ChunkBuffer buffer(chunks);
    std::istream in(&buffer);
    JsonBuilder builder(entry, keepUnknown);
    try {
        Json::sax_parse(in, &builder);
        return std::move(builder.Result());
    } catch (const nlohmann::json::parse_error& e) {
        throw SyntaxError(e, chunks);
    } catch (const nlohmann::json::exception& e) {
        // A number too large for a double: the library says which, not where.
        const std::string what = e.what();
        throw RecipeError(
            "", what.substr(what.find("] ") == std::string::npos ? 0 : what.find("] ") + 2));
    }
}

const Json& Expect(const Json& value, Json::value_t type, const std::string& place,
                   const char* what)
{
    if (value.type() != type)
        throw RecipeError(place, std::string("must be ") + what + ", not " + value.type_name());
    return value;
}

std::string Text(Json& value, const std::string& place)
{
    Expect(value, Json::value_t::string, place, "a string");
    return std::move(value.get_ref<std::string&>());
}

gen::Edition EditionOf(Json& value, const std::string& place)
{
    const std::string name = Text(value, place);
    if (const std::optional<gen::Edition> edition = gen::ParseEdition(name))
        return *edition;
    throw RecipeError(place, "must be \"classic\" or \"today\", not \"" + name + "\"");
}

void ReadValues(Json& values, const std::string& place, Entry& entry)
{
    Expect(values, Json::value_t::object, place, "an object");
    for (auto& [option, value] : values.items())
        entry.values.emplace_back(option, Text(value, place + "." + option));
}

Entry ReadEntry(Json& json, const std::string& place)
{
    Expect(json, Json::value_t::object, place, "an object");
    if (!json.contains("gadget"))
        throw RecipeError(place, "has no \"gadget\"");
    Entry entry;
    for (auto& [key, value] : json.items()) {
        const std::string at = place + "." + key;
        if (key == "gadget")
            entry.gadget = Text(value, at);
        else if (key == "edition")
            entry.edition = EditionOf(value, at);
        else if (key == "values")
            ReadValues(value, at, entry);
        else if (key == "output")
            entry.output = Text(value, at);
        else if (key == "stamp")
            entry.stamp = Expect(value, Json::value_t::boolean, at, "true or false").get<bool>();
        else if (key == "csp")
            entry.csp = Expect(value, Json::value_t::boolean, at, "true or false").get<bool>();
        else
            AppendMember(entry.unknown, key, std::move(value));
    }
    return entry;
}

void CheckFormat(const Json& json)
{
    if (!json.contains("format"))
        throw RecipeError("", "not a recipe: it has no \"format\"");
    const Json& format = json["format"];
    if (!format.is_number_integer() || format.get<std::int64_t>() < 1)
        throw RecipeError("format", "must be a whole number from 1");
    if (format.get<std::int64_t>() > kFormatVersion)
        throw RecipeError("format", "format " + format.dump() +
                                        " is newer than this program reads (" +
                                        std::to_string(kFormatVersion) + ")");
}

void CheckTop(const Json& json, std::size_t count)
{
    if (!json.is_object())
        throw RecipeError("",
                          std::string("the recipe must be a JSON object, not ") + json.type_name());
    CheckFormat(json);
    if (!json.contains("snippets"))
        throw RecipeError("", "the recipe has no \"snippets\"");
    Expect(json["snippets"], Json::value_t::array, "snippets", "an array");
    if (count > kMaxEntries)
        throw RecipeError("snippets", "more than 100,000 entries");
}

} // namespace

RecipeReader::RecipeReader(const Chunks& chunks, std::unique_ptr<SpoolStore> store,
                           bool keepUnknown)
    : spool_(std::move(store))
{
    ByteScan scan;
    ForEachByte(chunks, [&scan](char c) { scan.Take(c); });
    scan.ThrowIfUnparsable();
    // An entry of the wrong shape is named only after the recipe as a whole has passed, as it
    // would be by a pass over the entries after the parse.
    const auto read = [&](Json& element, std::size_t index) {
        ++count_;
        if (misshapen_)
            return;
        try {
            spool_.Add(ReadEntry(element, "snippets[" + std::to_string(index) + "]"), keepUnknown);
            ++spooled_;
        } catch (const RecipeError& e) {
            misshapen_ = e;
        }
    };
    Json top = ParseTop(chunks, read, keepUnknown);
    if (scan.Duplicate())
        throw *scan.Duplicate();
    CheckTop(top, count_);
    for (auto& [key, value] : top.items())
        if (key != "snippets" && key != "format")
            AppendMember(unknown_, key, std::move(value));
}

void RecipeReader::ForEachEntry(const Consumer& consume) const
{
    spool_.ForEach(spooled_, consume);
    if (misshapen_)
        throw *misshapen_;
}

} // namespace recipe
