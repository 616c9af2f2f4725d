#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Small JPEG files of every colour space the program decodes, made with libjpeg: the seeds of
// the JPEG fuzz target and the pictures of its tests.
namespace jpegsamples
{

enum class Space {
    Grey,   // one component
    Colour, // YCbCr from RGB
    Cmyk,   // four inks, stored inverted with an Adobe marker as Adobe programs write them
    Ycck,   // the same inks, transformed to YCCK
};

struct Rgb {
    std::uint8_t r, g, b;
};

// The colour of each pixel, (x, y) from the top left.
using Picture = std::function<Rgb(int x, int y)>;

// A width x height JPEG of `picture` in `space`, baseline or progressive, at quality 95.
std::string Encode(int width, int height, Space space, bool progressive, const Picture& picture);

// A colour JPEG like Encode's, with arithmetic instead of Huffman coding.
std::string EncodeArithmetic(int width, int height, bool progressive, const Picture& picture);

// `jpeg` (progressive) with `count` more scans that carry no data put before its end: each
// one is a pass over the whole picture for a decoder that does not count them.
std::string WithEmptyScans(const std::string& jpeg, int count);

// `jpeg` with the width and height in its frame header replaced.
std::string WithSize(const std::string& jpeg, std::uint16_t width, std::uint16_t height);

} // namespace jpegsamples
