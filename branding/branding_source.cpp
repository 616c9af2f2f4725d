#include "branding/branding_source.h"

#include "branding/appended_data.h"
#include "branding/section_format.h"
#include "branding/trailer_text.h"

namespace branding
{

std::vector<std::string> ReadBrandingItems(const std::string& exePath)
{
    std::string text;
    ReadTrailer(exePath, text);
    std::vector<std::string> items;
    SplitFields('|', text, &items);
    return items;
}

std::string ReadBrandingImage()
{
    return DescrambleText(ExtractSection(kBrandingImageSection));
}

} // namespace branding
