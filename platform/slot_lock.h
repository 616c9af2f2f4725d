#pragma once

#include <string>
#include <string_view>

namespace platform
{

// One of a few numbered slots that running programs share: slot n is held by whoever holds an
// exclusive flock(2) on "<folder>/<stem>-<n>.lock". The kernel drops the lock when the holder's
// descriptor closes, also when the program dies, so a slot is never left stale and its file
// needs no content: taking a slot writes nothing and waits for no disk. A holder removes its
// file when it lets go, so a folder with no holders has no lock files.
class SlotLock
{
public:
    // Takes the lowest slot of 0..slots-1 that nobody holds. When every slot is held, or the
    // folder cannot hold lock files, the object holds nothing and Number() is -1.
    SlotLock(const std::string& folder, std::string_view stem, int slots);
    ~SlotLock();
    SlotLock(const SlotLock&) = delete;
    SlotLock& operator=(const SlotLock&) = delete;

    int Number() const { return number_; }

private:
    int fd_ = -1;
    int number_ = -1;
    std::string path_;
};

} // namespace platform
