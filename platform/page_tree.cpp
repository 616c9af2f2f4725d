#include "platform/page_tree.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

namespace platform
{

namespace fs = std::filesystem;

namespace
{

class Walk
{
public:
    Walk(const std::function<bool(std::string_view)>& wanted,
         const std::function<void(const std::string&)>& visit,
         const std::function<void(const std::string&, const std::string&)>& error)
        : wanted_(wanted), visit_(visit), error_(error)
    {
    }

    void AddRoot(const std::string& path)
    {
        std::error_code ec;
        const fs::path real = fs::canonical(path, ec);
        if (!ec)
            roots_.push_back(real);
    }

    void Root(const std::string& path)
    {
        std::error_code ec;
        const fs::file_status status = fs::status(path, ec);
        if (ec)
            error_(path, ec.message());
        else if (fs::is_directory(status))
            Folder(path);
        else
            visit_(path);
    }

private:
    bool Inside(const fs::path& real) const
    {
        return std::any_of(roots_.begin(), roots_.end(), [&](const fs::path& root) {
            const auto mismatch = std::mismatch(root.begin(), root.end(), real.begin(), real.end());
            return mismatch.first == root.end();
        });
    }

    void Folder(const fs::path& folder)
    {
        std::error_code ec;
        const fs::path real = fs::canonical(folder, ec);
        // A folder that cannot be searched, or whose name is too long to follow, holds pages
        // that would otherwise be left out without a word.
        if (ec) {
            error_(folder.string(), ec.message());
            return;
        }
        if (!seen_.insert(real.string()).second)
            return;
        std::vector<fs::directory_entry> entries;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
            entries.push_back(*it);
        if (ec) {
            error_(folder.string(), ec.message());
            return;
        }
        std::sort(entries.begin(), entries.end());
        for (const fs::directory_entry& entry : entries)
            Entry(entry);
    }

    // The folder listing already tells plain files and folders apart; only a link costs the
    // calls that find where it leads.
    void Entry(const fs::directory_entry& entry)
    {
        std::error_code ec;
        const fs::file_status own = entry.symlink_status(ec);
        if (ec) {
            error_(entry.path().string(), ec.message());
            return;
        }
        // A link that leads nowhere or outside is left out on purpose.
        if (fs::is_symlink(own)) {
            const fs::path real = fs::canonical(entry.path(), ec);
            if (ec || !Inside(real))
                return;
        }
        const fs::file_status status = fs::is_symlink(own) ? entry.status(ec) : own;
        if (ec) {
            error_(entry.path().string(), ec.message());
            return;
        }
        if (fs::is_directory(status))
            Folder(entry.path());
        else if (fs::is_regular_file(status) && wanted_(entry.path().filename().string()))
            visit_(entry.path().string());
    }

    const std::function<bool(std::string_view)>& wanted_;
    const std::function<void(const std::string&)>& visit_;
    const std::function<void(const std::string&, const std::string&)>& error_;
    std::vector<fs::path> roots_;
    std::set<std::string> seen_;
};

} // namespace

void VisitFiles(
    const std::vector<std::string>& paths, const std::function<bool(std::string_view name)>& wanted,
    const std::function<void(const std::string& path)>& visit,
    const std::function<void(const std::string& path, const std::string& reason)>& error)
{
    Walk walk(wanted, visit, error);
    for (const std::string& path : paths)
        walk.AddRoot(path);
    for (const std::string& path : paths)
        walk.Root(path);
}

} // namespace platform
