#pragma once

#include <string>

#include "tests/support/file_bytes.h"
#include "tests/support/temp_dir.h"

// The shared scratch folder, with the platform tests' shorthand for a file of given permissions.
class TempFolder : public TempDir
{
public:
    // Writes "content" to `name` with the permission bits `mode` and returns its path.
    std::string File(const std::string& name, unsigned mode) const
    {
        const std::string file = TempDir::File(name);
        WriteBytes(file, "content", mode);
        return file;
    }
    std::string Path() const { return path().string(); }
};
