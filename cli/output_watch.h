#pragma once

#include <ostream>

namespace cli
{

// Watches standard output for its first failed write and keeps the reason that write left in
// errno: a command reads pages and renames files after writing, and each call may overwrite
// errno before the end tells the user what happened.
class OutputWatch
{
public:
    explicit OutputWatch(std::ostream& out);

    // To be called after each write to the stream.
    void Check();
    // Flushes the stream. True when everything arrived; otherwise tells `err` why
    // ("sitewright-gen: cannot write to standard output: REASON") and returns false.
    bool Delivered(std::ostream& err);

private:
    std::ostream& out_;
    bool failed_ = false;
    int error_ = 0;
};

} // namespace cli
