#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform
{

// Visits the files named by `paths`: a file as it is, a folder with every file under it whose
// name `wanted` accepts. A symbolic link is followed only where it leads inside one of the
// given paths, and no folder is visited twice, so a link loop ends and nothing outside is read.
// Files come in name order within a folder. `visit` gets each file's path as found (beginning
// with the given path), and `error` each path that cannot be read, with the reason: a folder
// that cannot be listed or searched, or whose name is too long to follow, is such a path. A
// link leading nowhere or outside the given paths is left out without one.
void VisitFiles(
    const std::vector<std::string>& paths, const std::function<bool(std::string_view name)>& wanted,
    const std::function<void(const std::string& path)>& visit,
    const std::function<void(const std::string& path, const std::string& reason)>& error);

} // namespace platform
