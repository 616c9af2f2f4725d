#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <memory>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/slot_lock.h"
#include "temp_folder.h"

namespace
{

std::size_t FilesIn(const TempFolder& folder)
{
    const std::filesystem::directory_iterator files(folder.path());
    return static_cast<std::size_t>(std::distance(begin(files), end(files)));
}

TEST(SlotLock, TakesTheLowestFreeSlotAndLeavesNoFileBehind)
{
    TempFolder folder;
    {
        auto first = std::make_unique<platform::SlotLock>(folder.Path(), "instance", 3);
        const platform::SlotLock second(folder.Path(), "instance", 3);
        EXPECT_EQ(first->Number(), 0);
        EXPECT_EQ(second.Number(), 1);
        first.reset();
        const platform::SlotLock third(folder.Path(), "instance", 3);
        const platform::SlotLock fourth(folder.Path(), "instance", 3);
        const platform::SlotLock none(folder.Path(), "instance", 3);
        EXPECT_EQ(third.Number(), 0);
        EXPECT_EQ(fourth.Number(), 2);
        EXPECT_EQ(none.Number(), -1);
        EXPECT_EQ(FilesIn(folder), 3u);
    }
    EXPECT_EQ(FilesIn(folder), 0u);
    EXPECT_EQ(platform::SlotLock("", "instance", 3).Number(), -1);
    EXPECT_EQ(platform::SlotLock(folder.Path() + "/missing", "instance", 3).Number(), -1);
}

// A holder that dies without letting go frees its slot all the same, and the file it leaves
// (no content, no owner to ask after) does not keep the slot taken.
TEST(SlotLock, AKilledHolderFreesItsSlot)
{
    TempFolder folder;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const platform::SlotLock held(folder.Path(), "instance", 2);
        const char number = static_cast<char>('0' + held.Number());
        if (write(ready[1], &number, 1) != 1)
            _exit(1);
        pause(); // until killed
        _exit(0);
    }
    close(ready[1]);
    char number = 0;
    ASSERT_EQ(read(ready[0], &number, 1), 1);
    close(ready[0]);
    EXPECT_EQ(number, '0');
    {
        const platform::SlotLock taken(folder.Path(), "instance", 2);
        EXPECT_EQ(taken.Number(), 1);
    }
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    const platform::SlotLock freed(folder.Path(), "instance", 2);
    EXPECT_EQ(freed.Number(), 0);
}

} // namespace
