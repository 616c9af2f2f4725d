#include "branding/branding_source.h"

#include <string_view>

#include "branding/appended_data.h"
#include "branding/section_format.h"
#include "branding/start_up_limits.h"
#include "branding/trailer_text.h"
#include "platform/exe_image.h"
#include "platform/executable_path.h"
#include "platform/program_image.h"
#include "platform/read_only_file.h"

namespace branding
{

namespace
{

struct ItemLimit {
    const char* role;
    std::size_t bytes;
};

constexpr ItemLimit kItemLimits[] = {{"title", kMaxTitleBytes},
                                     {"link caption", kMaxCaptionBytes},
                                     {"web address", kMaxAddressBytes}};

} // namespace

void RefuseOversizedItems(const std::vector<std::string>& items)
{
    if (items.size() > kMaxTrailerFields)
        throw LimitExceeded("The branding trailer has " + std::to_string(items.size()) +
                            " fields; at most " + std::to_string(kMaxTrailerFields) + " are read.");
    for (std::size_t i = 0; i < items.size() && i < std::size(kItemLimits); ++i) {
        if (items[i].size() > kItemLimits[i].bytes)
            throw LimitExceeded(std::string("The branding ") + kItemLimits[i].role + " holds " +
                                std::to_string(items[i].size()) + " bytes; at most " +
                                std::to_string(kItemLimits[i].bytes) + " are shown.");
    }
}

void RefuseOversizedImage(std::size_t bytes)
{
    if (bytes > kMaxImageSectionBytes)
        throw LimitExceeded("The branding image section holds " + std::to_string(bytes) +
                            " bytes; at most " + std::to_string(kMaxImageSectionBytes) +
                            " are read.");
}

std::vector<std::string> ReadBrandingItems(const std::string& exePath)
{
    std::string text;
    ReadTrailer(exePath, text, kMaxTrailerText);
    std::vector<std::string> items;
    SplitFields('|', text, &items);
    RefuseOversizedItems(items);
    return items;
}

std::string ReadBrandingImage()
{
    SectionSpan span;
    std::string bytes;
    const std::string_view image = platform::ExeImage();
    // Unless the relocation has loaded the executable already, only the section is read from it,
    // so the appended data is held once, descrambled where it lies.
    if (!image.empty()) {
        if (!FindSection(image, kBrandingImageSection, span))
            return {};
        RefuseOversizedImage(span.size);
        bytes = image.substr(span.offset, span.size);
    } else {
        const platform::ReadOnlyFile file(platform::ExecutablePath());
        // The program joins its markers at run time, so the bytes the linker wrote hold none:
        // only the appended data behind them is searched, a few kilobytes instead of the whole
        // program.
        if (!FindSectionInFile(file, kBrandingImageSection, span, platform::ProgramImageSize(file)))
            return {};
        RefuseOversizedImage(span.size);
        bytes = file.ReadAt(static_cast<std::int64_t>(span.offset), span.size);
    }
    DescrambleInPlace(bytes);
    return bytes;
}

} // namespace branding
