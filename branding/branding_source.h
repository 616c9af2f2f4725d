#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace branding
{

// The section that holds the branding image.
inline constexpr const char* kBrandingImageSection = "JPG2";

// The fields of the trailer of the executable at `exePath` (title, link caption, web address,
// perhaps more or fewer), split at "|". Empty when the file has no trailer or does not exist.
// Throws std::runtime_error when the file cannot be read or its length field is below 4, and
// LimitExceeded (naming the limit) for a trailer text above kMaxTrailerText, more than
// kMaxTrailerFields fields, or a title, caption or address above its own limit.
std::vector<std::string> ReadBrandingItems(const std::string& exePath);

// The descrambled bytes of the running executable's "JPG2" section: a JPEG file, or an empty
// string when there is no such section. Searches ExeImage when it is loaded, and otherwise the
// file from the end of its program image on (platform::ProgramImageSize), reading no more of it
// than the search needs and the section itself (ExeImage stays as it was). Errors of reading
// propagate; a section above kMaxImageSectionBytes throws LimitExceeded naming the limit.
std::string ReadBrandingImage();

// What ReadBrandingItems and ReadBrandingImage refuse, for tools that write branding: a
// program branded beyond these limits would only ever show the error box. Both throw
// LimitExceeded naming the limit.
void RefuseOversizedItems(const std::vector<std::string>& items);
void RefuseOversizedImage(std::size_t bytes);

} // namespace branding
