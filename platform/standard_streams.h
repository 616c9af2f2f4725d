#pragma once

namespace platform
{

// Opens /dev/null on each of standard input, output and error that the program was started
// without, before anything else opens a file. Otherwise the next file opened (a lock file, a
// staged copy of the program or of a page) would take that number, and whatever is written to
// the stream would be written into the file.
void OpenClosedStandardStreams();

} // namespace platform
