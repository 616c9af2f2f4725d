#include "cli/output_watch.h"

#include <cerrno>
#include <cstring>

namespace cli
{

OutputWatch::OutputWatch(std::ostream& out) : out_(out)
{
    // A reason left over from an earlier call must not pass for the write's.
    errno = 0;
}

void OutputWatch::Check()
{
    if (!out_ && !failed_) {
        failed_ = true;
        error_ = errno;
    }
}

bool OutputWatch::Delivered(std::ostream& err)
{
    // A write that failed since the last look left its reason in errno.
    Check();
    if (!failed_) {
        errno = 0;
        out_.flush();
        Check();
    }
    if (!failed_)
        return true;
    err << "sitewright-gen: cannot write to standard output: "
        << (error_ ? std::strerror(error_) : "the stream refused the text") << '\n';
    return false;
}

} // namespace cli
