#include "tests/app/layout_check.h"

#include <map>
#include <set>
#include <string_view>

#include "app/page_layout.h"
#include "generators/gadget_table.h"

namespace pages
{

namespace
{

using Problems = std::vector<std::string>;
using Table = std::vector<gen::GadgetEntry>;
using Layouts = std::vector<PageLayout>;

const gen::GadgetEntry* Find(const Table& table, std::string_view id)
{
    for (const gen::GadgetEntry& gadget : table)
        if (gadget.id == id)
            return &gadget;
    return nullptr;
}

const PageLayout* Find(const Layouts& layouts, std::string_view gadget)
{
    for (const PageLayout& layout : layouts)
        if (layout.gadget == gadget)
            return &layout;
    return nullptr;
}

std::string Quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

void CheckFields(const gen::GadgetEntry& gadget, const PageLayout& layout, Problems& problems)
{
    const std::string page = "The page of " + std::string(gadget.id);
    std::map<std::string_view, int> places;
    for (const FieldRow& row : layout.fields) {
        if (!gen::FindField(gadget, row.option))
            problems.push_back(page + " places --" + std::string(row.option) + ", no field");
        ++places[row.option];
    }
    for (const gen::FieldEntry& field : gadget.fields)
        if (places[field.option] != 1)
            problems.push_back(page + " places --" + std::string(field.option) + " " +
                               std::to_string(places[field.option]) + " times");
    std::set<std::string_view> stops;
    for (std::string_view option : layout.tabOrder)
        if (!gen::FindField(gadget, option) || !stops.insert(option).second)
            problems.push_back(page + " has a stray tab stop --" + std::string(option));
    if (!layout.tabOrder.empty() && stops.size() != gadget.fields.size())
        problems.push_back(page + " leaves fields out of its tab order");
}

// Controls are found by object name, so no two may share one.
void CheckNames(const Layouts& layouts, Problems& problems)
{
    std::set<std::string_view> names;
    const auto add = [&](std::string_view name) {
        if (name.empty() || !names.insert(name).second)
            problems.push_back("The object name " + Quoted(name) + " is given twice or empty");
    };
    for (const PageLayout& layout : layouts) {
        add(layout.menuLine);
        for (const LabelRow& row : layout.labels)
            add(row.name);
        for (const FieldRow& row : layout.fields) {
            add(row.name);
            add(row.captionName);
        }
    }
}

} // namespace

std::vector<std::string> LayoutProblems(const std::vector<gen::GadgetEntry>& table,
                                        const std::vector<PageLayout>& layouts)
{
    Problems problems;
    for (const gen::GadgetEntry& gadget : table) {
        if (const PageLayout* layout = Find(layouts, gadget.id))
            CheckFields(gadget, *layout, problems);
        else
            problems.push_back("No page layout for " + std::string(gadget.id));
    }
    std::set<std::string_view> laidOut;
    for (const PageLayout& layout : layouts) {
        if (!Find(table, layout.gadget))
            problems.push_back("The page layout of " + Quoted(layout.gadget) + " has no gadget");
        if (!laidOut.insert(layout.gadget).second)
            problems.push_back("Two page layouts for " + Quoted(layout.gadget));
    }
    CheckNames(layouts, problems);
    return problems;
}

} // namespace pages
