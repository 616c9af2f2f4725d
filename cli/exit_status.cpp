#include "cli/exit_status.h"

#include <cerrno>
#include <cstring>

namespace cli
{

// The text is only known to have arrived once the stream has been flushed without error; a
// full disk or a closed pipe must not end in a success status.
// The reason is the one the failed write left in errno, which the dispatcher clears first, so a
// full disk, a closed stream and a closed pipe each say what happened.
int Delivered(std::ostream& out, std::ostream& err)
{
    out.flush();
    if (out)
        return kExitOk;
    const int error = errno;
    err << "sitewright-gen: cannot write to standard output: "
        << (error ? std::strerror(error) : "the stream refused the text") << '\n';
    return kExitFailure;
}

} // namespace cli
