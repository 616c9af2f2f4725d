#include "appended/exe_image.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/executable_path.h"

namespace appended {

std::string& ExeImage()
{
    static std::string image;
    return image;
}

void LoadExeImage()
{
    const std::string path = platform::ExecutablePath();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("Cannot open file \"" + path + "\".");
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw std::runtime_error("Cannot read file \"" + path + "\".");
    ExeImage() = std::move(bytes);
}

} // namespace appended
