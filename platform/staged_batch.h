#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/staged_file.h"

namespace platform
{

// Replaces many files, each exactly as ReplaceFile does (whole or not at all, the same
// refusals, the same messages), but made durable together: a group of files is staged, their
// file systems are flushed once, each file is moved into place, and each folder is flushed
// once. Flushing every file and folder on its own is what made many small files slow.
//
// A group holds at most kGroupSize staged files, each with an open descriptor, so a long run
// stays far from the process's limit on open files. A failure throws as ReplaceFile does; every
// file not yet moved into place stays as it was, and no staged file is left behind.
class StagedBatch
{
public:
    static constexpr std::size_t kGroupSize = 256;

    explicit StagedBatch(NewFileMode mode);
    ~StagedBatch(); // discards what was staged and not committed
    StagedBatch(const StagedBatch&) = delete;
    StagedBatch& operator=(const StagedBatch&) = delete;

    // Stages `bytes` for `target`; a full group is committed first.
    void Add(const std::string& target, std::string_view bytes);
    // Moves every staged file into place.
    void Commit();

private:
    void FlushFileSystems();
    void DiscardPending();

    NewFileMode mode_;
    std::vector<std::pair<std::string, std::string>> pending_; // staged file, target
    std::set<std::string> cleaned_;                            // folders already cleaned
};

} // namespace platform
