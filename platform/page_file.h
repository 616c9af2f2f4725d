#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/bound_folder.h"
#include "platform/read_only_file.h"

namespace platform
{

// A page read to be upgraded and written back, bound from the read to the write: its folder is
// held open, the page is looked up in it without following a link, and the replace goes ahead
// only while the name still leads to the very file that was read, unchanged.
//
// What holds against someone changing the tree meanwhile: nothing is written outside the
// folder held, no link is followed at the write, an edit made to the page after the read is
// never overwritten (the page is then refused and left as it is), and PAGE.orig never replaces
// anything. What does not: the page is a new file after the replace, so its other hard links
// keep the old page (OtherNames() says how many there are).
class PageFile
{
public:
    // Follows links to the page itself (the caller's tree walk allowed them), then opens its
    // folder and the page in it. Throws std::runtime_error as ReadOnlyFile does.
    explicit PageFile(const std::string& path);
    // The same for a page found under `sites`, folders as SiteFolders gives them: its folder is
    // opened from the site folder holding it one name at a time, never following a link, so a
    // folder swapped for a link since the walk is refused, and a page that now leads outside
    // every site folder is refused before anything is opened in it.
    PageFile(const std::string& path, const std::vector<std::string>& sites);

    // The real folders that pages found under `paths` may be written in: each folder given,
    // and the folder of each file given. A path that cannot be followed gives none.
    static std::vector<std::string> SiteFolders(const std::vector<std::string>& paths);

    const ReadOnlyFile& File() const { return file_; }
    // How many other names (hard links) the page had when it was read.
    std::size_t OtherNames() const;

    // Replaces the page with `after`. With `backup`, `before` (the page as read) is first kept
    // as PAGE.orig, created afresh (never over anything of that name, a dangling link
    // included) with the page's mode, owner, group and times. Throws std::runtime_error naming
    // the page and the reason when the page is no longer the file read, cannot be written or
    // PAGE.orig is there; the page is then as it is and no PAGE.orig made here stays.
    void Replace(std::string_view before, std::string_view after, bool backup) const;
    // Throws what Replace with `backup` would throw for a PAGE.orig already there; for a dry run
    // that tells beforehand which pages the real run will refuse.
    void CheckOriginalIsFree() const;

private:
    PageFile(const std::string& path, const std::string& resolved);
    PageFile(const std::string& path, const std::string& resolved,
             const std::vector<std::string>& sites);
    PageFile(const std::string& path, const std::string& resolved, BoundFolder&& folder);
    void CheckUnchanged() const;
    [[noreturn]] void ThrowOriginalIsThere() const;
    struct stat KeepOriginal(std::string_view before) const;
    void RemoveOriginal(const struct stat& made) const;

    std::string path_;
    std::string name_;
    BoundFolder folder_;
    ReadOnlyFile file_;
};

} // namespace platform
