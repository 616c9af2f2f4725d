#include "platform/exe_image.h"

#include <utility>

#include "platform/executable_path.h"
#include "platform/read_only_file.h"

namespace platform
{

std::string& ExeImage()
{
    static std::string image;
    return image;
}

ScopedExeImage::ScopedExeImage(std::string image)
    : previous_(std::exchange(ExeImage(), std::move(image)))
{
}

ScopedExeImage::~ScopedExeImage()
{
    ExeImage() = std::move(previous_);
}

void ReadWholeFile(const std::string& path, std::string& bytes)
{
    bytes = ReadOnlyFile(path).ReadAll();
}

void LoadExeImage()
{
    ReadWholeFile(platform::ExecutablePath(), ExeImage());
}

} // namespace platform
