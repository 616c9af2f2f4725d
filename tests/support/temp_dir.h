#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object ends. Throws std::runtime_error when the folder cannot be made, so no test ever works
// in a folder it does not own.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // The path of `name` inside the folder.
    std::string File(const std::string& name) const;

    // Writes `bytes` to `name` inside the folder and returns its path.
    std::string Write(const std::string& name, std::string_view bytes) const;

private:
    std::filesystem::path path_;
};
