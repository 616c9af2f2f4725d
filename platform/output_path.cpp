#include "platform/output_path.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

#include "platform/file_system.h"

namespace platform
{

namespace
{

std::string Quoted(const std::filesystem::path& path)
{
    return "\"" + path.generic_string() + "\"";
}

std::string PartProblem(const std::string& full, const std::filesystem::path& shown, bool last)
{
    struct stat info {
    };
    if (lstat(full.c_str(), &info) != 0) {
        if (errno == ENOENT && last)
            return {};
        if (errno == ENOENT)
            return "the folder " + Quoted(shown) + " does not exist";
        return "cannot look at " + Quoted(shown) + ": " + std::strerror(errno);
    }
    if (S_ISLNK(info.st_mode))
        return Quoted(shown) + " is a symbolic link, which could lead out of the recipe's folder";
    if (!last && !S_ISDIR(info.st_mode))
        return Quoted(shown) + " is not a folder";
    if (last && !S_ISREG(info.st_mode))
        return Quoted(shown) + " is " + FileKindName(info.st_mode) + ", not a regular file";
    return {};
}

} // namespace

std::string OutputPathProblem(const std::string& folder, const std::string& relative)
{
    const std::filesystem::path path = std::filesystem::path(relative).lexically_normal();
    std::filesystem::path shown;
    std::string full = folder.empty() ? std::string(".") : folder;
    auto part = path.begin();
    while (part != path.end()) {
        const std::filesystem::path name = *part++;
        shown /= name;
        full += "/" + name.string();
        const std::string problem = PartProblem(full, shown, part == path.end());
        if (!problem.empty())
            return problem;
    }
    return {};
}

} // namespace platform
