#pragma once

#include <cstddef>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace recipe
{

// Builds the JSON tree of a recipe from the parser's events, in time linear in its size: an
// object's members are appended as they come instead of looked up one by one among those
// before them, so the keys of each object must have been checked to differ beforehand (the
// last of two equal keys would stand beside the first). The elements of the top-level
// "snippets" array are handed to `entry` one at a time as each is complete, and dropped, so
// the tree holds the top level only, and of it only "format" and "snippets" when
// `keepUnknown` is false. Parse errors are thrown as the library's exceptions.
class JsonBuilder
{
public:
    using Json = nlohmann::ordered_json;
    using Entry = std::function<void(Json& element, std::size_t index)>;

    explicit JsonBuilder(const Entry& entry, bool keepUnknown = true)
        : entry_(entry), keepUnknown_(keepUnknown)
    {
    }

    Json& Result() { return root_; }

    // The parser's events.
    bool null() { return Add(Json()); }
    bool boolean(bool value) { return Add(Json(value)); }
    bool number_integer(Json::number_integer_t value) { return Add(Json(value)); }
    bool number_unsigned(Json::number_unsigned_t value) { return Add(Json(value)); }
    bool number_float(Json::number_float_t value, const std::string&) { return Add(Json(value)); }
    bool string(std::string& value) { return Add(Json(std::move(value))); }
    bool binary(Json::binary_t& value) { return Add(Json::binary(std::move(value))); }
    bool start_object(std::size_t) { return Open(Json::object()); }
    bool key(std::string& key);
    bool end_object() { return Close(); }
    bool start_array(std::size_t) { return Open(Json::array()); }
    bool end_array() { return Close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& e);

private:
    bool Add(Json value);
    bool Open(Json value);
    bool Close();
    Json* Place(Json value);

    const Entry& entry_;
    const bool keepUnknown_;
    Json root_;
    Json dropped_;                  // a top-level value not kept
    std::vector<Json*> open_;       // the containers being built, outermost first
    std::vector<std::string> keys_; // the key awaiting its value, one per open container
    Json element_;                  // the snippets entry being built
    bool inSnippets_ = false;       // the open container at the top level is "snippets"
    std::size_t index_ = 0;
};

// A key as written between its quotes, its escapes decoded as the parser decodes them. One the
// parser refuses need not come out right, as the parse fails anyway.
std::string DecodedKey(std::string_view raw);

// Parses JSON text whose objects are known to hold no key twice (as JSON written from a checked
// tree is), in time linear in its size.
nlohmann::ordered_json ParseDistinctKeys(std::string_view text);

// Appends `key` to an object known not to hold it, without looking for it.
void AppendMember(nlohmann::ordered_json& object, std::string key, nlohmann::ordered_json value);

} // namespace recipe
