#pragma once

#include <string>

namespace platform
{

// True when `folder` is the running user's to write files into: an existing folder that the
// effective user owns and may create files in, on a writable mount, and outside the system's
// program folders (/usr, /bin, /sbin, /lib*, /opt, /etc, /boot, /snap), which root owns and
// could write but which belong to the package manager.
bool FolderIsUsersToWrite(const std::string& folder);

// The user's own folder for files that live no longer than a session, with a trailing '/':
// <runtime>/sitewright/, where <runtime> is $XDG_RUNTIME_DIR when it names an absolute folder
// the user owns, else the cache folder ($XDG_CACHE_HOME when absolute, else $HOME/.cache).
// Missing folders are made, readable by the user alone. Throws std::runtime_error naming the
// folder when it cannot be made or is not a folder the user owns.
std::string UserRuntimeFolder();

} // namespace platform
