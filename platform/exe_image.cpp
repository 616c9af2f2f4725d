#include "platform/exe_image.h"

#include "platform/executable_path.h"
#include "platform/read_only_file.h"

namespace platform
{

std::string& ExeImage()
{
    static std::string image;
    return image;
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
