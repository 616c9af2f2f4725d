#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

#include "platform/bound_folder.h"
#include "platform/staged_file.h"

namespace platform
{

// Replaces many files below one folder, as a recipe run does, all or nothing where the file
// system allows: every file is staged first, the file systems holding them are flushed once,
// and only then is each moved into place, each folder being flushed once. Flushing every file
// and folder on its own is what made many small files slow.
//
// Every file is reached from the folder held, one name at a time, never through a link, at
// staging and again at the move: a folder or file swapped for a link meanwhile is refused, and
// nothing is ever written outside the folder. A target that is there must be a regular file the
// process may write, as for ReplaceFile, whose messages the refusals share.
//
// What does not hold: the moves are one rename each, so a failure among them (or a kill) leaves
// the files moved before it new and the rest old, each whole; Replaced() names the new ones.
// Staged files are closed once written, so a run must end within minutes for another process's
// ReplaceFile in the same folder not to take a waiting one for a leftover.
class StagedBatch
{
public:
    StagedBatch(const BoundFolder& root, NewFileMode mode);
    ~StagedBatch(); // discards what was staged and not moved
    StagedBatch(const StagedBatch&) = delete;
    StagedBatch& operator=(const StagedBatch&) = delete;

    // Stages `bytes` for `relative`, a path below the root folder. Throws as ReplaceFile does,
    // naming the root's path joined with `relative`; what was staged stays staged.
    void Add(const std::string& relative, std::string_view bytes);
    // Moves every staged file into place. On a failure it throws; every file not yet moved is
    // as it was and no staged file is left behind.
    void Commit();
    // The files moved into place, as the root's path joined with their relative path.
    const std::vector<std::string>& Replaced() const { return replaced_; }

private:
    struct Pending {
        std::size_t folder; // index into folders_
        std::string name, staged;
        ino_t inode;
    };

    // The folder `index`, opened afresh unless it is the one last used; `target` is the file
    // named in a failure's message.
    const BoundFolder& Folder(std::size_t index, const std::string& target);
    std::size_t FolderIndex(const std::string& relative);
    std::string Target(const Pending& p) const;
    void FlushFileSystems();
    void Move(const Pending& p);
    void DiscardPending(std::size_t from);
    void SyncMoved();

    const BoundFolder& root_;
    NewFileMode mode_;
    std::vector<std::string> folders_; // relative paths of the folders written to
    std::map<std::string, std::size_t> folderIndex_;
    std::map<dev_t, std::size_t> devices_; // a folder on each file system written to
    std::set<std::size_t> cleaned_, moved_;
    std::size_t openIndex_ = 0;
    std::unique_ptr<BoundFolder> open_; // the folder last used, as files come folder by folder
    std::vector<Pending> pending_;
    std::vector<std::string> replaced_;
};

} // namespace platform
