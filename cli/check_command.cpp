#include "cli/check_command.h"

#include <nlohmann/json.hpp>
#include <set>
#include <sys/stat.h>
#include <utility>

#include "cli/exit_status.h"
#include "cli/output_watch.h"
#include "platform/page_file.h"
#include "platform/page_tree.h"
#include "platform/quoted_name.h"
#include "platform/read_only_file.h"
#include "sitecheck/page_finder.h"
#include "sitecheck/page_upgrade.h"
#include "sitecheck/unified_diff.h"
#include "sitecheck/upgrade_file.h"

namespace cli
{

namespace
{

constexpr std::int64_t kLargestPage = 16 * 1024 * 1024;

constexpr const char* kCheckUsage =
    "Usage: sitewright-gen check [--json] [--upgrade [--dry-run] [--no-backup]] PATH...\n"
    "Finds the snippets of Sitewright's gadgets in HTML pages (PATH is a page or a folder,\n"
    "searched for .html, .htm, .shtml, .php and .asp files) and reports each as\n"
    "FILE:LINE: GADGET (EDITION): STATUS: what it does in today's browsers.\n"
    "  --json       one JSON object per finding per line instead\n"
    "  --upgrade    replace each snippet that does not fully work by its today's edition,\n"
    "               keeping the page as it was in PAGE.orig (a page that has one is refused);\n"
    "               a page changed or swapped for a link after it was read is left as it is,\n"
    "               and one with hard links is written as a new file (the links keep the old)\n"
    "  --dry-run    with --upgrade: print a unified diff of the changes, write nothing\n"
    "  --no-backup  with --upgrade: keep no PAGE.orig\n"
    "Exit status: 0 when every finding works, 1 when any does not fully work, 2 on a usage\n"
    "or reading error.\n";

struct Options {
    bool json = false, upgrade = false, dryRun = false, noBackup = false, help = false;
    std::vector<std::string> paths;
};

struct Tally {
    std::size_t pages = 0, findings = 0, works = 0, partly = 0, broken = 0;
    bool readError = false;
    // The pages met so far, by device and inode: a page reached under a second name (given
    // twice, given and in a folder given, or through a link) is checked under the first only.
    std::set<std::pair<dev_t, ino_t>> seen;
};

bool FirstMeeting(const struct stat& info, Tally& tally)
{
    return tally.seen.emplace(info.st_dev, info.st_ino).second;
}

bool IsPageName(std::string_view name)
{
    for (const std::string_view ext : {".html", ".htm", ".shtml", ".php", ".asp"})
        if (name.size() > ext.size() && name.substr(name.size() - ext.size()) == ext)
            return true;
    return false;
}

std::optional<Options> Parse(const std::vector<std::string>& args, std::ostream& err)
{
    Options o;
    bool optionsEnd = false;
    for (const std::string& arg : args) {
        if (optionsEnd)
            o.paths.push_back(arg);
        else if (arg == "--")
            optionsEnd = true; // what follows is a path, even one that begins with '-'
        else if (arg == "--json")
            o.json = true;
        else if (arg == "--upgrade")
            o.upgrade = true;
        else if (arg == "--dry-run")
            o.dryRun = true;
        else if (arg == "--no-backup")
            o.noBackup = true;
        else if (arg == "--help")
            o.help = true;
        else if (arg.size() > 1 && arg[0] == '-') {
            err << "sitewright-gen: check has no option " << arg << "\n";
            return std::nullopt;
        } else
            o.paths.push_back(arg);
    }
    if (!o.help && o.paths.empty())
        err << "sitewright-gen: check needs a page or a folder (see: sitewright-gen check "
               "--help)\n";
    else if ((o.dryRun || o.noBackup) && !o.upgrade)
        err << "sitewright-gen: --dry-run and --no-backup go with --upgrade\n";
    else
        return o;
    return std::nullopt;
}

// A name that is not UTF-8 cannot stand in JSON text as it is: "file" then holds it with each
// such byte replaced, and "file_bytes" its bytes, so it can be found again.
nlohmann::ordered_json FileBytes(const std::string& path)
{
    nlohmann::ordered_json bytes = nlohmann::ordered_json::array();
    for (const char c : path)
        bytes.push_back(static_cast<unsigned char>(c));
    return bytes;
}

std::string JsonLine(const std::string& path, const sitecheck::Finding& f)
{
    nlohmann::ordered_json values = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < f.gadget->fields.size(); ++i)
        values[std::string(f.gadget->fields[i].option)] = f.values[i];
    nlohmann::ordered_json line = {
        {"file", path},
        {"line", f.line},
        {"gadget", f.gadget->id},
        {"edition", gen::EditionName(f.edition)},
        {"status", gen::SupportWord(sitecheck::StatusOf(f))},
        {"values", values},
        {"stamped", f.stamped},
        {"edited", f.edited ? nlohmann::ordered_json(*f.edited) : nlohmann::ordered_json()},
    };
    if (!platform::IsPlainName(path))
        line["file_bytes"] = FileBytes(path);
    // A page's bytes need not be UTF-8; they must not end the report.
    return line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

void Report(const std::string& path, const sitecheck::Finding& f, const Options& o,
            std::ostream& out, Tally& tally)
{
    const gen::Support status = sitecheck::StatusOf(f);
    ++tally.findings;
    ++(status == gen::Support::Works    ? tally.works
       : status == gen::Support::Partly ? tally.partly
                                        : tally.broken);
    if (o.json) {
        out << JsonLine(path, f) << '\n';
        return;
    }
    const gen::Compatibility& c = f.gadget->compatibility;
    out << platform::ShellQuotedName(path) << ':' << f.line << ": " << f.gadget->id << " ("
        << gen::EditionName(f.edition) << "): " << gen::SupportWord(status) << ": "
        << (f.edition == gen::Edition::Classic ? c.sentence : c.todaySentence) << '\n';
}

void Write(const platform::PageFile& file, const std::string& path, std::string_view before,
           const std::string& after, const Options& o, std::ostream& err, Tally& tally)
{
    try {
        sitecheck::WriteUpgradedPage(file, before, after, !o.noBackup);
        // The upgraded page is a new file; a link to it further on is still this page.
        FirstMeeting(platform::ReadOnlyFile(path).Info(), tally);
        // The upgraded page is a new file: a hard link cannot follow it, and says so.
        if (const std::size_t others = file.OtherNames())
            err << "sitewright-gen: " << platform::ShellQuotedName(path)
                << ": upgraded as a new file; its " << others
                << " other hard link(s) keep the page as it was\n";
    } catch (const std::exception& e) {
        err << "sitewright-gen: " << e.what() << '\n';
        tally.readError = true;
    }
}

// The diff of what the real run will write, and the refusal and notice it will give instead.
void Preview(const platform::PageFile& file, const std::string& path, std::string_view page,
             const std::vector<sitecheck::PageEdit>& edits, const Options& o, std::ostream& out,
             std::ostream& err, Tally& tally)
{
    try {
        if (!o.noBackup)
            file.CheckOriginalIsFree();
    } catch (const std::exception& e) {
        err << "sitewright-gen: " << e.what() << '\n';
        tally.readError = true;
        return;
    }
    sitecheck::WriteUnifiedDiff(out, page, edits, path);
    if (const std::size_t others = file.OtherNames())
        err << "sitewright-gen: " << platform::ShellQuotedName(path)
            << ": would be upgraded as a new file; its " << others
            << " other hard link(s) would keep the page as it was\n";
}

void Upgrade(const platform::PageFile& file, const std::string& path, const std::string& page,
             const std::vector<sitecheck::Finding>& findings, const Options& o, std::ostream& out,
             std::ostream& err, Tally& tally)
{
    // A dry run needs only the edits: the upgraded page is not built, and the diff goes out a
    // line at a time, so the memory it takes does not grow with the diff.
    const sitecheck::PageUpgrade u =
        o.dryRun ? sitecheck::PlanUpgrade(page, findings) : sitecheck::UpgradePage(page, findings);
    for (const sitecheck::LeftAlone& l : u.leftAlone)
        err << platform::ShellQuotedName(path) << ':' << l.finding->line << ": "
            << l.finding->gadget->id << ": " << l.reason << '\n';
    if (u.edits.empty())
        return;
    if (o.dryRun)
        Preview(file, path, page, u.edits, o, out, err, tally);
    else
        Write(file, path, page, u.page, o, err, tally);
}

// `sites` are the real folders an upgrade may write in (PageFile::SiteFolders).
void CheckPage(const std::string& path, const std::vector<std::string>& sites, const Options& o,
               std::ostream& out, std::ostream& err, Tally& tally, OutputWatch& watch)
{
    std::string page;
    // Held to the write, so that an upgrade replaces the very file read; a check that writes
    // nothing does not pay for holding the page's folder.
    std::optional<platform::PageFile> bound;
    std::optional<platform::ReadOnlyFile> plain;
    try {
        const platform::ReadOnlyFile& file =
            o.upgrade ? bound.emplace(path, sites).File() : plain.emplace(path);
        if (!FirstMeeting(file.Info(), tally))
            return;
        if (file.Size() > kLargestPage) {
            err << "sitewright-gen: " << platform::ShellQuotedName(path)
                << ": skipped: larger than 16 MB\n";
            tally.readError = true;
            return;
        }
        page = file.ReadAll();
    } catch (const std::exception& e) {
        err << "sitewright-gen: " << e.what() << '\n';
        tally.readError = true;
        return;
    }
    ++tally.pages;
    if (!sitecheck::MayHoldSnippet(page))
        return;
    const std::vector<sitecheck::Finding> findings = sitecheck::PageFinder(page).Find();
    for (const sitecheck::Finding& f : findings)
        Report(path, f, o, out, tally);
    // Before the upgrade's own calls leave other reasons in errno.
    watch.Check();
    if (o.upgrade)
        Upgrade(*bound, path, page, findings, o, out, err, tally);
}

} // namespace

int RunCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const std::optional<Options> o = Parse(args, err);
    if (!o)
        return kExitUsage;
    OutputWatch watch(out);
    if (o->help) {
        out << kCheckUsage;
        return watch.Delivered(err) ? kExitOk : kExitFailure;
    }
    Tally tally;
    const std::vector<std::string> sites =
        o->upgrade ? platform::PageFile::SiteFolders(o->paths) : std::vector<std::string>();
    platform::VisitFiles(
        o->paths, IsPageName,
        [&](const std::string& path) {
            CheckPage(path, sites, *o, out, err, tally, watch);
            watch.Check();
        },
        [&](const std::string& path, const std::string& reason) {
            err << "sitewright-gen: cannot read " << platform::ShellQuotedName(path) << ": "
                << reason << '\n';
            tally.readError = true;
        });
    if (!o->json && !(o->upgrade && o->dryRun))
        out << tally.findings << " findings in " << tally.pages << " pages: " << tally.works
            << " work, " << tally.partly << " partly, " << tally.broken << " do not work\n";
    if (!watch.Delivered(err) || tally.readError)
        return kExitUsage;
    return tally.partly + tally.broken > 0 ? kExitFailure : kExitOk;
}

} // namespace cli
