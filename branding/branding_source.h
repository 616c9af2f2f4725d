#pragma once

#include <string>
#include <vector>

namespace branding
{

// The section that holds the branding image.
inline constexpr const char* kBrandingImageSection = "JPG2";

// The fields of the trailer of the executable at `exePath` (title, link caption, web address,
// perhaps more or fewer), split at "|". Empty when the file has no trailer or does not exist.
// Throws std::runtime_error when the file cannot be read or its length field is below 4.
std::vector<std::string> ReadBrandingItems(const std::string& exePath);

// The descrambled bytes of the running executable's "JPG2" section: a JPEG file, or an empty
// string when there is no such section. Errors of loading ExeImage propagate.
std::string ReadBrandingImage();

} // namespace branding
