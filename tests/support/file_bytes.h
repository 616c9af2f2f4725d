#pragma once

#include <optional>
#include <string>
#include <string_view>

// The bytes of the file at `path`; empty when it cannot be read.
std::string ReadBytes(const std::string& path);

// Replaces the file at `path` with `bytes`, then gives it the permission bits `mode` when one is
// given. Throws std::runtime_error when the file cannot be written.
void WriteBytes(const std::string& path, std::string_view bytes,
                std::optional<unsigned> mode = std::nullopt);
