#include "appended/branding_source.h"

#include "appended/appended_data.h"
#include "appended/section_format.h"
#include "appended/trailer_text.h"

namespace appended
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

} // namespace appended
