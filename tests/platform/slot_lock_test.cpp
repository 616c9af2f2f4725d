#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
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

// The order of the slots and the cases with none to give are tested through the window slot that
// uses them; here, what the lock files do between processes. A holder that dies without letting go
// frees its slot all the same, and the file it leaves (no content, no owner to ask after) does not
// keep the slot taken.
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
    {
        const platform::SlotLock freed(folder.Path(), "instance", 2);
        EXPECT_EQ(freed.Number(), 0);
    }
    // The killed holder's file went with the next holder of its slot, and a holder that lets go
    // removes its own.
    EXPECT_EQ(FilesIn(folder), 0u);
}

} // namespace
