#include "generators/stamp.h"

#include <charconv>
#include <cstring>

namespace gen
{

namespace
{

constexpr std::string_view kFormat = "1";
constexpr std::string_view kEnd = " -->";
constexpr std::string_view kBlanks = " \t\r";

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// '-' is always encoded, so no value can put "--" or a comment end into the line; '%' and
// everything outside printable ASCII too, so any bytes come back whole.
bool KeptAsIs(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::strchr("._~/:?#@!$&'()*+,;=", c) != nullptr;
}

std::string Encoded(std::string_view value)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : value) {
        const auto c = static_cast<unsigned char>(ch);
        if (c != 0 && KeptAsIs(c)) {
            out += ch;
            continue;
        }
        out += '%';
        out += kHex[c >> 4];
        out += kHex[c & 0x0F];
    }
    return out;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<std::string> Decoded(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            if (!KeptAsIs(static_cast<unsigned char>(text[i])))
                return std::nullopt;
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const int high = HexDigit(text[i + 1]);
        const int low = HexDigit(text[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::vector<std::string_view> Words(std::string_view text)
{
    std::vector<std::string_view> words;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t space = std::min(text.find(' ', start), text.size());
        words.push_back(text.substr(start, space - start));
        start = space + 1;
    }
    return words;
}

template <typename T> bool ParseNumber(std::string_view text, T& out, int base)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out, base);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

bool TakeNamed(std::string_view word, std::string_view name, std::string_view& value)
{
    if (word.size() <= name.size() || word.substr(0, name.size()) != name ||
        word[name.size()] != '=')
        return false;
    value = word.substr(name.size() + 1);
    return true;
}

std::string HexSum(std::uint64_t sum)
{
    char text[17] = {};
    std::to_chars(text, text + 16, sum, 16);
    const std::string digits(text);
    return std::string(16 - digits.size(), '0') + digits;
}

} // namespace

std::uint64_t SnippetSum(const std::vector<std::string_view>& lines)
{
    // FNV-1a: a slip of the hand changes it; it guards against edits, not against forgery.
    std::uint64_t sum = 14695981039346656037ULL;
    const auto add = [&sum](unsigned char c) {
        sum ^= c;
        sum *= 1099511628211ULL;
    };
    for (const std::string_view line : lines) {
        for (const char c : Trimmed(line))
            add(static_cast<unsigned char>(c));
        add('\n');
    }
    return sum;
}

std::string StampLine(const GadgetEntry& gadget, const FieldValues& values, Edition edition,
                      const CodeBuffer& code)
{
    std::vector<std::string_view> lines;
    for (std::size_t i = 0; i < code.Count(); ++i)
        lines.push_back(code.Line(i));
    std::string line = std::string(kStampStart) + " " + std::string(kFormat) + " " +
                       std::string(gadget.id) + " " + std::string(EditionName(edition)) +
                       " lines=" + std::to_string(lines.size()) +
                       " sum=" + HexSum(SnippetSum(lines));
    for (std::size_t i = 0; i < gadget.fields.size() && i < values.size(); ++i)
        line += " " + std::string(gadget.fields[i].option) + "=" + Encoded(values[i]);
    return line + std::string(kEnd);
}

CodeBuffer StampedEdition(const GadgetEntry& gadget, const FieldValues& values, Edition edition)
{
    const CodeBuffer code = GenerateEdition(gadget, values, edition);
    CodeBuffer stamped;
    stamped.Append(StampLine(gadget, values, edition, code));
    for (std::size_t i = 0; i < code.Count(); ++i)
        stamped.Append(code.Line(i));
    return stamped;
}

std::optional<Stamp> ReadStamp(std::string_view line)
{
    line = Trimmed(line);
    if (line.substr(0, kStampStart.size()) != kStampStart || line.size() < kEnd.size() ||
        line.substr(line.size() - kEnd.size()) != kEnd)
        return std::nullopt;
    const std::string_view inner =
        line.substr(kStampStart.size() + 1, line.size() - kStampStart.size() - 1 - kEnd.size());
    const std::vector<std::string_view> words = Words(inner);
    Stamp stamp;
    std::string_view lines, sum;
    if (words.size() < 5 || words[0] != kFormat || !TakeNamed(words[3], "lines", lines) ||
        !TakeNamed(words[4], "sum", sum) || !ParseNumber(lines, stamp.lineCount, 10) ||
        sum.size() != 16 || !ParseNumber(sum, stamp.sum, 16))
        return std::nullopt;
    const std::optional<Edition> edition = ParseEdition(words[2]);
    if (!edition)
        return std::nullopt;
    stamp.gadget = std::string(words[1]);
    stamp.edition = *edition;
    for (std::size_t i = 5; i < words.size(); ++i) {
        const std::size_t equals = words[i].find('=');
        std::optional<std::string> value;
        if (equals == 0 || equals == std::string_view::npos ||
            !(value = Decoded(words[i].substr(equals + 1))))
            return std::nullopt;
        stamp.values.emplace_back(std::string(words[i].substr(0, equals)), *value);
    }
    return stamp;
}

std::optional<FieldValues> StampedValues(const Stamp& stamp)
{
    const GadgetEntry* gadget = FindGadget(stamp.gadget);
    if (!gadget)
        return std::nullopt;
    FieldValues values = DefaultValues(*gadget);
    for (const auto& [option, value] : stamp.values)
        for (std::size_t i = 0; i < gadget->fields.size(); ++i)
            if (gadget->fields[i].option == option)
                values[i] = value;
    return values;
}

} // namespace gen
