#include "platform/staged_batch.h"

#include <cerrno>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/write_hook.h"

namespace platform
{

StagedBatch::StagedBatch(const BoundFolder& root, NewFileMode mode) : root_(root), mode_(mode) {}

StagedBatch::~StagedBatch()
{
    DiscardPending(0);
}

std::size_t StagedBatch::FolderIndex(const std::string& relative)
{
    const auto [it, added] = folderIndex_.emplace(relative, folders_.size());
    if (added)
        folders_.push_back(relative);
    return it->second;
}

// Opened afresh from the root for each new folder, so what is reached is what the names lead
// to without links now, not what a path led to when checked.
const BoundFolder& StagedBatch::Folder(std::size_t index, const std::string& target)
{
    if (!open_ || openIndex_ != index) {
        open_.reset();
        open_ = std::make_unique<BoundFolder>(root_, folders_[index], target);
        openIndex_ = index;
    }
    return *open_;
}

std::string StagedBatch::Target(const Pending& p) const
{
    const std::string& folder = folders_[p.folder];
    return root_.PathOf(folder.empty() ? p.name : folder + "/" + p.name);
}

void StagedBatch::Add(const std::string& relative, std::string_view bytes)
{
    const std::string target = root_.PathOf(relative);
    RunWriteHook(target);
    const std::size_t slash = relative.rfind('/');
    Pending p{FolderIndex(slash == std::string::npos ? "" : relative.substr(0, slash)),
              relative.substr(slash == std::string::npos ? 0 : slash + 1),
              {},
              0};
    const BoundFolder& folder = Folder(p.folder, target);
    struct stat old {
    }, staged{};
    const bool exists = folder.CheckTarget(p.name, old, mode_, target);
    // Leftovers are looked for once per folder: a folder read for every file of a thousand
    // makes the run quadratic.
    if (cleaned_.insert(p.folder).second)
        folder.Clean();
    p.staged = folder.Stage(bytes, exists ? &old : nullptr, mode_, false, target, staged);
    p.inode = staged.st_ino;
    devices_.emplace(staged.st_dev, p.folder);
    pending_.push_back(std::move(p));
}

// One flush of each file system holding a staged file: after it every staged byte is on the
// disk, so no file is moved into place torn.
void StagedBatch::FlushFileSystems()
{
    for (const auto& [device, index] : devices_) {
        const BoundFolder& folder = Folder(index, root_.PathOf(folders_[index]));
        if (syncfs(folder.Descriptor()) != 0)
            FailToCreate(root_.PathOf(folders_[index]), errno, "syncfs", folder.Path());
    }
}

// The staged file must still be the one written, in the folder reached now, and the target a
// regular file or nothing: a link put there is refused, not replaced.
void StagedBatch::Move(const Pending& p)
{
    const std::string target = Target(p);
    const BoundFolder& folder = Folder(p.folder, target);
    struct stat info {
    };
    if (!folder.Look(p.staged, info, target) || info.st_ino != p.inode)
        FailToCreate(target, ENOENT, "rename", folder.PathOf(p.staged));
    folder.CheckTarget(p.name, info, mode_, target);
    folder.Move(p.staged, p.name, target);
}

void StagedBatch::Commit()
{
    // Every folder is reached again from the root: one renamed or swapped since staging is
    // not the folder checked.
    open_.reset();
    std::size_t done = 0;
    try {
        FlushFileSystems();
        for (; done < pending_.size(); ++done) {
            Move(pending_[done]);
            replaced_.push_back(Target(pending_[done]));
            moved_.insert(pending_[done].folder);
        }
    } catch (...) {
        DiscardPending(done);
        SyncMoved();
        throw;
    }
    pending_.clear();
    SyncMoved();
}

void StagedBatch::SyncMoved()
{
    for (const std::size_t index : moved_) {
        try {
            Folder(index, root_.PathOf(folders_[index])).Sync();
        } catch (const std::exception&) {
            // A folder that can no longer be reached is flushed by the system in its time.
        }
    }
}

void StagedBatch::DiscardPending(std::size_t from)
{
    for (std::size_t i = from; i < pending_.size(); ++i) {
        try {
            Folder(pending_[i].folder, Target(pending_[i])).Discard(pending_[i].staged);
        } catch (const std::exception&) {
            // A folder that can no longer be reached keeps its staged file for the next
            // ReplaceFile there to remove.
        }
    }
    pending_.clear();
}

} // namespace platform
