#include "platform/staged_batch.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{

StagedBatch::StagedBatch(NewFileMode mode) : mode_(mode) {}

StagedBatch::~StagedBatch()
{
    DiscardPending();
}

void StagedBatch::Add(const std::string& target, std::string_view bytes)
{
    if (pending_.size() >= kGroupSize)
        Commit();
    // Leftovers are looked for once per folder: a folder read for every file of a thousand
    // makes the run quadratic.
    StagingSteps steps;
    steps.flush = false;
    steps.cleanFolder = cleaned_.insert(FolderOf(FollowLinks(target))).second;
    pending_.emplace_back(StageFile(target, bytes, mode_, steps), target);
}

// One flush of each file system holding a staged file: after it every staged byte is on the
// disk, so no file is moved into place torn.
void StagedBatch::FlushFileSystems()
{
    std::set<dev_t> flushed;
    for (const auto& [staged, target] : pending_) {
        const std::string folder = FolderOf(staged);
        const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            FailToCreate(target, errno, "open", folder);
        struct stat info {
        };
        const bool fresh = fstat(fd, &info) == 0 && flushed.insert(info.st_dev).second;
        const int error = fresh && syncfs(fd) != 0 ? errno : 0;
        close(fd);
        if (error != 0)
            FailToCreate(target, error, "syncfs", folder);
    }
}

void StagedBatch::Commit()
{
    try {
        FlushFileSystems();
    } catch (...) {
        DiscardPending();
        throw;
    }
    std::set<std::string> moved;
    for (std::size_t i = 0; i < pending_.size(); ++i) {
        const auto& [staged, target] = pending_[i];
        std::string folder;
        if (!MoveStagedFile(staged, target, folder)) {
            const int error = errno;
            const std::string failed = staged, failedTarget = target;
            pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(i));
            DiscardPending();
            for (const std::string& done : moved)
                SyncFolder(done);
            FailToCreate(failedTarget, error, "rename", failed);
        }
        moved.insert(folder);
    }
    pending_.clear();
    for (const std::string& folder : moved)
        SyncFolder(folder);
}

void StagedBatch::DiscardPending()
{
    for (const auto& [staged, target] : pending_)
        DiscardStagedFile(staged);
    pending_.clear();
}

} // namespace platform
