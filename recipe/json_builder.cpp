#include "recipe/json_builder.h"

#include <cstdint>
#include <optional>

#include "generators/escape.h"

namespace recipe
{

namespace
{

// Four hex digits at text[at], or nothing.
std::optional<std::uint32_t> Hex4(std::string_view text, std::size_t at)
{
    if (at + 4 > text.size())
        return std::nullopt;
    std::uint32_t code = 0;
    for (const char c : text.substr(at, 4)) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0)
            return std::nullopt;
        code = code * 16 + static_cast<std::uint32_t>(digit);
    }
    return code;
}

} // namespace

std::string DecodedKey(std::string_view raw)
{
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\' || i + 1 == raw.size()) {
            out += raw[i];
            continue;
        }
        const char c = raw[++i];
        std::optional<std::uint32_t> code = c == 'u' ? Hex4(raw, i + 1) : std::nullopt;
        if (!code) {
            out += c == 'n'   ? '\n'
                   : c == 't' ? '\t'
                   : c == 'r' ? '\r'
                   : c == 'b' ? '\b'
                   : c == 'f' ? '\f'
                              : c;
            continue;
        }
        i += 4;
        // A surrogate pair names one character in two escapes.
        if (*code >= 0xD800 && *code < 0xDC00 && raw.substr(i + 1, 2) == "\\u")
            if (const auto low = Hex4(raw, i + 3); low && *low >= 0xDC00 && *low < 0xE000) {
                code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
                i += 6;
            }
        gen::AppendUtf8(out, *code);
    }
    return out;
}

bool JsonBuilder::key(std::string& key)
{
    keys_.back() = std::move(key);
    return true;
}

bool JsonBuilder::parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& e)
{
    // The same exceptions the library's own tree builder throws, so callers tell them apart.
    if (e.id >= 100 && e.id < 200)
        throw static_cast<const nlohmann::json::parse_error&>(e);
    if (e.id >= 400 && e.id < 500)
        throw static_cast<const nlohmann::json::out_of_range&>(e);
    throw static_cast<const nlohmann::json::other_error&>(e);
}

JsonBuilder::Json* JsonBuilder::Place(Json value)
{
    if (open_.empty()) {
        root_ = std::move(value);
        return &root_;
    }
    if (inSnippets_ && open_.size() == 2) {
        element_ = std::move(value);
        return &element_;
    }
    if (!keepUnknown_ && open_.size() == 1 && keys_.back() != "format" &&
        keys_.back() != "snippets") {
        dropped_ = std::move(value);
        return &dropped_;
    }
    Json& parent = *open_.back();
    if (parent.is_array()) {
        parent.push_back(std::move(value));
        return &parent.back();
    }
    AppendMember(parent, std::move(keys_.back()), std::move(value));
    return &parent.get_ref<Json::object_t&>().back().second;
}

bool JsonBuilder::Add(Json value)
{
    Place(std::move(value));
    if (inSnippets_ && open_.size() == 2)
        entry_(element_, index_++);
    return true;
}

bool JsonBuilder::Open(Json value)
{
    const bool snippets = open_.size() == 1 && value.is_array() && open_[0]->is_object() &&
                          keys_.back() == "snippets";
    open_.push_back(Place(std::move(value)));
    keys_.emplace_back();
    inSnippets_ = inSnippets_ || snippets;
    return true;
}

bool JsonBuilder::Close()
{
    open_.pop_back();
    keys_.pop_back();
    if (inSnippets_ && open_.size() == 2)
        entry_(element_, index_++);
    else if (inSnippets_ && open_.size() == 1)
        inSnippets_ = false;
    return true;
}

nlohmann::ordered_json ParseDistinctKeys(std::string_view text)
{
    // Inside an array, no member stands at the top level to be taken for the "snippets".
    const std::string wrapped = "[" + std::string(text) + "]";
    const JsonBuilder::Entry none = [](JsonBuilder::Json&, std::size_t) {};
    JsonBuilder builder(none);
    JsonBuilder::Json::sax_parse(wrapped, &builder);
    return std::move(builder.Result()[0]);
}

void AppendMember(nlohmann::ordered_json& object, std::string key, nlohmann::ordered_json value)
{
    using Members = nlohmann::ordered_json::object_t::Container;
    static_cast<Members&>(object.get_ref<nlohmann::ordered_json::object_t&>())
        .emplace_back(std::move(key), std::move(value));
}

} // namespace recipe
