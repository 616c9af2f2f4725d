#include "cli/from_command.h"

#include <nlohmann/json.hpp>

#include "cli/gen_command.h"
#include "platform/read_only_file.h"
#include "sitecheck/page_finder.h"

namespace cli
{

namespace
{

constexpr std::int64_t kLargestFile = 16 * 1024 * 1024;

// One recipe entry: the gadget, its edition and its values by option.
nlohmann::ordered_json Entry(const sitecheck::Finding& f)
{
    nlohmann::ordered_json values = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < f.gadget->fields.size(); ++i)
        values[std::string(f.gadget->fields[i].option)] = f.values[i];
    return {{"gadget", f.gadget->id},
            {"edition", gen::EditionName(f.edition)},
            {"values", std::move(values)}};
}

std::string ReadFile(const std::string& path)
{
    const platform::ReadOnlyFile file(path);
    if (file.Size() > kLargestFile)
        throw std::runtime_error(path + " is larger than 16 MB");
    return file.ReadAll();
}

} // namespace

int RunFrom(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 1) {
        err << "sitewright-gen: --from takes one file\n";
        return kExitUsage;
    }
    std::string text;
    try {
        text = ReadFile(args[0]);
    } catch (const std::exception& e) {
        err << "sitewright-gen: " << e.what() << '\n';
        return kExitUsage;
    }
    nlohmann::ordered_json snippets = nlohmann::ordered_json::array();
    for (const sitecheck::Finding& f : sitecheck::PageFinder(text).Find())
        if (f.stamped)
            snippets.push_back(Entry(f));
    if (snippets.empty()) {
        err << "sitewright-gen: " << args[0] << " holds no stamped snippet\n";
        return kExitFailure;
    }
    const nlohmann::ordered_json recipe = {{"format", 1}, {"snippets", std::move(snippets)}};
    // A stamped value need not be UTF-8; JSON must be.
    out << recipe.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    out.flush();
    return out ? kExitOk : kExitFailure;
}

} // namespace cli
