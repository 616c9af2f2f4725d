#include "tests/support/ordinary_user.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;

void HandOver(const std::filesystem::path& scratch)
{
    if (chown(scratch.c_str(), kNobody, kNogroup) != 0)
        return;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(scratch))
        if (lchown(entry.path().c_str(), kNobody, kNogroup) != 0)
            return;
}

} // namespace

int AsOrdinaryUser(const std::filesystem::path& scratch, const std::function<int()>& body)
{
    if (geteuid() != 0)
        return body();
    HandOver(scratch);
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        // Groups first: once the user is changed, they can no longer be dropped.
        if (setgroups(0, nullptr) != 0 || setgid(kNogroup) != 0 || setuid(kNobody) != 0)
            _exit(255);
        _exit(body());
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 255)
        return -1;
    return WEXITSTATUS(status);
}
